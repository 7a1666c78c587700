#pragma once
// The areas of a window still to send: a few rectangles, two of them kept
// apart only where sending their bounding box would cost more than sending
// both. Internal to the presenter. [UI thread]

#include "platform/win32/Rects.h"

#include <cstddef>
#include <vector>

class DirtyAreas
{
public:
    // Past this many the areas become their bounding box.
    static constexpr size_t kMostAreas = 8;

    DirtyAreas() { areas.reserve(kMostAreas); }
    // Adds r (an empty one counts for nothing), merged with every area it
    // is cheaper sent together with.
    void Add(const RECT& r);
    void Clear() { areas.clear(); }
    bool Empty() const { return areas.empty(); }
    // At most kMostAreas, none empty.
    const std::vector<RECT>& Areas() const { return areas; }

private:
    std::vector<RECT> areas;
};
