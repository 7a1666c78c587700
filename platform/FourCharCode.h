#pragma once

#include <cstdint>

// The 32-bit value of a four-character code, its first character in the most
// significant byte: 'EFN1' is 0x45464E31. Plug-in, maker, chunk and layout
// IDs, the host's notice codes and the program-file tags ("CcnK") are all
// written so.
constexpr uint32_t FourCharCode(const char (&code)[5])
{
    return uint32_t{static_cast<uint8_t>(code[0])} << 24 | uint32_t{static_cast<uint8_t>(code[1])} << 16 |
           uint32_t{static_cast<uint8_t>(code[2])} << 8 | uint32_t{static_cast<uint8_t>(code[3])};
}
