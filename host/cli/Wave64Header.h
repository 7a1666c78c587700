#pragma once
// The header of a Wave64 file: its riff and wave GUIDs, a format chunk and
// the header of its data chunk, after which the data follows.

#include <cstdint>
#include <string>

// Declares data of an unknown length: the data goes on to the end of the
// stream. A multiple of 8 near the largest signed size, which readers take
// as it stands.
inline constexpr uint64_t kWave64DataToTheEnd = 0x7FFFFFFFFFFFFF00u;

// format: the 16 bytes of a plain WAVE format chunk (tag, channels, rate,
// bytes a second, block align, bits). dataBytes: the data chunk's data.
std::string Wave64Header(const uint8_t* format, uint64_t dataBytes);
