#pragma once
// The frame a control shows for its unit value.

#include "graphics/editor/TruncToInt.h"

#include <cmath>
#include <cstdint>

// trunc((frameCount - 1) x value + 0.5) clamped to 0 .. frameCount - 1 when
// there are two frames or more, else 0. A value that is not finite gives 0.
inline int32_t FrameForValue(int32_t frameCount, double value)
{
    if (frameCount <= 1 || !std::isfinite(value))
        return 0;
    const int32_t frame = TruncToInt((frameCount - 1) * value + 0.5);
    return frame < 0 ? 0 : (frame > frameCount - 1 ? frameCount - 1 : frame);
}
