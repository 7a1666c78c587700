// Timers on the virtual clock: periods, no pile-up, re-arming, killing.

#include "support/RecordingWindow.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct TimersTest : ::testing::Test
{
    Desktop desktop;
    RecordingWindows windows;
    HWND window = windows.Create(0, 0, 10, 10);

    int TimerMessages(UINT_PTR id) const
    {
        return static_cast<int>(std::count_if(windows.log.begin(), windows.log.end(), [id](const RecordedMessage& m) {
            return m.message == WM_TIMER && m.wParam == id;
        }));
    }
};

TEST_F(TimersTest, ATimerFiresOncePerPeriodOnTheVirtualClock)
{
    EXPECT_EQ(SetTimer(window, 2, 33, nullptr), 2u);
    desktop.RunFor(32);
    EXPECT_EQ(TimerMessages(2), 0);
    desktop.RunFor(1);
    EXPECT_EQ(TimerMessages(2), 1);
    desktop.RunFor(990);
    EXPECT_EQ(TimerMessages(2), 31) << "1023 ms at 33 ms";
    EXPECT_EQ(GetTickCount(), 1023u);
}

TEST_F(TimersTest, MissedPeriodsGiveOneMessageAndTheRhythmKeeps)
{
    SetTimer(window, 1, 100, nullptr);
    desktop.Advance(1050);
    desktop.Pump();
    EXPECT_EQ(TimerMessages(1), 1);
    ASSERT_EQ(desktop.Timers().size(), 1u);
    EXPECT_EQ(desktop.Timers()[0].nextMs, 1100u);
    EXPECT_FALSE(desktop.Timers()[0].pending);
}

TEST_F(TimersTest, ReArmingReplacesAndRestartsAndKillingStops)
{
    SetTimer(window, 1, 100, nullptr);
    desktop.RunFor(90);
    SetTimer(window, 1, 100, nullptr);
    desktop.RunFor(90);
    EXPECT_EQ(TimerMessages(1), 0) << "re-arming restarts the period";
    EXPECT_EQ(desktop.Timers().size(), 1u);
    desktop.RunFor(10);
    EXPECT_EQ(TimerMessages(1), 1);

    desktop.Advance(100);
    EXPECT_TRUE(KillTimer(window, 1));
    desktop.Pump();
    EXPECT_EQ(TimerMessages(1), 1) << "a killed timer's pending message goes too";
    EXPECT_FALSE(KillTimer(window, 1));
    EXPECT_EQ(SetTimer(window, 4, 1, nullptr), 4u);
    EXPECT_EQ(desktop.Timers().back().periodMs, 10u) << "periods below 10 ms become 10";
}

TEST_F(TimersTest, TimerProceduresAreCalledAndForgedOnesAreNot)
{
    static int calls = 0;
    calls = 0;
    const TIMERPROC proc = [](HWND, UINT, UINT_PTR, DWORD) { ++calls; };
    SetTimer(window, 7, 20, proc);
    desktop.RunFor(20);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(TimerMessages(7), 0) << "the procedure takes the message";

    static int forged = 0;
    const TIMERPROC other = [](HWND, UINT, UINT_PTR, DWORD) { ++forged; };
    PostMessageA(window, WM_TIMER, 7, reinterpret_cast<LPARAM>(other));
    desktop.Pump();
    EXPECT_EQ(forged, 0);
}

TEST_F(TimersTest, FireTimerDeliversNowAndRestartsThePeriod)
{
    SetTimer(window, 2, 33, nullptr);
    desktop.Advance(20);
    EXPECT_TRUE(desktop.FireTimer(window, 2));
    EXPECT_EQ(TimerMessages(2), 1);
    desktop.RunFor(32);
    EXPECT_EQ(TimerMessages(2), 1);
    desktop.RunFor(1);
    EXPECT_EQ(TimerMessages(2), 2);
    EXPECT_FALSE(desktop.FireTimer(window, 3));
}

TEST_F(TimersTest, TheNextEventIsTheEarliestDueTimerOrHover)
{
    EXPECT_EQ(desktop.NextEventMs(), std::nullopt);
    SetTimer(window, 1, 100, nullptr);
    SetTimer(window, 2, 40, nullptr);
    EXPECT_EQ(desktop.NextEventMs(), 40u);
    desktop.MouseMove(5, 5);
    TRACKMOUSEEVENT track = {sizeof(TRACKMOUSEEVENT), TME_HOVER, window, 25};
    ASSERT_TRUE(TrackMouseEvent(&track));
    EXPECT_EQ(desktop.NextEventMs(), 25u);
    desktop.Advance(60);
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_NULL, WM_NULL + 1, PM_NOREMOVE);
    EXPECT_EQ(desktop.NextEventMs(), 60u) << "a timer already waiting is due now";
}

TEST_F(TimersTest, AReplacementClockDrivesTicksAndTimers)
{
    struct FixedClock : DesktopClock
    {
        uint64_t now = 5000;
        uint64_t NowMs() override { return now; }
    } clock;
    desktop.SetClock(&clock);
    EXPECT_EQ(GetTickCount(), 5000u);
    SetTimer(window, 1, 50, nullptr);
    clock.now += 50;
    desktop.Pump();
    EXPECT_EQ(TimerMessages(1), 1);
    desktop.SetClock(nullptr);
}

}  // namespace
