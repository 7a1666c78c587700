#include "engines/PeakRmsEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Frame
{
    double x[6];
};

// An engine at 48 kHz with a 400 ms window stepping every 100 ms.
PeakRmsEngine Made(RmsMeterMode mode = RmsMeterMode::Sum, double windowMs = 400.0)
{
    PeakRmsEngine e;
    e.Init(10.0, 10000.0, 48000.0);
    e.SetRmsWindow(windowMs, 1.0 - 100.0 / std::max(400.0, windowMs));
    e.SetRmsMode(mode);
    return e;
}

// One frame in the plug-in's order; returns ProcessRms' result.
int32_t Feed(PeakRmsEngine& e, const Frame& f, RmsChannelConfig config, int32_t weightCode = 0)
{
    const double* x = f.x;
    e.ProcessBallistics(x[0], x[1], x[2], x[3], x[4], x[5], 1.0, config);
    e.ProcessPeak(x[0], x[1], x[2], x[3], x[4], x[5], 1.0, config);
    return e.ProcessRms(x[0], x[1], x[2], x[3], x[4], x[5], 1.0, config, weightCode);
}

void FeedFor(PeakRmsEngine& e, int frames, const Frame& f, RmsChannelConfig config, int32_t weightCode = 0)
{
    for (int i = 0; i < frames; ++i)
        Feed(e, f, config, weightCode);
}

struct Readings
{
    double rms, rmsMax, integrated, peakMax, truePeakMax, crest;
    bool operator==(const Readings& o) const
    {
        return rms == o.rms && rmsMax == o.rmsMax && integrated == o.integrated && peakMax == o.peakMax &&
               truePeakMax == o.truePeakMax && crest == o.crest;
    }
};

Readings Read(const PeakRmsEngine& e)
{
    return {e.GetRmsDb(),       e.GetRmsMaxDb(),       e.GetRmsIntegratedDb(),
            e.GetPeakMaxDb(),   e.GetTruePeakMaxDb(),  e.GetCrestDb()};
}

TEST(PeakRmsEngine, ReadsTheFloorsAfterReset)
{
    for (RmsMeterMode mode : {RmsMeterMode::Sum, RmsMeterMode::Avg, RmsMeterMode::AvgPlus3})
    {
        PeakRmsEngine e = Made(mode);
        FeedFor(e, 30000, {{0.5, 0.5, 0.5, 0.5, 0.5, 0.5}}, RmsChannelConfig::Six);
        e.Reset();
        const double rmsFloor = mode == RmsMeterMode::AvgPlus3 ? -141.0 : -144.0;
        EXPECT_EQ(e.GetRmsDb(), rmsFloor);
        EXPECT_EQ(e.GetRmsMaxDb(), rmsFloor);
        EXPECT_EQ(e.GetRmsIntegratedDb(), rmsFloor);
        EXPECT_EQ(e.GetPeakMaxDb(), -144.0);
        EXPECT_EQ(e.GetTruePeakMaxDb(), -144.0);
        EXPECT_EQ(e.GetCrestDb(), mode == RmsMeterMode::AvgPlus3 ? 0.0 : -144.0);
        for (const PeakBallistics& b : e.ballistics)
            EXPECT_EQ(b.held + b.falling, 0.0);
    }
}

TEST(PeakRmsEngine, WindowStepsAfterFillingThenEvery4801Frames)
{
    PeakRmsEngine e = Made();
    ASSERT_EQ(e.WindowSamples(), 19200);
    std::vector<int> steps;
    for (int frame = 1; frame <= 19200 + 3 * 4801; ++frame)
        if (Feed(e, {{0.1, 0.1, 0, 0, 0, 0}}, RmsChannelConfig::Stereo) != 0)
            steps.push_back(frame);
    EXPECT_EQ(steps, (std::vector<int>{19200, 24001, 28802, 33603}));

    // While filling, the mean square is the partial sum over the full length.
    e.Reset();
    FeedFor(e, 4800, {{1.0, 0, 0, 0, 0, 0}}, RmsChannelConfig::Left);
    EXPECT_EQ(e.WindowMeanSquare(), 0.25);
}

TEST(PeakRmsEngine, SetRmsWindowIgnoresTheCurrentLengthAndOutOfBounds)
{
    PeakRmsEngine e = Made();
    FeedFor(e, 20000, {{0.5, 0.5, 0, 0, 0, 0}}, RmsChannelConfig::Stereo);
    const Readings before = Read(e);
    e.SetRmsWindow(400.0, 0.1);  // same length: no reset, overlap ignored
    e.SetRmsWindow(5.0, 0.75);
    e.SetRmsWindow(20000.0, 0.75);
    e.SetRmsWindow(NAN, 0.75);
    e.SetRmsWindow(500.0, NAN);
    EXPECT_EQ(e.WindowMs(), 400.0);
    EXPECT_EQ(e.Overlap(), 0.75);
    EXPECT_TRUE(Read(e) == before);

    e.SetRmsWindow(1000.0, 0.9);
    EXPECT_EQ(e.WindowSamples(), 48000);
    EXPECT_EQ(e.GetPeakMaxDb(), -144.0);  // an accepted change resets
}

TEST(PeakRmsEngine, ChangedWindowStartsFromAClearRing)
{
    // Longer, shorter, then longer again: what the long window left in the
    // ring must not reach the new one.
    PeakRmsEngine e = Made(RmsMeterMode::Sum, 1000.0);
    FeedFor(e, 60000, {{0.9, 0, 0, 0, 0, 0}}, RmsChannelConfig::Left);
    e.SetRmsWindow(300.0, 0.75);
    FeedFor(e, 20000, {{0.9, 0, 0, 0, 0, 0}}, RmsChannelConfig::Left);
    e.SetRmsWindow(800.0, 0.875);
    PeakRmsEngine fresh = Made(RmsMeterMode::Sum, 800.0);
    for (int i = 0; i < 60000; ++i)
    {
        const Frame f = {{0.01 * (i % 7), 0, 0, 0, 0, 0}};
        ASSERT_EQ(Feed(e, f, RmsChannelConfig::Left), Feed(fresh, f, RmsChannelConfig::Left));
        ASSERT_EQ(e.WindowMeanSquare(), fresh.WindowMeanSquare()) << "frame " << i;
    }
}

TEST(PeakRmsEngine, MeterModesCombineTheChannels)
{
    const Frame ones = {{1.0, 1.0, 0, 0, 0, 0}};
    PeakRmsEngine sum = Made(RmsMeterMode::Sum);
    PeakRmsEngine avg = Made(RmsMeterMode::Avg);
    PeakRmsEngine avg3 = Made(RmsMeterMode::AvgPlus3);
    for (PeakRmsEngine* e : {&sum, &avg, &avg3})
        FeedFor(*e, 20000, ones, RmsChannelConfig::Stereo);
    EXPECT_EQ(sum.WindowMeanSquare(), 2.0);
    EXPECT_EQ(sum.GetRmsDb(), 3.0);
    EXPECT_EQ(avg.WindowMeanSquare(), 1.0);
    EXPECT_EQ(avg.GetRmsDb(), 0.0);
    EXPECT_EQ(avg3.WindowMeanSquare(), 1.0);
    EXPECT_EQ(avg3.GetRmsDb(), 3.0);
    EXPECT_EQ(avg3.GetRmsIntegratedDb(), 3.0);
    EXPECT_EQ(avg3.GetPeakMaxDb(), 0.0);  // peaks carry no offset
}

TEST(PeakRmsEngine, SurroundWeightsFollowTheWeightCode)
{
    // {channel, weightCode, config, mode, expected mean square} for a steady 1.0 on that channel.
    const struct
    {
        int channel;
        int32_t weightCode;
        RmsChannelConfig config;
        RmsMeterMode mode;
        double meanSquare;
    } cases[] = {
        {3, 1, RmsChannelConfig::Six, RmsMeterMode::Sum, 0.0},
        {4, 1, RmsChannelConfig::Six, RmsMeterMode::Sum, 1.41},
        {5, 1, RmsChannelConfig::Six, RmsMeterMode::Sum, 1.41},
        {3, 1, RmsChannelConfig::Four, RmsMeterMode::Sum, 1.0},
        {3, 2, RmsChannelConfig::Six, RmsMeterMode::Sum, 0.5},
        {4, 2, RmsChannelConfig::Six, RmsMeterMode::Sum, 0.5},
        {5, 2, RmsChannelConfig::Six, RmsMeterMode::Sum, 1.0},
        {3, 2, RmsChannelConfig::Four, RmsMeterMode::Sum, 0.5},
        {4, 1, RmsChannelConfig::Six, RmsMeterMode::Avg, 1.41 / 6},
        {0, 1, RmsChannelConfig::Six, RmsMeterMode::Avg, 1.0 / 6},
        {4, 0, RmsChannelConfig::Four, RmsMeterMode::Sum, 0.0},  // channel 5 inactive
    };
    for (const auto& c : cases)
    {
        PeakRmsEngine e = Made(c.mode, 10.0);
        Frame f = {{0, 0, 0, 0, 0, 0}};
        f.x[c.channel] = 1.0;
        FeedFor(e, 1000, f, c.config, c.weightCode);
        EXPECT_NEAR(e.WindowMeanSquare(), c.meanSquare, 1e-12)
            << "channel " << c.channel + 1 << " weightCode " << c.weightCode;
    }
}

TEST(PeakRmsEngine, ConfigurationSelectsTheMeasuredChannels)
{
    PeakRmsEngine e = Made();
    FeedFor(e, 100, {{0.9, 0.25, 0, 0, 0, 0}}, RmsChannelConfig::Right);
    EXPECT_EQ(e.SamplePeak(), 0.25);
    EXPECT_EQ(e.ballistics[0].held, 0.0);
    EXPECT_EQ(e.ballistics[1].held, 0.25);

    for (int32_t config : {5, -1})
    {
        e.Reset();
        FeedFor(e, 20000, {{1, 1, 1, 1, 1, 1}}, static_cast<RmsChannelConfig>(config));
        EXPECT_EQ(e.SamplePeak(), 0.0);
        EXPECT_EQ(e.WindowMeanSquare(), 0.0);
        EXPECT_EQ(e.GetTruePeakMaxDb(), -144.0);
    }

    // The true-peak read-out covers all six detectors whatever the configuration.
    e.Reset();
    FeedFor(e, 100, {{0, 0, 0, 0, 0, 0.5}}, RmsChannelConfig::Six);
    FeedFor(e, 100, {{0.1, 0, 0, 0, 0, 0}}, RmsChannelConfig::Left);
    EXPECT_GE(e.GetTruePeakMaxDb(), -6.0);  // only channel 6 reached that level
    EXPECT_EQ(e.GetPeakMaxDb(), -6.0);

    // Without truePeakOn the detectors stand still.
    e.Reset();
    e.ProcessPeak(1.0, 1.0, 0, 0, 0, 0, 0.0, RmsChannelConfig::Stereo);
    EXPECT_EQ(e.GetTruePeakMaxDb(), -144.0);
    EXPECT_EQ(e.GetPeakMaxDb(), 0.0);
}

TEST(PeakRmsEngine, CrestOfASine)
{
    PeakRmsEngine e = Made();
    for (int i = 0; i < 48000; ++i)
    {
        const double x = std::sin(2.0 * kPi * 1000.0 * i / 48000.0 + 0.1);
        Feed(e, {{x, 0, 0, 0, 0, 0}}, RmsChannelConfig::Left);
    }
    EXPECT_EQ(e.GetRmsIntegratedDb(), -3.0);
    EXPECT_EQ(e.GetRmsDb(), -3.0);
    EXPECT_EQ(e.GetPeakMaxDb(), 0.0);
    EXPECT_EQ(e.GetCrestDb(), 3.0);
}

TEST(PeakRmsEngine, BallisticsFallTwentyDbInHalfASecond)
{
    PeakRmsEngine e = Made();
    Feed(e, {{1.0, 0, 0, 0, 0, 0}}, RmsChannelConfig::Left);
    EXPECT_EQ(e.ballistics[0].falling, 1.0);
    FeedFor(e, 24000, {{0, 0, 0, 0, 0, 0}}, RmsChannelConfig::Left);
    EXPECT_NEAR(e.ballistics[0].falling, 0.1, 1e-12);
    EXPECT_EQ(e.ballistics[0].held, 1.0);
}

TEST(PeakRmsEngine, MeasuresCorrectlyAgainAfterNonFiniteInputAndReset)
{
    std::vector<Frame> signal;
    for (int i = 0; i < 30000; ++i)
    {
        const double x = 0.7 * std::sin(i * 0.05);
        signal.push_back({{x, -x, 0.5 * x, x * x, 0.2, -0.3 * x}});
    }
    for (int32_t weightCode : {0, 1, 2})
    {
        PeakRmsEngine e = Made(RmsMeterMode::AvgPlus3);
        PeakRmsEngine fresh = Made(RmsMeterMode::AvgPlus3);
        const double nan = NAN, inf = INFINITY;
        FeedFor(e, 10, {{nan, inf, -inf, nan, inf, nan}}, RmsChannelConfig::Six, weightCode);
        FeedFor(e, 20000, {{0.1, 0.1, 0.1, 0.1, 0.1, 0.1}}, RmsChannelConfig::Six, weightCode);
        EXPECT_EQ(e.GetRmsDb(), -141.0);  // the poisoned running sum reads the floor

        e.Reset();
        for (const Frame& f : signal)
        {
            Feed(e, f, RmsChannelConfig::Six, weightCode);
            Feed(fresh, f, RmsChannelConfig::Six, weightCode);
        }
        EXPECT_TRUE(Read(e) == Read(fresh)) << "weightCode " << weightCode;
        EXPECT_EQ(e.WindowMeanSquare(), fresh.WindowMeanSquare());
        for (int k = 0; k < 6; ++k)
        {
            EXPECT_EQ(e.ballistics[k].held, fresh.ballistics[k].held);
            EXPECT_EQ(e.ballistics[k].falling, fresh.ballistics[k].falling);
        }
    }
}

TEST(PeakRmsEngine, DegenerateSetUpKeepsTheRingInBounds)
{
    // A window shorter than a frame, or longer than the ring, still wraps inside it.
    for (const auto& setUp : {std::vector<double>{10.0, 10000.0, 10.0}, std::vector<double>{500.0, 100.0, 48000.0},
                              std::vector<double>{10.0, 10000.0, 0.0}})
    {
        PeakRmsEngine e;
        e.Init(setUp[0], setUp[1], setUp[2]);
        EXPECT_GE(e.WindowSamples(), 1);
        FeedFor(e, 10000, {{0.5, 0, 0, 0, 0, 0}}, RmsChannelConfig::Left);
        EXPECT_EQ(e.GetPeakMaxDb(), -6.0);
    }
}

}  // namespace
