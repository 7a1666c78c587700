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
