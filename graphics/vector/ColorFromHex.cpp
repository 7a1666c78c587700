#include "graphics/vector/ColorFromHex.h"

#include <cstdlib>

IArgb ColorFromHex(const char* text, int32_t alpha)
{
    if (!text || !*text)
        return IArgb{255, 0, 0, 0};
    // strtoull saturates instead of wrapping on overflow, and a negative
    // number comes back as its two's complement; only the low 24 bits count.
    const unsigned long long v = std::strtoull(text + 1, nullptr, 16);
    return IArgb{alpha, static_cast<int32_t>((v >> 16) & 0xFF), static_cast<int32_t>((v >> 8) & 0xFF),
                 static_cast<int32_t>(v & 0xFF)};
}
