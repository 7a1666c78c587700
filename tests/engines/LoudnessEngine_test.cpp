#include "engines/LoudnessEngine.h"

#include "engines/Decibels.h"
#include "engines/PeakRmsEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <tuple>
#include <vector>

namespace {

// Six planar channels of test signal: noise and tones at different levels,
// with loud stretches and near-silence.
std::vector<std::vector<double>> Programme(int32_t frames, unsigned seed)
{
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::vector<std::vector<double>> ch(kEbuChannels, std::vector<double>(frames));
    for (int32_t k = 0; k < kEbuChannels; ++k)
    {
        for (int32_t i = 0; i < frames; ++i)
        {
            const double envelope = (i / 7001 + k) % 3 == 0 ? 1e-4 : 0.3 / (k + 1);
            ch[k][i] = envelope * (0.5 * noise(rng) + std::sin(0.05 * (k + 1) * i));
        }
    }
    return ch;
}

// Every measured value and every filter state of an engine.
std::vector<double> State(const LoudnessEngine& e)
{
    std::vector<double> s;
    for (int32_t k = 0; k < kEbuChannels; ++k)
    {
        s.insert(s.end(), {e.truePeak[k].current, e.truePeak[k].maximum, e.ballistics[k].held, e.ballistics[k].falling});
        for (const KWeightingSection* w : {&e.shelf[k], &e.highPass[k]})
            s.insert(s.end(), {w->x1, w->x2, w->y1, w->y2});
    }
    for (const MeanSquareWindow* w : {&e.momentary, &e.shortTerm})
        s.insert(s.end(), {w->BlockMeanSquare(), w->MaxMeanSquare()});
    s.insert(s.end(), {double(e.integrator.WriteIndex()), e.integrator.IntegratedLoudness(),
                       double(e.range.WriteIndex()), e.range.Range()});
    return s;
}

void RunPerFrame(LoudnessEngine& e, const std::vector<std::vector<double>>& ch, int32_t begin, int32_t end,
                 int32_t config, int32_t measure)
{
    for (int32_t i = begin; i < end; ++i)
    {
        e.ProcessPeak(ch[0][i], ch[1][i], ch[2][i], ch[3][i], ch[4][i], ch[5][i], config);
        e.ProcessLoudness(ch[0][i], ch[1][i], ch[2][i], ch[3][i], ch[4][i], ch[5][i], config, measure);
    }
}

std::vector<double> Coefficients(const KWeightingSection& s) { return {s.b0, s.b1, s.b2, s.a1, s.a2}; }

TEST(KWeightingSection, CoefficientsAt48000And44100)
{
    KWeightingSection shelf, highPass;
    shelf.DesignShelf(48000.0);
    highPass.DesignHighPass(48000.0);
    EXPECT_EQ(Coefficients(shelf), (std::vector<double>{1.5351248595869735, -2.691696189406388, 1.1983928108528543,
                                                        -1.6906592931824103, 0.7324807742158502}));
    EXPECT_EQ(Coefficients(highPass), (std::vector<double>{1.0000000000000016, -2.000000000000003, 1.0000000000000016,
                                                           -1.9900474548339797, 0.9900722503662099}));
    highPass.DesignHighPass(44100.0);
    EXPECT_EQ(Coefficients(highPass)[0], 0.9995600645425158);
    EXPECT_EQ(Coefficients(highPass)[1], -1.9991201290850316);
    EXPECT_EQ(Coefficients(highPass)[2], 0.9995600645425158);

    // Silence in, the 1e-25 terms out: the state never becomes subnormal.
    shelf.DesignShelf(48000.0);
    for (int i = 0; i < 100000; ++i)
        ASSERT_TRUE(std::isnormal(highPass.Step(shelf.Step(0.0))));
}

TEST(MeanSquareWindow, BothWindowsStepEvery100Ms)
{
    // A block on the frame that fills the window, then one every 100 ms: the
    // step is (1 − overlap) × length rounded, whether that comes out as
    // 4800.0 (momentary) or 4799.999999999999 (short-term) at 48 kHz.
    const std::tuple<double, int32_t, int32_t> rates[] = {
        {44100.0, 17640, 132300}, {48000.0, 19200, 144000}, {96000.0, 38400, 288000}};
    for (const auto& [rate, momentaryFrames, shortTermFrames] : rates)
    {
        LoudnessEngine e;
        e.Init(rate);
        ASSERT_EQ(e.momentary.WindowSamples(), momentaryFrames);
        ASSERT_EQ(e.shortTerm.WindowSamples(), shortTermFrames);
        const auto step = static_cast<int32_t>(rate / 10.0);
        for (auto* w : {&e.momentary, &e.shortTerm})
        {
            EXPECT_EQ(w->StepFrames(), step);
            std::vector<int32_t> blockFrames;
            for (int32_t frame = 1; frame <= shortTermFrames + 3 * step; ++frame)
                if (w->Push(1.0))
                    blockFrames.push_back(frame);
            ASSERT_GE(blockFrames.size(), 3u);
            EXPECT_EQ(blockFrames[0], w->WindowSamples());
            for (size_t b = 1; b < blockFrames.size(); ++b)
                ASSERT_EQ(blockFrames[b] - blockFrames[b - 1], step) << rate << " Hz, block " << b;
            EXPECT_EQ(w->BlockMeanSquare(), 1.0);
        }
    }
}

TEST(LoudnessEngine, ReadOutsAfterResetAndWithoutMeasuring)
{
    LoudnessEngine e;
    e.Init(48000.0);
    EXPECT_EQ(e.momentary.GetLoudness(), -144.0);
    EXPECT_EQ(e.shortTerm.GetMaxLoudness(), -144.0);
    EXPECT_EQ(e.integrator.GetIntegratedLoudness(), -141.0);
    EXPECT_EQ(e.range.GetRange(), 0.0);
    EXPECT_EQ(e.HasData(), 0);
    EXPECT_EQ(e.GetTruePeakMaxDb(), -144.0);

    // Just short of the first momentary block: still -144.0.
    const double a = std::pow(10.0, -23.0 / 20.0);
    for (int32_t i = 0; i < 19199; ++i)
        e.ProcessLoudness(a * std::sin(i * 0.1309), 0, 0, 0, 0, 0, kEbuMono, 0);
    EXPECT_EQ(e.momentary.GetLoudness(), -144.0);

    // measure 0: the windows run, the integrator and the range get nothing.
    for (int32_t i = 19199; i < 200000; ++i)
        e.ProcessLoudness(a * std::sin(i * 0.1309), 0, 0, 0, 0, 0, kEbuMono, 0);
    EXPECT_GT(e.momentary.GetLoudness(), -30.0);
    EXPECT_GT(e.shortTerm.GetLoudness(), -30.0);
    EXPECT_EQ(e.HasData(), 0);
    EXPECT_EQ(e.integrator.GetIntegratedLoudness(), -141.0);
    EXPECT_EQ(e.range.StoredCount(), 0);

    e.ProcessPeak(0.5, 0, 0, 0, 0, 0, kEbuMono);
    EXPECT_GT(e.GetTruePeakMaxDb(), -144.0);
    e.Reset();
    EXPECT_EQ(e.GetTruePeakMaxDb(), -144.0);
    EXPECT_EQ(e.momentary.GetMaxLoudness(), -144.0);
}

TEST(LoudnessEngine, SurroundWeights)
{
    // "5.1": the LFE (channel 4) counts nothing, the surrounds 1.41 times.
    const double a = 0.1;
    auto meanSquare = [a](int channel) {
        LoudnessEngine e;
        e.Init(48000.0);
        for (int32_t i = 0; i < 19200; ++i)
        {
            double x[kEbuChannels] = {};
            x[channel] = a * std::sin(i * 0.1309);
            e.ProcessLoudness(x[0], x[1], x[2], x[3], x[4], x[5], kEbuSurround, 1);
        }
        return e.momentary.BlockMeanSquare();
    };
    const double front = meanSquare(0);
    EXPECT_GT(front, 1e-3);
    EXPECT_LT(meanSquare(3), 1e-30);
    EXPECT_NEAR(meanSquare(4) / front, 1.41, 1e-12);
    EXPECT_NEAR(meanSquare(2) / front, 1.0, 1e-12);
}

TEST(LoudnessEngine, ChannelsBeyondTheConfigurationAreSilent)
{
    // "2.0" ignores channels 3 to 6 in both the peak and the loudness path;
    // a configuration below "1.0" counts as "1.0", one beyond "5.1" as "5.1".
    const auto ch = Programme(30000, 11);
    auto onlyStereo = ch;
    for (int32_t k = 2; k < kEbuChannels; ++k)
        std::fill(onlyStereo[k].begin(), onlyStereo[k].end(), 0.0);
    const std::tuple<int32_t, int32_t, bool> cases[] = {
        {kEbuStereo, kEbuStereo, true}, {-3, kEbuMono, false}, {9, kEbuSurround, false}};
    for (const auto& [config, equivalent, silenced] : cases)
    {
        LoudnessEngine given, expected;
        given.Init(44100.0);
        expected.Init(44100.0);
        RunPerFrame(given, ch, 0, 30000, config, 1);
        RunPerFrame(expected, silenced ? onlyStereo : ch, 0, 30000, equivalent, 1);
        EXPECT_EQ(State(given), State(expected)) << "config " << config;
    }
}

TEST(LoudnessEngine, BlockInterfaceEqualsPerFrameCalls)
{
    // Several rates (each true-peak factor), every configuration, uneven
    // block lengths, measuring switched on and off, channels missing beyond
    // the count or as null pointers.
    for (double rate : {8000.0, 44100.0, 96000.0, 192000.0})
    {
        const auto frames = static_cast<int32_t>(rate * 3.3);
        const auto ch = Programme(frames, static_cast<unsigned>(rate));
        for (int32_t config = kEbuMono; config <= kEbuSurround; ++config)
        {
            LoudnessEngine perFrame, block;
            perFrame.Init(rate);
            block.Init(rate);
            std::mt19937 rng(config);
            const int32_t channelCount = config == kEbuQuad ? 3 : kEbuChannels;
            const int32_t nullChannel = config == kEbuSurround ? 1 : -1;
            auto seen = ch;
            for (int32_t k = 0; k < kEbuChannels; ++k)
                if (k >= channelCount || k == nullChannel)
                    std::fill(seen[k].begin(), seen[k].end(), 0.0);
            for (int32_t start = 0; start < frames;)
            {
                const int32_t n = std::min(frames - start, std::uniform_int_distribution<int32_t>(0, 1500)(rng));
                const int32_t measure = (start / 50000) % 3 != 2;
                RunPerFrame(perFrame, seen, start, start + n, config, measure);
                const double* p[kEbuChannels];
                for (int32_t k = 0; k < kEbuChannels; ++k)
                    p[k] = k == nullChannel ? nullptr : ch[k].data() + start;
                block.ProcessBlock(p, channelCount, n, config, measure);
                start += n;
            }
            ASSERT_EQ(State(perFrame), State(block)) << "rate " << rate << " config " << config;
            EXPECT_EQ(perFrame.HasData(), 1);
        }
    }
}

TEST(LoudnessEngine, MeasuresCorrectlyAgainAfterNonFiniteInputAndReset)
{
    const auto ch = Programme(200000, 9);
    LoudnessEngine hit, clean;
    hit.Init(48000.0);
    clean.Init(48000.0);
    const double hostile[] = {NAN, INFINITY, -INFINITY, 1e300, -1e300};
    for (double x : hostile)
    {
        for (int32_t i = 0; i < 30000; ++i)
        {
            hit.ProcessPeak(x, x, x, x, x, x, kEbuSurround);
            hit.ProcessLoudness(x, -x, x, x, 0.5, x, kEbuSurround, 1);
        }
    }
    hit.Reset();
    RunPerFrame(hit, ch, 0, 200000, kEbuSurround, 1);
    RunPerFrame(clean, ch, 0, 200000, kEbuSurround, 1);
    EXPECT_EQ(State(hit), State(clean));
    EXPECT_EQ(hit.HasData(), 1);
    EXPECT_EQ(hit.GetTruePeakMaxDb(), clean.GetTruePeakMaxDb());
}

// The engine's state after the programme, per frame or in blocks of 1000.
std::vector<double> StateAfter(double rate, const std::vector<std::vector<double>>& ch, bool blocks)
{
    LoudnessEngine e;
    e.Init(rate);
    const auto frames = static_cast<int32_t>(ch[0].size());
    if (!blocks)
        RunPerFrame(e, ch, 0, frames, kEbuSurround, 1);
    for (int32_t start = 0; blocks && start < frames; start += 1000)
    {
        const double* p[kEbuChannels];
        for (int32_t k = 0; k < kEbuChannels; ++k)
            p[k] = ch[k].data() + start;
        e.ProcessBlock(p, kEbuChannels, std::min(1000, frames - start), kEbuSurround, 1);
    }
    return State(e);
}

TEST(LoudnessEngine, ANonFiniteSampleIsMeasuredAsSilence)
{
    // At each true-peak factor, per frame and in blocks; at the start, at the
    // edges of the engine's 256-frame chunks, on the frame that fills the
    // momentary window and at the end.
    for (double rate : {48000.0, 96000.0, 192000.0})
    {
        auto ch = Programme(40000, 5);
        const int32_t positions[][2] = {{0, 0}, {255, 3}, {256, 5}, {19199, 1}, {19200, 4}, {39999, 2}};
        for (const auto& [frame, channel] : positions)
        {
            ch[channel][frame] = 0.0;
            for (bool blocks : {false, true})
            {
                const std::vector<double> silent = StateAfter(rate, ch, blocks);
                for (double bad : {double(NAN), double(INFINITY), -double(INFINITY)})
                {
                    ch[channel][frame] = bad;
                    EXPECT_EQ(StateAfter(rate, ch, blocks), silent)
                        << bad << " at frame " << frame << ", channel " << channel << ", " << rate << " Hz"
                        << (blocks ? " in blocks" : " per frame");
                }
                ch[channel][frame] = 0.0;
            }
        }
    }
}

// 10 s of a stereo 1 kHz sine at -20 dBFS at 48 kHz, as planar channels,
// with `alter(frame, left, right)` putting in extreme values or silence.
template <class Alter>
std::vector<std::vector<double>> TenSecondSine(Alter alter)
{
    std::vector<std::vector<double>> ch(2, std::vector<double>(480000));
    for (int32_t i = 0; i < 480000; ++i)
    {
        ch[0][i] = ch[1][i] = 0.1 * std::sin(2.0 * M_PI * 1000.0 * i / 48000.0);
        alter(i, ch[0][i], ch[1][i]);
    }
    return ch;
}

// Every reading taken from a running sum at the end of the programme, in dB
// and not rounded: the loudness engine's momentary and short-term windows
// (fed in blocks) and its integrator and range (holding 2 s of blocks, so
// that whatever entered them has left by the end), then the peak/RMS
// engine's 400 ms and 3 s windows.
std::vector<double> RunningSumReadings(const std::vector<std::vector<double>>& ch)
{
    LoudnessEngine e;
    e.Init(48000.0);
    e.integrator.Init(20);
    e.range.Init(20);
    const auto frames = static_cast<int32_t>(ch[0].size());
    for (int32_t start = 0; start < frames; start += 512)
    {
        const double* p[2] = {ch[0].data() + start, ch[1].data() + start};
        e.ProcessBlock(p, 2, std::min(512, frames - start), kEbuStereo, 1);
    }
    std::vector<double> r = {MeanSquareToLoudness(e.momentary.BlockMeanSquare()),
                             MeanSquareToLoudness(e.shortTerm.BlockMeanSquare()),
                             e.integrator.IntegratedLoudness(),
                             e.integrator.UngatedLoudness(),
                             e.range.Range(),
                             e.range.UngatedLoudness()};
    for (double ms : {400.0, 3000.0})
    {
        PeakRmsEngine rms;
        rms.Init(10.0, 10000.0, 48000.0);
        rms.SetRmsWindow(ms, 1.0 - 100.0 / ms);
        for (int32_t i = 0; i < frames; ++i)
            rms.ProcessRms(ch[0][i], ch[1][i], 0, 0, 0, 0, 1.0, RmsChannelConfig::Stereo, PeakRmsEngine::kWeightFlat);
        r.push_back(AmplitudeToDb(std::sqrt(rms.WindowMeanSquare())));
    }
    return r;
}

TEST(RunningSums, AnExtremeValueLeavesNoTraceOnceItHasLeft)
{
    const std::vector<double> plain = RunningSumReadings(TenSecondSine([](int32_t, double&, double&) {}));
    EXPECT_EQ(RoundToTenth(plain[0]), -20.0);
    EXPECT_EQ(RoundToTenth(plain[1]), -20.0);

    // One sample of 1e8 at 1 s; a second of the sine at 1e5 from 1 s. By the
    // end both have left every window and store: each reading is within
    // 0.01 dB of the programme's without them.
    const std::pair<const char*, std::vector<std::vector<double>>> extremes[] = {
        {"one sample of 1e8", TenSecondSine([](int32_t i, double& l, double&) {
             if (i == 48000)
                 l = 1e8;
         })},
        {"a second at 1e5", TenSecondSine([](int32_t i, double& l, double& r) {
             if (i >= 48000 && i < 96000)
                 l = r = l * 1e6;
         })},
    };
    for (const auto& [name, programme] : extremes)
    {
        const std::vector<double> r = RunningSumReadings(programme);
        for (size_t k = 0; k < r.size(); ++k)
            EXPECT_NEAR(r[k], plain[k], 0.01) << name << ", reading " << k;
    }

    // Loud programme (0 dBFS, then 1e5), then 6 s of digital silence: every
    // window reads the floor.
    for (double loud : {1.0, 1e5})
    {
        const std::vector<double> r = RunningSumReadings(TenSecondSine([loud](int32_t i, double& l, double& r) {
            l = r = i < 192000 ? l * 10.0 * loud : 0.0;
        }));
        for (size_t k : {0, 1, 6, 7})
            EXPECT_EQ(r[k], -144.0) << "silence after " << loud << ", reading " << k;
    }
}

}  // namespace
