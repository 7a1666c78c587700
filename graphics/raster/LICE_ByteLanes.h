#pragma once
// Copy, add and multiply for byte channels at a weight of 1 to 256, written so
// that every product fits 16 bits: the compiler can then use 16-bit vector
// lanes (eight or sixteen channels an instruction) instead of 32-bit ones.
// For those ranges each gives exactly what its LICE_*Channel formula gives.

#include <cstddef>
#include <cstdint>

// s + (d - s) x (256 - w) / 256, truncated toward zero: the quotient of the
// magnitude |d - s| x (256 - w) <= 65280, taken toward s.
inline uint8_t LICE_CopyLane(uint8_t d, uint8_t s, uint16_t w)
{
    const uint16_t k = static_cast<uint16_t>(256 - w);
    const uint8_t hi = d > s ? d : s;
    const uint8_t lo = d > s ? s : d;
    const auto q = static_cast<uint8_t>(static_cast<uint16_t>(static_cast<uint16_t>(hi - lo) * k) >> 8);
    return d >= s ? static_cast<uint8_t>(s + q) : static_cast<uint8_t>(s - q);
}

// d + s x w / 256, clamped; s x w <= 65280.
inline uint8_t LICE_AddLane(uint8_t d, uint8_t s, uint16_t w)
{
    const auto sum = static_cast<uint16_t>(d + (static_cast<uint16_t>(s * w) >> 8));
    return static_cast<uint8_t>(sum < 255 ? sum : 255);
}

// (d x m) >> 16 with m = s x w + (256 - w) x 256 <= 65535 for w >= 1: the
// high half of a 16-bit product.
inline uint8_t LICE_MultiplyLane(uint8_t d, uint8_t s, uint16_t w)
{
    const auto m = static_cast<uint16_t>(s * w + (256 - w) * 256);
    return static_cast<uint8_t>((static_cast<uint32_t>(d) * m) >> 16);
}

// d[i] = Channel(d[i], s[i], w) over `bytes` bytes: the loop the compiler
// vectorises for every byte-wise formula.
template <auto Channel>
inline void LICE_CombineBytes(uint8_t* d, const uint8_t* s, ptrdiff_t bytes, uint16_t w)
{
    for (ptrdiff_t i = 0; i < bytes; ++i)
        d[i] = static_cast<uint8_t>(Channel(d[i], s[i], w));
}
