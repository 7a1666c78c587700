#pragma once
// A set of pixels as disjoint rectangles: a window's update region and a
// paint DC's clipping. Internal to the layer.

#include "platform/win32/Rects.h"

#include <vector>

class Region
{
public:
    void Add(const RECT& r);
    void Subtract(const RECT& r);
    void Clip(const RECT& r);
    void Clear() { rects.clear(); }
    bool Empty() const { return rects.empty(); }
    // All zero when empty.
    RECT Bounds() const;
    const std::vector<RECT>& Rects() const { return rects; }

private:
    std::vector<RECT> rects;
};
