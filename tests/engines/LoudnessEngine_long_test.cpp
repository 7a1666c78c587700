// Long programmes through the engine against libebur128: more than an hour,
// after which only the last hour counts, and ten minutes on which a window
// step off by a frame would have drifted far from 100 ms.

#include "engines/LoudnessEngine.h"
#include "support/OwnGridCheck.h"

#include <ebur128.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

TEST(LoudnessEngineLong, AfterAnHourOnlyTheLastHourCounts)
{
    constexpr double kRate = 48000.0;
    constexpr int64_t kMinute = 60 * 48000;
    constexpr int64_t kLoudPart = 15 * kMinute;   // -14 dBFS noise
    constexpr int64_t kTotal = 77 * kMinute;      // then 62 minutes around -24 dBFS
    constexpr int32_t kChunk = 4800;

    auto e = std::make_unique<LoudnessEngine>();
    e->Init(kRate);
    std::unique_ptr<ebur128_state, void (*)(ebur128_state*)> lastHour(
        ebur128_init(2, 48000, EBUR128_MODE_I | EBUR128_MODE_LRA), [](ebur128_state* s) { ebur128_destroy(&s); });

    std::mt19937 rng(77);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::vector<double> left(kChunk), right(kChunk), interleaved(2 * kChunk);
    for (int64_t start = 0; start < kTotal; start += kChunk)
    {
        // The quiet part steps by 3 dB every 7 s around its level.
        const double db = start < kLoudPart ? -14.0 : -24.0 + 3.0 * ((start / (7 * 48000)) % 3 - 1);
        const double a = std::pow(10.0, db / 20.0);
        for (int32_t i = 0; i < kChunk; ++i)
        {
            left[i] = a * noise(rng);
            right[i] = a * noise(rng);
            interleaved[2 * i] = left[i];
            interleaved[2 * i + 1] = right[i];
        }
        const double* channels[2] = {left.data(), right.data()};
        e->ProcessBlock(channels, 2, kChunk, kEbuStereo, 1);
        if (start >= kLoudPart)
            ebur128_add_frames_double(lastHour.get(), interleaved.data(), kChunk);
    }

    ASSERT_EQ(e->integrator.Full(), 1);
    ASSERT_EQ(e->range.Full(), 1);
    double integrated = 0.0, range = 0.0;
    ebur128_loudness_global(lastHour.get(), &integrated);
    ebur128_loudness_range(lastHour.get(), &range);
    EXPECT_NEAR(e->integrator.IntegratedLoudness(), integrated, 0.1);
    EXPECT_NEAR(e->range.Range(), range, 1.0);
    // The quiet part reads about -17 LUFS; had the loud quarter hour (about
    // -7 LUFS) still counted, its blocks would have gated the rest out.
    EXPECT_LT(e->integrator.GetIntegratedLoudness(), -15.0);
}

TEST(LoudnessEngineLong, TenMinutesOfToneBurstsOnOwnGrids)
{
    for (double rate : {44100.0, 48000.0, 96000.0})
    {
        const GridComparison c = MeasureOnOwnGrids(ToneBursts(rate, 600.0));
        EXPECT_NEAR(c.ours.integrated, c.theirs.integrated, 0.05) << rate << " Hz";
    }
}

}  // namespace
