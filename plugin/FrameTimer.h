#pragma once
// A timer that counts audio frames: it fires on the frame that brings its
// counter to its period and starts again from 0. Refresh and publication
// follow sample counts, never the wall clock. Plain state of the audio path.

#include <algorithm>
#include <cstdint>

struct FrameTimer
{
    int32_t periodSamples = 0;
    int32_t counter = 0;

    // Whether it has counted frames since it last fired (or started).
    bool Counting() const { return counter > 0; }

    // Frames up to and including the next firing (at least 1).
    int32_t FramesToNext() const { return std::max(periodSamples - counter, 1); }

    // Counts n frames; true when it fired on any of them.
    bool Advance(int32_t n)
    {
        bool fired = false;
        while (n > 0)
        {
            const int32_t step = std::min(n, FramesToNext());
            counter += step;
            n -= step;
            if (counter >= periodSamples)
            {
                counter = 0;
                fired = true;
            }
        }
        return fired;
    }
};
