#pragma once
// The clock that drives the layer's timers, tick count and hover tracking.
// Timers are checked against it whenever messages are looked for, so a real
// clock needs nothing more than answering the time. [UI thread]

#include <cstdint>

class DesktopClock
{
public:
    virtual ~DesktopClock() = default;
    // Milliseconds since an arbitrary start; never goes back.
    virtual uint64_t NowMs() = 0;
};

// The default clock: stands still until advanced.
class VirtualClock : public DesktopClock
{
public:
    uint64_t NowMs() override { return now; }
    void Advance(uint64_t ms) { now += ms; }

private:
    uint64_t now = 0;
};
