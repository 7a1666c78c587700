#pragma once
// Rectangle arithmetic of the editor surface. All four values 0 is the empty
// rectangle; right and bottom are exclusive.

#include "graphics/editor/IBounds.h"

#include <cstdint>
#include <limits>

inline bool IsEmptyBounds(const IBounds& b) { return b.L == 0 && b.T == 0 && b.R == 0 && b.B == 0; }

// False for the empty rectangle; else L <= x < R and T <= y < B.
inline bool BoundsContain(const IBounds& b, int32_t x, int32_t y)
{
    return !IsEmptyBounds(b) && b.L <= x && x < b.R && b.T <= y && y < b.B;
}

// A rectangle that holds every other: no limit.
inline IBounds UnlimitedArea()
{
    constexpr int32_t lo = std::numeric_limits<int32_t>::min();
    constexpr int32_t hi = std::numeric_limits<int32_t>::max();
    return IBounds{lo, lo, hi, hi};
}

// An empty side yields the other; else the smallest rectangle holding both.
IBounds BoundsUnion(const IBounds& a, const IBounds& b);

// False when either is empty or they lie apart. Rectangles that only touch
// at a's right or bottom edge count as meeting (a.R == b.L meets).
bool BoundsIntersect(const IBounds& a, const IBounds& b);

// The overlap, when BoundsIntersect holds (it may then have no area); else
// the empty rectangle.
IBounds BoundsIntersection(const IBounds& a, const IBounds& b);

// The overlap when it has an area (R > L and B > T); else the empty rectangle.
IBounds BoundsClip(const IBounds& a, const IBounds& b);

// Whether every pixel of inner lies in outer (always for an empty inner).
inline bool BoundsInside(const IBounds& inner, const IBounds& outer)
{
    return IsEmptyBounds(inner) ||
           (inner.L >= outer.L && inner.T >= outer.T && inner.R <= outer.R && inner.B <= outer.B);
}
