#include "host/cli/RealTimePacer.h"

namespace {

std::chrono::steady_clock::duration Length(int64_t frames, int32_t sampleRate)
{
    const std::chrono::duration<double> seconds(static_cast<double>(frames) / sampleRate);
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(seconds);
}

}  // namespace

bool RealTimePacer::WaitUntilDue(int64_t frames, int32_t sampleRate)
{
    std::unique_lock<std::mutex> guard(lock);
    if (!started)
    {
        started = true;
        start = std::chrono::steady_clock::now();
    }
    const auto due = start + Length(frames, sampleRate);
    stopAsked.wait_until(guard, due, [this] { return stopped; });
    return !stopped;
}

void RealTimePacer::Resume(int64_t frames, int32_t sampleRate)
{
    std::lock_guard<std::mutex> guard(lock);
    started = true;
    start = std::chrono::steady_clock::now() - Length(frames, sampleRate);
}

void RealTimePacer::Stop()
{
    {
        std::lock_guard<std::mutex> guard(lock);
        stopped = true;
    }
    stopAsked.notify_all();
}
