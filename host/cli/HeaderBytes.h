#pragma once
// Fields of audio file headers, read from bytes with their own byte order.

#include <cstdint>
#include <cstring>

inline uint64_t LoadLE(const uint8_t* p, int bytes)
{
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

inline uint64_t LoadBE(const uint8_t* p, int bytes)
{
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | p[i];
    return value;
}

// Whether the four bytes at p are the chunk or file ID id.
inline bool IsId(const uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }
