#include "engines/PeakRmsEngine.h"
#include "engines/WeightingFilter.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Frame = std::array<double, 6>;
using Mode = RmsMeterMode;
using Config = RmsChannelConfig;

// An engine at 48 kHz with a window stepping every 100 ms (a quarter of
// the window below 400 ms), as the plug-in sets it up.
PeakRmsEngine Made(Mode mode = Mode::Sum, double windowMs = 400.0)
{
    PeakRmsEngine e;
    e.Init(10.0, 10000.0, 48000.0);
    e.SetRmsWindow(windowMs, 1.0 - 100.0 / std::max(400.0, windowMs));
    e.SetRmsMode(mode);
    return e;
}

// Frames in the plug-in's order; returns ProcessRms' result for the last.
int32_t Feed(PeakRmsEngine& e, const Frame& x, Config config, int32_t weightCode = 0, int frames = 1)
{
    int32_t ready = 0;
    for (int i = 0; i < frames; ++i)
    {
        e.ProcessBallistics(x[0], x[1], x[2], x[3], x[4], x[5], 1.0, config);
        e.ProcessPeak(x[0], x[1], x[2], x[3], x[4], x[5], 1.0, config);
        ready = e.ProcessRms(x[0], x[1], x[2], x[3], x[4], x[5], 1.0, config, weightCode);
    }
    return ready;
}

// Every read-out, the window's mean square and the ballistics.
std::vector<double> Read(const PeakRmsEngine& e)
{
    std::vector<double> r = {e.GetRmsDb(),      e.GetRmsMaxDb(),       e.GetRmsIntegratedDb(),
                             e.GetPeakMaxDb(),  e.GetTruePeakMaxDb(),  e.GetCrestDb(),
                             e.WindowMeanSquare()};
    for (const PeakBallistics& b : e.ballistics)
        r.insert(r.end(), {b.held, b.falling});
    return r;
}

TEST(PeakRmsEngine, ReadsTheFloorsAfterReset)
{
    for (Mode mode : {Mode::Sum, Mode::Avg, Mode::AvgPlus3})
    {
        PeakRmsEngine e = Made(mode);
        Feed(e, {0.5, 0.5, 0.5, 0.5, 0.5, 0.5}, Config::Six, 0, 30000);
        e.Reset();
        const double rms = mode == Mode::AvgPlus3 ? -141.0 : -144.0;
        const double crest = mode == Mode::AvgPlus3 ? 0.0 : -144.0;
        std::vector<double> expected = {rms, rms, rms, -144.0, -144.0, crest, 0.0};
        expected.resize(expected.size() + 12, 0.0);  // held and falling
        EXPECT_EQ(Read(e), expected) << "mode " << static_cast<int>(mode);
    }
}

TEST(PeakRmsEngine, WindowStepsAfterFillingThenEvery100Ms)
{
    PeakRmsEngine e = Made();
    ASSERT_EQ(e.WindowSamples(), 19200);
    std::vector<int> steps;
    for (int frame = 1; frame <= 19200 + 3 * 4800; ++frame)
        if (Feed(e, {0.1, 0.1, 0, 0, 0, 0}, Config::Stereo) != 0)
            steps.push_back(frame);
    EXPECT_EQ(steps, (std::vector<int>{19200, 24000, 28800, 33600}));

    // While filling, the mean square is the partial sum over the full length.
    e.Reset();
    Feed(e, {1.0, 0, 0, 0, 0, 0}, Config::Left, 0, 4800);
    EXPECT_EQ(e.WindowMeanSquare(), 0.25);

    // The step is the product rounded, also where it falls a hair short of
    // (3 s) or beyond (1 s at 44.1 kHz) a whole frame; a quarter of the
    // window below 400 ms.
    EXPECT_EQ(Made(Mode::Sum, 3000.0).StepFrames(), 4800);
    EXPECT_EQ(Made(Mode::Sum, 100.0).StepFrames(), 1200);
    PeakRmsEngine at44 = Made();
    at44.Init(10.0, 10000.0, 44100.0);
    at44.SetRmsWindow(1000.0, 0.9);
    EXPECT_EQ(at44.StepFrames(), 4410);
}

TEST(PeakRmsEngine, SetRmsWindowIgnoresTheCurrentLengthAndOutOfBounds)
{
    PeakRmsEngine e = Made();
    Feed(e, {0.5, 0.5, 0, 0, 0, 0}, Config::Stereo, 0, 20000);
    const std::vector<double> before = Read(e);
    e.SetRmsWindow(400.0, 0.1);  // same length: no reset, overlap ignored
    e.SetRmsWindow(5.0, 0.75);
    e.SetRmsWindow(20000.0, 0.75);
    e.SetRmsWindow(NAN, 0.75);
    e.SetRmsWindow(500.0, NAN);
    EXPECT_EQ(e.WindowMs(), 400.0);
    EXPECT_EQ(e.Overlap(), 0.75);
    EXPECT_EQ(Read(e), before);

    e.SetRmsWindow(1000.0, 0.9);
    EXPECT_EQ(e.WindowSamples(), 48000);
    EXPECT_EQ(e.GetPeakMaxDb(), -144.0) << "an accepted change resets";
}

TEST(PeakRmsEngine, ChangedWindowStartsFromAClearRing)
{
    // Longer, shorter, then longer again: what the long window left in the
    // ring must not reach the new one.
    PeakRmsEngine e = Made(Mode::Sum, 1000.0);
    Feed(e, {0.9, 0, 0, 0, 0, 0}, Config::Left, 0, 60000);
    e.SetRmsWindow(300.0, 0.75);
    Feed(e, {0.9, 0, 0, 0, 0, 0}, Config::Left, 0, 20000);
    e.SetRmsWindow(800.0, 0.875);
    PeakRmsEngine fresh = Made(Mode::Sum, 800.0);
    for (int i = 0; i < 60000; ++i)
    {
        const Frame f = {0.01 * (i % 7), 0, 0, 0, 0, 0};
        ASSERT_EQ(Feed(e, f, Config::Left), Feed(fresh, f, Config::Left));
        ASSERT_EQ(e.WindowMeanSquare(), fresh.WindowMeanSquare()) << "frame " << i;
    }
}

TEST(PeakRmsEngine, MeterModesCombineTheChannels)
{
    // {mode, mean square, RMS read-out} of a steady 1.0 on both stereo channels.
    const std::tuple<Mode, double, double> cases[] = {
        {Mode::Sum, 2.0, 3.0}, {Mode::Avg, 1.0, 0.0}, {Mode::AvgPlus3, 1.0, 3.0}};
    for (const auto& [mode, meanSquare, db] : cases)
    {
        PeakRmsEngine e = Made(mode);
        Feed(e, {1.0, 1.0, 0, 0, 0, 0}, Config::Stereo, 0, 20000);
        EXPECT_EQ(e.WindowMeanSquare(), meanSquare) << static_cast<int>(mode);
        EXPECT_EQ(e.GetRmsDb(), db) << static_cast<int>(mode);
        EXPECT_EQ(e.GetRmsIntegratedDb(), db) << static_cast<int>(mode);
        EXPECT_EQ(e.GetPeakMaxDb(), 0.0) << "peaks carry no offset";
    }
}

TEST(PeakRmsEngine, SurroundWeightsFollowTheWeightCode)
{
    // {channel, weightCode, config, mode, mean square} for a steady 1.0 on that channel.
    const std::tuple<int, int32_t, Config, Mode, double> cases[] = {
        {3, 1, Config::Six, Mode::Sum, 0.0},      {4, 1, Config::Six, Mode::Sum, 1.41},
        {5, 1, Config::Six, Mode::Sum, 1.41},     {3, 1, Config::Four, Mode::Sum, 1.0},
        {3, 2, Config::Six, Mode::Sum, 0.5},      {4, 2, Config::Six, Mode::Sum, 0.5},
        {5, 2, Config::Six, Mode::Sum, 1.0},      {3, 2, Config::Four, Mode::Sum, 0.5},
        {4, 1, Config::Six, Mode::Avg, 1.41 / 6}, {0, 1, Config::Six, Mode::Avg, 1.0 / 6},
        {4, 0, Config::Four, Mode::Sum, 0.0},  // channel 5 inactive
    };
    for (const auto& [channel, weightCode, config, mode, meanSquare] : cases)
    {
        PeakRmsEngine e = Made(mode, 10.0);
        Frame f = {};
        f[channel] = 1.0;
        Feed(e, f, config, weightCode, 1000);
        EXPECT_NEAR(e.WindowMeanSquare(), meanSquare, 1e-12)
            << "channel " << channel + 1 << " weightCode " << weightCode;
    }
}

TEST(PeakRmsEngine, ConfigurationSelectsTheMeasuredChannels)
{
    PeakRmsEngine e = Made();
    Feed(e, {0.9, 0.25, 0, 0, 0, 0}, Config::Right, 0, 100);
    EXPECT_EQ(e.SamplePeak(), 0.25);
    EXPECT_EQ(e.ballistics[0].held, 0.0);
    EXPECT_EQ(e.ballistics[1].held, 0.25);

    for (int32_t config : {5, -1})
    {
        e.Reset();
        Feed(e, {1, 1, 1, 1, 1, 1}, static_cast<Config>(config), 0, 20000);
        EXPECT_EQ(e.SamplePeak(), 0.0);
        EXPECT_EQ(e.WindowMeanSquare(), 0.0);
        EXPECT_EQ(e.GetTruePeakMaxDb(), -144.0);
    }

    // The true-peak read-out covers all six detectors whatever the configuration.
    e.Reset();
    Feed(e, {0, 0, 0, 0, 0, 0.5}, Config::Six, 0, 100);
    Feed(e, {0.1, 0, 0, 0, 0, 0}, Config::Left, 0, 100);
    EXPECT_GE(e.GetTruePeakMaxDb(), -6.0);  // only channel 6 reached that level
    EXPECT_EQ(e.GetPeakMaxDb(), -6.0);

    // Without truePeakOn the detectors stand still.
    e.Reset();
    e.ProcessPeak(1.0, 1.0, 0, 0, 0, 0, 0.0, Config::Stereo);
    EXPECT_EQ(e.GetTruePeakMaxDb(), -144.0);
    EXPECT_EQ(e.GetPeakMaxDb(), 0.0);
}

TEST(PeakRmsEngine, CrestOfASineAndBallisticsFallingTwentyDbInHalfASecond)
{
    PeakRmsEngine e = Made();
    for (int i = 0; i < 48000; ++i)
        Feed(e, {std::sin(2.0 * M_PI * 1000.0 * i / 48000.0 + 0.1), 0, 0, 0, 0, 0}, Config::Left);
    EXPECT_EQ(e.GetRmsIntegratedDb(), -3.0);
    EXPECT_EQ(e.GetRmsDb(), -3.0);
    EXPECT_EQ(e.GetPeakMaxDb(), 0.0);
    EXPECT_EQ(e.GetCrestDb(), 3.0);

    e.Reset();
    Feed(e, {1.0, 0, 0, 0, 0, 0}, Config::Left);
    EXPECT_EQ(e.ballistics[0].falling, 1.0);
    Feed(e, {}, Config::Left, 0, 24000);
    EXPECT_NEAR(e.ballistics[0].falling, 0.1, 1e-12);
    EXPECT_EQ(e.ballistics[0].held, 1.0);
}

// Every read-out after a programme fed as the plug-in feeds it: ballistics,
// peaks, the channels' weighting filters, then the window.
std::vector<double> ReadAfter(const std::vector<Frame>& frames, int32_t weighting)
{
    PeakRmsEngine e = Made(Mode::AvgPlus3, 300.0);
    WeightingFilter filters[6];
    for (WeightingFilter& f : filters)
        f.Setup(static_cast<WeightingMode>(weighting), 48000.0, 300.0, 1, 3400.0, 1);
    const int32_t weightCode = PeakRmsEngine::WeightCodeFor(static_cast<WeightingMode>(weighting));
    for (const Frame& x : frames)
    {
        e.ProcessBallistics(x[0], x[1], x[2], x[3], x[4], x[5], 1.0, Config::Six);
        e.ProcessPeak(x[0], x[1], x[2], x[3], x[4], x[5], 1.0, Config::Six);
        Frame w;
        for (int k = 0; k < 6; ++k)
            w[k] = filters[k].Process(x[k]);
        e.ProcessRms(w[0], w[1], w[2], w[3], w[4], w[5], 1.0, Config::Six, weightCode);
    }
    return Read(e);
}

TEST(PeakRmsEngine, ANonFiniteSampleIsMeasuredAsSilence)
{
    std::vector<Frame> frames(30000);
    for (int i = 0; i < 30000; ++i)
    {
        const double x = 0.7 * std::sin(i * 0.05);
        frames[i] = {x, -x, 0.5 * x, x * x, 0.2, -0.3 * x};
    }
    // At the start, on a window step (14400 + 3600 n) and at the end; under
    // every weighting curve.
    const std::pair<int, int> positions[] = {{0, 0}, {18000, 4}, {29999, 5}};
    for (int32_t weighting = 0; weighting <= 7; ++weighting)
        for (const auto& [frame, channel] : positions)
        {
            frames[frame][channel] = 0.0;
            const std::vector<double> silent = ReadAfter(frames, weighting);
            for (double bad : {double(NAN), double(INFINITY), -double(INFINITY)})
            {
                frames[frame][channel] = bad;
                EXPECT_EQ(ReadAfter(frames, weighting), silent)
                    << bad << " at frame " << frame << ", channel " << channel << ", weighting " << weighting;
            }
            frames[frame][channel] = 0.7 * std::sin(frame * 0.05);
        }
}

TEST(PeakRmsEngine, MeasuresCorrectlyAgainAfterOverflowAndReset)
{
    // Squares beyond the range of a double poison the running sums until a reset.
    for (int32_t weightCode : {0, 1, 2})
    {
        PeakRmsEngine e = Made(Mode::AvgPlus3);
        PeakRmsEngine fresh = Made(Mode::AvgPlus3);
        Feed(e, {1e300, -1e300, 1e300, 0.0, 1e300, 0.0}, Config::Six, weightCode, 10);
        Feed(e, {0.1, 0.1, 0.1, 0.1, 0.1, 0.1}, Config::Six, weightCode, 20000);

        e.Reset();
        for (int i = 0; i < 30000; ++i)
        {
            const double x = 0.7 * std::sin(i * 0.05);
            const Frame f = {x, -x, 0.5 * x, x * x, 0.2, -0.3 * x};
            Feed(e, f, Config::Six, weightCode);
            Feed(fresh, f, Config::Six, weightCode);
        }
        EXPECT_EQ(Read(e), Read(fresh)) << "weightCode " << weightCode;
    }
}

TEST(PeakRmsEngine, DegenerateSetUpKeepsTheRingInBounds)
{
    // A window shorter than a frame, or longer than the ring, still wraps inside it.
    const std::array<double, 3> setUps[] = {{10.0, 10000.0, 10.0}, {500.0, 100.0, 48000.0}, {10.0, 10000.0, 0.0}};
    for (const auto& [minMs, maxMs, rate] : setUps)
    {
        PeakRmsEngine e;
        e.Init(minMs, maxMs, rate);
        EXPECT_GE(e.WindowSamples(), 1);
        Feed(e, {0.5, 0, 0, 0, 0, 0}, Config::Left, 0, 10000);
        EXPECT_EQ(e.GetPeakMaxDb(), -6.0);
    }
}

}  // namespace
