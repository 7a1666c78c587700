// The editor's reads of the meter values against rendering, stream changes
// and parameter changes on another thread; the instance factory's lock.
// Run under ThreadSanitizer in CI.
#include "plugin/CreateSonvarekInstance.h"
#include "support/TestSonvarek.h"

#include <atomic>
#include <cmath>
#include <new>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using MeterValues = SonvarekTest;

TEST_F(MeterValues, EditorReadsRaceWithNothing)
{
    constexpr int32_t kBlock = 512;
    auto plug = Make();
    plug->SetFromHost(kWriteAutomationData, 1);
    plug->SetUpStream(48000.0, kBlock);
    plug->sent.reserve(1 << 16);

    std::atomic<bool> done{false};
    std::atomic<int> taken{0};
    std::thread ui([&] {
        MeterSnapshot s;
        while (!done.load())
        {
            if (plug->TakeDueMeterValues(&s))
            {
                ++taken;
                EXPECT_TRUE(s.barsDue || s.readoutsDue);
                EXPECT_FALSE(std::isnan(s.rmsIntegratedDb));
                EXPECT_GE(s.barHeld[0], 0.0);
            }
            // What the idle refresh would also look at.
            (void)plug->ResizePending();
            (void)plug->BarsDue();
            std::this_thread::yield();
        }
    });

    ChannelBuffers in(kBlock);
    ChannelBuffers out(kBlock);
    const double rates[] = {44100.0, 48000.0, 96000.0};
    for (int32_t b = 0; b < 300; ++b)
    {
        for (int32_t k = 0; k < 6; ++k)
            for (int32_t i = 0; i < kBlock; ++i)
                in[k][i] = 0.3 * std::sin(0.01 * (b * kBlock + i) * (k + 1));
        {
            PlatformLockGuard guard(plug->GetLock());
            plug->RunAudioBlock(in.ptrs, out.ptrs, kBlock);
        }
        if (b % 40 == 39)
            plug->SetUpStream(rates[(b / 40) % 3], kBlock);
        if (b % 13 == 0)
            plug->SetFromHost(kType, (b / 13) % 2);
        if (b % 17 == 0)
            plug->SetFromHost(kEBUChannelConfig, (b / 17) % 5);
        if (b % 23 == 0)
            plug->SetFromHost(kGUIScale, 1.0 + (b % 3) * 0.5);
        if (b % 29 == 0)
            plug->HandleParamChange(kResetMeters);
        std::this_thread::yield();
    }
    done = true;
    ui.join();
    RecordProperty("snapshots taken while rendering", taken.load());

    // After the run a due refresh is taken with the engines' current values.
    plug->SetFromHost(kType, kMeterTypeRms);
    plug->RunSignal(Sine(0.5, 1000.0, 48000.0), 4800);
    MeterSnapshot s;
    ASSERT_TRUE(plug->TakeDueMeterValues(&s));
    EXPECT_TRUE(s.barsDue);
    EXPECT_EQ(s.meterType, kMeterTypeRms);
    EXPECT_EQ(s.peakMaxDb, plug->GetPeakRmsEngine().GetPeakMaxDb());
    EXPECT_EQ(s.barHeld[1], plug->GetPeakRmsEngine().ballistics[1].held);
    EXPECT_FALSE(plug->BarsDue());
    EXPECT_FALSE(plug->TakeDueMeterValues(&s)) << "nothing due any more";
}

TEST_F(MeterValues, ABusyLockKeepsTheFlags)
{
    auto plug = Make();
    plug->SetUpStream(48000.0);
    plug->RunSilence(9600);
    ASSERT_TRUE(plug->BarsDue());
    ASSERT_TRUE(plug->ReadoutsDue());

    std::atomic<bool> held{false};
    std::atomic<bool> release{false};
    std::thread audio([&] {
        PlatformLockGuard guard(plug->GetLock());
        held = true;
        while (!release.load())
            std::this_thread::yield();
    });
    while (!held.load())
        std::this_thread::yield();
    MeterSnapshot s;
    EXPECT_FALSE(plug->TakeDueMeterValues(&s));
    EXPECT_TRUE(plug->BarsDue());
    EXPECT_TRUE(plug->ReadoutsDue());
    release = true;
    audio.join();
    ASSERT_TRUE(plug->TakeDueMeterValues(&s));
    EXPECT_TRUE(s.barsDue);
    EXPECT_TRUE(s.readoutsDue);
}

TEST_F(MeterValues, TheFactoryBuildsOneInstanceAtATime)
{
    static std::atomic<int> inside{0};
    static std::atomic<int> most{0};
    std::vector<std::thread> threads;
    std::atomic<int> made{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 2; ++i)
            {
                Sonvarek* plug = CreateSonvarekInstance([]() -> Sonvarek* {
                    const int now = ++inside;
                    int seen = most.load();
                    while (now > seen && !most.compare_exchange_weak(seen, now))
                    {
                    }
                    auto* p = new TestSonvarek;
                    --inside;
                    return p;
                });
                made += plug ? 1 : 0;
                delete plug;
            }
        });
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(made.load(), 8);
    EXPECT_EQ(most.load(), 1);

    EXPECT_EQ(CreateSonvarekInstance([]() -> Sonvarek* { throw std::bad_alloc(); }), nullptr);
    EXPECT_EQ(CreateSonvarekInstance([]() -> Sonvarek* { throw std::runtime_error("no"); }), nullptr);
    EXPECT_EQ(CreateSonvarekInstance(nullptr), nullptr);
    Sonvarek* plug = CreateSonvarekInstance([]() -> Sonvarek* { return new TestSonvarek; });
    EXPECT_NE(plug, nullptr) << "a failed construction released the lock";
    delete plug;
}

}  // namespace
