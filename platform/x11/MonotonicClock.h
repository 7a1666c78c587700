#pragma once
// The real clock for a display: monotonic milliseconds that go on from a
// start value, so that timers armed on the clock before keep their due
// times. [any thread]

#include "platform/win32/DesktopClock.h"

#include <chrono>

class MonotonicClock : public DesktopClock
{
public:
    explicit MonotonicClock(uint64_t startMs = 0) : startMs(startMs), origin(std::chrono::steady_clock::now()) {}

    uint64_t NowMs() override
    {
        const auto elapsed = std::chrono::steady_clock::now() - origin;
        return startMs + static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }

private:
    uint64_t startMs;
    std::chrono::steady_clock::time_point origin;
};
