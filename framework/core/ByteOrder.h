#pragma once
// Explicit byte order for every stored format: state chunks are little-endian,
// program files big-endian. Bytes are assembled one by one, so the host's own
// byte order and alignment never matter.

#include <cstdint>
#include <cstring>

inline uint32_t LoadU32BE(const uint8_t* p)
{
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
}

inline void StoreU32BE(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

inline uint32_t LoadU32LE(const uint8_t* p)
{
    return uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | uint32_t{p[0]};
}

inline void StoreU32LE(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

inline double LoadDoubleLE(const uint8_t* p)
{
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | p[i];
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

inline void StoreDoubleLE(uint8_t* p, double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<uint8_t>(bits >> (8 * i));
}

inline float LoadFloatBE(const uint8_t* p)
{
    const uint32_t bits = LoadU32BE(p);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

inline void StoreFloatBE(uint8_t* p, float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    StoreU32BE(p, bits);
}
