#pragma once
// Paces render calls at real time on the monotonic clock, as a host's audio
// device would: the call that starts at frame F waits until F / sampleRate
// seconds have passed since the first wait. Stop ends the wait under way and
// every later one at once, whatever the clock says.
//
// [WaitUntilDue, Resume: the audio thread; Stop: any thread]

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

class RealTimePacer
{
public:
    RealTimePacer() = default;
    RealTimePacer(const RealTimePacer&) = delete;
    RealTimePacer& operator=(const RealTimePacer&) = delete;

    // Waits until frame frames of a stream at sampleRate (Hz, above 0) is due;
    // the first call starts the clock. True when it is due, false once a stop
    // is asked.
    bool WaitUntilDue(int64_t frames, int32_t sampleRate);
    // Frame frames is due now: the frames after a source that stalled play
    // on at real time instead of all at once.
    void Resume(int64_t frames, int32_t sampleRate);
    void Stop();

private:
    std::mutex lock;
    std::condition_variable stopAsked;
    bool started = false;
    bool stopped = false;
    std::chrono::steady_clock::time_point start;
};
