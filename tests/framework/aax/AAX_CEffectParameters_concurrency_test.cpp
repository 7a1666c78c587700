#include "framework/aax/ThreadMutex.h"
#include "host/StandInHost.h"
#include "support/TestEffect.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr int kRounds = 3000;

TEST(ThreadMutexConcurrency, ExcludesOtherThreadsAndLetsTheOwnerThrough)
{
    ThreadMutex mutex;
    mutex.Create();
    int64_t counter = 0;  // plain: only ever touched under the mutex
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < kRounds; ++i)
            {
                ThreadMutexGuard outer(mutex);
                ThreadMutexGuard nested(mutex);  // passes through
                ++counter;
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(counter, 4 * kRounds);
}

// Host threads apply and query values while the audio thread reads the
// bypass; every applied value counts as one change, and none is torn.
TEST(EffectParametersConcurrency, HostValuesBypassAndChangeCounter)
{
    StandInHost host;
    TestEffectRef effect;
    ASSERT_EQ(effect->AttachToHost(host.RunTime()), 0);
    int32_t before = 0;
    effect->CountChanges(&before);

    std::atomic<bool> running{true};
    std::atomic<int64_t> bypassedReads{0};
    std::thread audio([&] {
        while (running.load())
            bypassedReads += effect->IsBypassed() ? 1 : 0;
    });
    std::vector<std::thread> writers;
    const char* ids[] = {"1", "2", "3", "MasterBypassID"};
    for (int t = 0; t < 3; ++t)
        writers.emplace_back([&, t] {
            for (int i = 0; i < kRounds; ++i)
                EXPECT_EQ(effect->ApplyHostParamValue(ids[(i + t) % 4], (i % 2) ? 1.0 : 0.0, 0), 0);
        });
    std::thread reader([&] {
        AAX_CString text;
        double normalized = 0.0;
        int32_t value = 0;
        for (int i = 0; i < kRounds; ++i)
        {
            effect->QueryNormalized("2", &normalized);
            EXPECT_TRUE(normalized == 0.0 || normalized == 1.0 || normalized == 60.0 / 72.0) << normalized;
            effect->FormatCurrentValue("3", &text, 8);
            effect->IndexOfParameter("MasterBypassID", &value);
            effect->CountChanges(&value);
        }
    });
    for (std::thread& writer : writers)
        writer.join();
    reader.join();
    running = false;
    audio.join();

    int32_t after = 0;
    effect->CountChanges(&after);
    EXPECT_EQ(after - before, 3 * kRounds);
    EXPECT_EQ(effect->DetachFromHost(), 0);
}

}  // namespace
