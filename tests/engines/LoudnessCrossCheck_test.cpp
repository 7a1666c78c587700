// Cross-check against libebur128 on varied synthetic programmes: integrated
// loudness, loudness range, and the momentary and short-term maxima (read from
// libebur128 at the instants this engine completes its blocks, so that both
// measure the same windows); true peak on sines only (interpolators disagree
// by more than 1 dB on broadband noise).
//
// libebur128 takes the short-term blocks of the range once a second, this
// engine every 100 ms: on programmes whose level changes within seconds the
// two ranges part (by 1.7 LU on the bursts below). The range algorithm itself
// is checked exactly by feeding a second LoudnessRange every tenth short-term
// block of the engine, which must then agree with libebur128.

#include "engines/Decibels.h"
#include "engines/LoudnessEngine.h"
#include "support/OwnGridCheck.h"
#include "support/TestProgrammes.h"

#include <ebur128.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace {

// libebur128's channel roles matching the position weights of each
// configuration: 1.41 is its surround weight, and it ignores unused channels.
const std::vector<int> kChannelMap[kEbuConfigCount] = {
    {EBUR128_LEFT},
    {EBUR128_LEFT, EBUR128_RIGHT},
    {EBUR128_LEFT, EBUR128_RIGHT, EBUR128_LEFT_SURROUND, EBUR128_RIGHT_SURROUND},
    {EBUR128_LEFT, EBUR128_RIGHT, EBUR128_LEFT_SURROUND, EBUR128_RIGHT_SURROUND, EBUR128_UNUSED},
    {EBUR128_LEFT, EBUR128_RIGHT, EBUR128_CENTER, EBUR128_UNUSED, EBUR128_LEFT_SURROUND, EBUR128_RIGHT_SURROUND},
};

struct Figures
{
    double integrated, range, momentaryMax, shortTermMax, truePeakDb;
    double rangeEverySecond;  // ours from every tenth short-term block
};

struct Comparison
{
    Figures ours, theirs;
};

Comparison Compare(const Programme& p)
{
    const std::vector<int>& map = kChannelMap[p.config];
    const auto channels = static_cast<unsigned>(map.size());
    std::unique_ptr<ebur128_state, void (*)(ebur128_state*)> st(
        ebur128_init(channels, static_cast<unsigned long>(p.rate),
                     EBUR128_MODE_M | EBUR128_MODE_S | EBUR128_MODE_I | EBUR128_MODE_LRA | EBUR128_MODE_TRUE_PEAK),
        [](ebur128_state* s) { ebur128_destroy(&s); });
    for (unsigned k = 0; k < channels; ++k)
        ebur128_set_channel(st.get(), k, map[k]);

    auto e = std::make_unique<LoudnessEngine>();
    e->Init(p.rate);
    auto everySecond = std::make_unique<LoudnessRange>();
    everySecond->Init(LoudnessEngine::kBlockCapacity);
    int64_t shortTermBlocks = 0;
    std::vector<double> pending;
    double theirM = -HUGE_VAL, theirS = -HUGE_VAL;
    auto feed = [&] {
        ebur128_add_frames_double(st.get(), pending.data(), pending.size() / channels);
        pending.clear();
    };
    for (int64_t i = 0; i < p.frames; ++i)
    {
        double x[kEbuChannels] = {};
        p.sample(i, x);
        pending.insert(pending.end(), x, x + channels);
        e->ProcessPeak(x[0], x[1], x[2], x[3], x[4], x[5], p.config);
        e->ProcessLoudness(x[0], x[1], x[2], x[3], x[4], x[5], p.config, 1);
        double v;
        if (e->momentary.BlockReady())
        {
            feed();
            ebur128_loudness_momentary(st.get(), &v);
            theirM = std::max(theirM, v);
        }
        if (e->shortTerm.BlockReady())
        {
            feed();
            ebur128_loudness_shortterm(st.get(), &v);
            theirS = std::max(theirS, v);
            if (shortTermBlocks++ % 10 == 0)
                everySecond->Compute(e->shortTerm.BlockMeanSquare());
        }
    }
    feed();

    Comparison c;
    c.ours = {e->integrator.IntegratedLoudness(), e->range.Range(),
              MeanSquareToLoudness(e->momentary.MaxMeanSquare()), MeanSquareToLoudness(e->shortTerm.MaxMeanSquare()),
              e->GetTruePeakMaxDb(), everySecond->Range()};
    c.theirs.momentaryMax = theirM;
    c.theirs.shortTermMax = theirS;
    ebur128_loudness_global(st.get(), &c.theirs.integrated);
    ebur128_loudness_range(st.get(), &c.theirs.range);
    double peak = 0.0;
    for (unsigned k = 0; k < channels; ++k)
    {
        double v = 0.0;
        ebur128_true_peak(st.get(), k, &v);
        peak = std::max(peak, v);
    }
    c.theirs.truePeakDb = 20.0 * std::log10(peak);
    return c;
}

void ExpectAgreement(const Comparison& c, const char* what, double rangeTolerance = 1.0)
{
    SCOPED_TRACE(what);
    // Both step 400 ms blocks every 100 ms, on grids 1 frame apart per block
    // (4801 against 4800 at 48 kHz): the same measure within ±0.1 LU.
    EXPECT_NEAR(c.ours.integrated, c.theirs.integrated, 0.1);
    EXPECT_NEAR(c.ours.range, c.theirs.range, rangeTolerance);
    EXPECT_NEAR(c.ours.rangeEverySecond, c.theirs.range, 0.01);
    // The same windows: only the filter designs differ (by up to 0.03 LU on
    // white noise at 96 kHz, whose energy reaches far above 20 kHz).
    EXPECT_NEAR(c.ours.momentaryMax, c.theirs.momentaryMax, 0.1);
    EXPECT_NEAR(c.ours.shortTermMax, c.theirs.shortTermMax, 0.1);
}

TEST(LoudnessCrossCheck, SteppedNoiseInStereo)
{
    const ChannelDb db = {0.0, -3.0, -1000.0, -1000.0, -1000.0, -1000.0};
    ExpectAgreement(Compare(SteppedNoise(48000.0, kEbuStereo, 30.0, 2.0, {-20, -26, -14, -35, -23, -30}, db)),
                    "48 kHz");
    ExpectAgreement(Compare(SteppedNoise(44100.0, kEbuStereo, 20.0, 1.3, {-18, -40, -24}, db)), "44.1 kHz");
    ExpectAgreement(Compare(SteppedNoise(96000.0, kEbuStereo, 20.0, 3.1, {-10, -22, -31, -16}, db)), "96 kHz");
}

TEST(LoudnessCrossCheck, SurroundAndOtherLayouts)
{
    // 5.1 with a loud LFE that both ignore and quieter surrounds.
    const ChannelDb surround = {0.0, -2.0, -4.0, 6.0, -8.0, -9.0};
    ExpectAgreement(Compare(SteppedNoise(48000.0, kEbuSurround, 40.0, 1.7, {-25, -19, -33}, surround)), "5.1 48 kHz");
    ExpectAgreement(Compare(SteppedNoise(96000.0, kEbuSurround, 20.0, 2.2, {-21, -28}, surround)), "5.1 96 kHz");
    ExpectAgreement(Compare(SteppedNoise(44100.0, kEbuQuad, 12.0, 2.5, {-24, -30}, surround)), "4.0");
    ExpectAgreement(Compare(SteppedNoise(48000.0, kEbuQuadLfe, 12.0, 2.5, {-24, -17}, surround)), "4.1");
    ExpectAgreement(Compare(SteppedNoise(44100.0, kEbuMono, 12.0, 1.1, {-20, -27}, surround)), "1.0");
}

TEST(LoudnessCrossCheck, BurstsAndSilences)
{
    // Tones of different pitch and length between stretches of silence.
    Programme p;
    p.rate = 44100.0;
    p.frames = static_cast<int64_t>(40.0 * p.rate);
    p.sample = [](int64_t frame, double* x) {
        const double t = static_cast<double>(frame) / 44100.0;
        const int burst = static_cast<int>(t / 2.5);
        const double within = t - burst * 2.5;
        const double length = 0.3 + 0.35 * (burst % 6);
        if (within >= length)
            return;
        const double hz = (burst % 3 == 0) ? 1000.0 : (burst % 3 == 1) ? 5000.0 : 150.0;
        const double a = Amplitude(-12.0 - 3.0 * (burst % 5));
        x[0] = a * std::sin(2.0 * M_PI * hz * t);
        x[1] = 0.7 * x[0];
    };
    // Bursts shorter than the 1 s sampling of libebur128's range: the ranges
    // part by 1.68 LU (see above); the range of every tenth block agrees.
    ExpectAgreement(Compare(p), "bursts", 1.7);
}

TEST(LoudnessCrossCheck, GatingEdges)
{
    // Levels at the absolute gate (-70 LUFS) and at 10 and 20 LU below the
    // louder stretches, where the relative gates fall.
    const ChannelDb db = {0.0, 0.0, -1000.0, -1000.0, -1000.0, -1000.0};
    ExpectAgreement(Compare(SteppedNoise(48000.0, kEbuStereo, 36.0, 4.0, {-66.0, -69.5, -71.0, -75.0}, db)),
                    "absolute gate");
    ExpectAgreement(Compare(SteppedNoise(48000.0, kEbuStereo, 36.0, 3.0, {-20.0, -29.0, -30.5, -39.5, -41.0}, db)),
                    "relative gates");
}

TEST(LoudnessCrossCheck, TruePeakOfSines)
{
    struct Case
    {
        double rate, hz, degrees;
    };
    const Case cases[] = {{48000, 1000, 0}, {48000, 12000, 45}, {44100, 997, 30}, {96000, 5000, 10}, {192000, 1000, 0}};
    for (const Case& s : cases)
    {
        const Comparison c = Compare(
            SineProgramme(s.rate, s.hz, {{2.0, -3.0}}, kStereoDb, kEbuStereo, s.degrees * M_PI / 180.0, 0.02));
        EXPECT_LE(c.ours.truePeakDb - c.theirs.truePeakDb, 0.2) << s.rate << " Hz, " << s.hz << " Hz";
        EXPECT_GE(c.ours.truePeakDb - c.theirs.truePeakDb, -0.4) << s.rate << " Hz, " << s.hz << " Hz";
    }
}

TEST(LoudnessCrossCheck, OnOwnGridsWithinFiveHundredthsAtEachRate)
{
    // Both step every 100 ms; each reads on its own grid. (The long test runs
    // the bursts for ten minutes, where a step drifting by a frame would part
    // the two by 0.36 LU.)
    for (double rate : {44100.0, 48000.0, 96000.0})
    {
        const std::pair<const char*, Programme> programmes[] = {
            {"tone bursts", ToneBursts(rate, 20.0)},
            {"quiet parts at the relative gate", QuietPartsAtTheRelativeGate(rate, 40.0)},
        };
        for (const auto& [name, programme] : programmes)
        {
            SCOPED_TRACE(testing::Message() << name << ", " << rate << " Hz");
            const GridComparison c = MeasureOnOwnGrids(programme);
            EXPECT_NEAR(c.ours.integrated, c.theirs.integrated, 0.05);
            EXPECT_NEAR(c.ours.momentaryMax, c.theirs.momentaryMax, 0.05);
            EXPECT_NEAR(c.ours.shortTermMax, c.theirs.shortTermMax, 0.05);
        }
    }
}

}  // namespace
