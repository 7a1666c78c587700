#pragma once
// Fields of audio file headers, read from bytes with their own byte order,
// and the bytes read from a file at an offset.

#include <unistd.h>

#include <cerrno>
#include <cstddef>
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

// WAVE format tags, and a 32-bit chunk size that a writer left unknown.
inline constexpr uint64_t kWavePcm = 0x0001;
inline constexpr uint64_t kWaveFloat = 0x0003;
inline constexpr uint64_t kWaveAlaw = 0x0006;
inline constexpr uint64_t kWaveUlaw = 0x0007;
inline constexpr uint64_t kWaveExtensible = 0xFFFE;
inline constexpr uint64_t kUnknownSize32 = 0xFFFFFFFFu;

// Whether the four bytes at p are the chunk or file ID id.
inline bool IsId(const uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

// Exactly n bytes of fd at offset (its position kept), or false.
inline bool ReadAt(int fd, uint64_t offset, uint8_t* out, size_t n)
{
    for (size_t done = 0; done < n;)
    {
        const ssize_t got = ::pread(fd, out + done, n - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<size_t>(got);
    }
    return true;
}
