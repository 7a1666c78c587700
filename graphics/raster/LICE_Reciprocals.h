#pragma once
// Reciprocals for the integer HSV conversion: entry 0 is 0, entry i (1 to
// 255) is floor(65536 / i) - 1. Constant data, shared by every caller.

#include <array>
#include <cstdint>

constexpr std::array<uint16_t, 256> MakeLiceReciprocals()
{
    std::array<uint16_t, 256> table{};
    for (int i = 1; i < 256; ++i)
        table[i] = static_cast<uint16_t>(65536 / i - 1);
    return table;
}

inline constexpr std::array<uint16_t, 256> kLiceReciprocals = MakeLiceReciprocals();
