// The pacer of real-time play: frames become due on the monotonic clock
// from the first wait on, and a stop from another thread ends a wait at once
// and every later one.

#include "host/cli/RealTimePacer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

TEST(RealTimePacer, FramesAreDueTheirTimeAfterTheFirstWait)
{
    RealTimePacer pacer;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(pacer.WaitUntilDue(0, 48000));
    // 2400 frames at 48 kHz: never before 50 ms have passed (a lower bound
    // only: the clock guarantees it, however busy the machine).
    EXPECT_TRUE(pacer.WaitUntilDue(2400, 48000));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    // A frame already past is due at once.
    EXPECT_TRUE(pacer.WaitUntilDue(1, 48000));
}

TEST(RealTimePacer, AStopFromAnotherThreadEndsAWaitOfAnHourAndEveryLaterOne)
{
    RealTimePacer pacer;
    EXPECT_TRUE(pacer.WaitUntilDue(0, 8000));
    bool due = true;
    std::thread audio([&] { due = pacer.WaitUntilDue(int64_t{3600} * 8000, 8000); });
    pacer.Stop();
    audio.join();
    EXPECT_FALSE(due);
    EXPECT_FALSE(pacer.WaitUntilDue(0, 8000)) << "even a frame that is due";
}

}  // namespace
