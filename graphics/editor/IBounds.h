#pragma once
// An integer rectangle in pixels: left, top, right, bottom; right and bottom
// are exclusive. All four 0 is the empty rectangle.

#include <cstdint>

struct IBounds
{
    int32_t L = 0;
    int32_t T = 0;
    int32_t R = 0;
    int32_t B = 0;
};

inline bool operator==(const IBounds& a, const IBounds& b)
{
    return a.L == b.L && a.T == b.T && a.R == b.R && a.B == b.B;
}
inline bool operator!=(const IBounds& a, const IBounds& b) { return !(a == b); }
