#pragma once
// The step of a sliding window that shares `overlap` of its length with the
// previous step.

#include <cmath>
#include <cstdint>

// Frames from one step to the next: (1 − overlap) × windowSamples rounded to
// the nearest frame, at least 1. Rounding makes a 100 ms step exactly 100 ms
// whether the product comes out as 4800.0 or as 4799.999999999999.
inline int32_t WindowStepFrames(double overlap, int32_t windowSamples)
{
    const double frames = std::floor((1.0 - overlap) * windowSamples + 0.5);
    if (!(frames >= 1.0))
        return 1;
    if (frames >= 2147483647.0)
        return 2147483647;
    return static_cast<int32_t>(frames);
}
