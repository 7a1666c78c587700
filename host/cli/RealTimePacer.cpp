#include "host/cli/RealTimePacer.h"

bool RealTimePacer::WaitUntilDue(int64_t frames, int32_t sampleRate)
{
    std::unique_lock<std::mutex> guard(lock);
    if (!started)
    {
        started = true;
        start = std::chrono::steady_clock::now();
    }
    const std::chrono::duration<double> offset(static_cast<double>(frames) / sampleRate);
    const auto due = start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(offset);
    stopAsked.wait_until(guard, due, [this] { return stopped; });
    return !stopped;
}

void RealTimePacer::Stop()
{
    {
        std::lock_guard<std::mutex> guard(lock);
        stopped = true;
    }
    stopAsked.notify_all();
}
