#pragma once
// Rectangle helpers of the layer and its display presenter. Any thread.

#include "platform/win32/Win32Types.h"

bool IsEmptyRect(const RECT& r);
// All zero when they do not overlap.
RECT IntersectRects(const RECT& a, const RECT& b);
// The bounding box; an empty one counts for nothing.
RECT UnionRects(const RECT& a, const RECT& b);
// Left and top edges inside, right and bottom outside.
inline bool ContainsPoint(const RECT& r, LONG x, LONG y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
