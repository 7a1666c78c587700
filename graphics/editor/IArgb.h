#pragma once
// A colour as four integers, each 0 to 255: alpha, red, green, blue. The
// raster layer packs it as 0xAARRGGBB.

#include <cstdint>

struct IArgb
{
    int32_t A = 255;
    int32_t R = 0;
    int32_t G = 0;
    int32_t B = 0;
};

inline bool operator==(const IArgb& a, const IArgb& b)
{
    return a.A == b.A && a.R == b.R && a.G == b.G && a.B == b.B;
}
inline bool operator!=(const IArgb& a, const IArgb& b) { return !(a == b); }

// A channel limited to 0-255.
inline uint32_t ArgbChannel(int32_t v) { return static_cast<uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// The raster layer's word 0xAARRGGBB, each channel limited to 0-255.
inline uint32_t PackArgb(const IArgb& c)
{
    return ArgbChannel(c.A) << 24 | ArgbChannel(c.R) << 16 | ArgbChannel(c.G) << 8 | ArgbChannel(c.B);
}
