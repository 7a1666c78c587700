#pragma once
// The header of a Wave64 file: its riff and wave GUIDs, a format chunk and
// the header of its data chunk, after which the data follows.

#include <cstdint>
#include <string>

// The GUID a Wave64 file starts with, as stored.
inline constexpr uint8_t kWave64Riff[16] = {'r', 'i', 'f', 'f', 0x2E, 0x91, 0xCF, 0x11,
                                            0xA5, 0xD6, 0x28, 0xDB, 0x04, 0xC1, 0x00, 0x00};

// Declares data of an unknown length: the data goes on to the end of the
// stream. A multiple of 8 near the largest signed size, which readers take
// as it stands.
inline constexpr uint64_t kWave64DataToTheEnd = 0x7FFFFFFFFFFFFF00u;

// format: the 16 bytes of a plain WAVE format chunk (tag, channels, rate,
// bytes a second, block align, bits). dataBytes: the data chunk's data.
std::string Wave64Header(const uint8_t* format, uint64_t dataBytes);
