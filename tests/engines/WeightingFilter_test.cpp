#include "engines/WeightingFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

WeightingFilter Made(int32_t mode, double fs, int32_t lowOrder = 0, int32_t highOrder = 0)
{
    WeightingFilter w;
    w.Setup(static_cast<WeightingMode>(mode), fs, 300.0, lowOrder, 3400.0, highOrder);
    return w;
}

// Steady-state gain in dB of a sine through a copy of the filter.
double GainDb(WeightingFilter w, double fs, double hz)
{
    const int n = static_cast<int>(fs / 2);
    double in = 0.0, out = 0.0;
    for (int i = 0; i < n; ++i)
    {
        const double x = std::sin(2.0 * kPi * hz * i / fs);
        const double y = w.Process(x);
        if (i >= n / 2)
        {
            in += x * x;
            out += y * y;
        }
    }
    return 10.0 * std::log10(out / in);
}

std::vector<double> Noise(int n)
{
    std::vector<double> v(n);
    unsigned seed = 987654321u;
    for (double& x : v)
    {
        seed = seed * 1664525u + 1013904223u;
        x = static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
    }
    return v;
}

std::vector<double> Design(const Biquad& s) { return {double(s.type), s.b0, s.b1, s.b2, s.a0, s.a1, s.a2}; }

Biquad Designed(BiquadType type, double f, double q, double gainDb, double fs)
{
    Biquad s;
    WeightingFilter::DesignBiquad(s, type, f, q, gainDb, fs);
    return s;
}

TEST(WeightingFilter, MakeupGainsAndTheModesThatPassTheSampleUnchanged)
{
    const std::pair<int32_t, double> gains[] = {
        {0, 1.0},
        {1, 0.9256568088074579},
        {2, 1.257476854367659},
        {3, 1.023292992280754},
        {4, 1.0115794542598986},
        {5, 2.0417379446695296},
        {6, 1.7762332682884383},
        {7, 1.0},
    };
    for (const auto& [mode, gain] : gains)
        EXPECT_EQ(Made(mode, 48000.0).MakeupGain(), gain) << "mode " << mode;
    EXPECT_EQ(Made(5, 96000.0).MakeupGain(), 2.0653801558105296);

    for (int32_t mode : {0, 8, -1})
    {
        WeightingFilter w = Made(mode, 48000.0);
        for (double x : Noise(1000))
            ASSERT_EQ(w.Process(x), x) << "mode " << mode;
    }
}

TEST(WeightingFilter, KWeightingAt48kHz)
{
    const WeightingFilter w = Made(1, 48000.0);
    const BilinearSection& s = w.KShelf();
    const BilinearSection& h = w.KHighPass();
    EXPECT_EQ((std::vector<double>{s.b0, s.b1, s.b2, s.a1, s.a2}),
              (std::vector<double>{1.5351248595869735, -2.691696189406388, 1.1983928108528543, -1.6906592931824103,
                                   0.7324807742158502}));
    EXPECT_EQ((std::vector<double>{h.b0, h.b1, h.b2, h.a0, h.a1, h.a2}),
              (std::vector<double>{1.0000000000000016, -2.000000000000003, 1.0000000000000016, 1.0,
                                   -1.9900474548339797, 0.9900722503662099}));
    // With the make-up gain the curve reads about 0 dB at 1 kHz.
    EXPECT_NEAR(GainDb(w, 48000.0, 1000.0), 0.0, 0.1);
    EXPECT_NEAR(GainDb(w, 48000.0, 10000.0), 3.37, 0.1);
}

TEST(WeightingFilter, FrequencyAboveNyquistIsPulledBelowIt)
{
    for (BiquadType type : {BiquadType::HighShelf, BiquadType::ResonantBand})
    {
        const Biquad clamped = Designed(type, 30000.0, 0.7, 12.0, 44100.0);
        EXPECT_EQ(Design(clamped), Design(Designed(type, 22049.0, 0.7, 12.0, 44100.0)));
        EXPECT_TRUE(std::isfinite(clamped.b0) && std::isfinite(clamped.a2));
    }
}

TEST(WeightingFilter, FlatShelfAndDoubleRateLowPassAtDc)
{
    Biquad shelf = Designed(BiquadType::HighShelf, 40000.0, 0.5, 0.0, 48000.0);
    for (double x : Noise(500))
        ASSERT_NEAR(shelf.Process(x), x, 1e-12) << "a 0 dB shelf is transparent";

    // The zero-stuffed half of each pair is made up by the factor 2.
    Biquad lp = Designed(BiquadType::LowPassDoubleRate, 12400.0, 0.48, 0.0, 48000.0);
    double y = 0.0;
    for (int i = 0; i < 2000; ++i)
        y = lp.Process(1.0);
    EXPECT_NEAR(y, 1.0, 1e-12);
}

TEST(WeightingFilter, SampleRateClassesChangeAboveTheirUpperBound)
{
    for (double fs : {48000.0, 48000.5})
    {
        const Biquad expected = fs == 48000.0 ? Designed(BiquadType::LowPassDoubleRate, 12600.0, 0.48, 0.0, fs)
                                              : Designed(BiquadType::LowPassDoubleRate, 12400.0, 0.5, 0.0, fs);
        EXPECT_EQ(Design(Made(2, fs).Section(5)), Design(expected)) << fs;
    }
    // "Leq(M)" above 192 kHz designs the 96–192 kHz row.
    const WeightingFilter m = Made(5, 384000.0);
    EXPECT_EQ(Design(m.Section(5)), Design(Designed(BiquadType::HighShelf, 30000.0, 0.7, 12.0, 384000.0)));
    EXPECT_EQ(m.MakeupDb(), 6.300000000000001);
}

// The A, B and C curves of IEC 61672 and the M curve (ITU-R 468 less 5.6 dB,
// 0 dB at 2 kHz), in dB, within 1 dB at every rate.
TEST(WeightingFilter, LeqCurvesFollowTheirStandardShapes)
{
    using Curve = std::vector<std::pair<double, double>>;  // {Hz, dB}
    const Curve a = {{100.0, -19.1}, {1000.0, 0.0}, {10000.0, -2.5}};
    const struct
    {
        int32_t mode;
        Curve points;
        double offsetDb;
    } curves[] = {
        {2, a, 0.0},
        {6, a, 3.0},
        {3, {{100.0, -5.6}, {1000.0, 0.0}, {10000.0, -4.3}}, 0.0},
        {4, {{100.0, -0.3}, {1000.0, 0.0}, {10000.0, -4.4}}, 0.0},
        {5, {{100.0, -25.7}, {1000.0, -5.6}, {6300.0, 6.6}, {10000.0, 2.5}, {12500.0, -5.6}}, 0.0},
    };
    for (double fs : {44100.0, 48000.0, 96000.0, 192000.0, 384000.0})
        for (const auto& curve : curves)
        {
            const WeightingFilter w = Made(curve.mode, fs);
            for (const auto& [hz, db] : curve.points)
                EXPECT_NEAR(GainDb(w, fs, hz), db + curve.offsetDb, 1.0)
                    << "mode " << curve.mode << " at " << fs << " Hz, " << hz << " Hz";
        }
}

TEST(WeightingFilter, BandPassRunsItsSecondSectionsOnlyWhenAsked)
{
    const WeightingFilter single = Made(7, 48000.0, 0, 0);
    const WeightingFilter twice = Made(7, 48000.0, 1, 1);
    EXPECT_NEAR(GainDb(single, 48000.0, 1000.0), 0.0, 0.5);
    for (double hz : {50.0, 15000.0})
    {
        const double g = GainDb(single, 48000.0, hz);
        EXPECT_LT(g, -15.0) << hz;
        EXPECT_NEAR(GainDb(twice, 48000.0, hz), 2.0 * g, 0.5) << hz;
    }
}

TEST(WeightingFilter, NonFiniteInputIsClearedByClearAndBySetup)
{
    const auto noise = Noise(2000);
    for (int32_t m = 0; m <= 7; ++m)
        for (bool bySetup : {false, true})
        {
            WeightingFilter w = Made(m, 48000.0, 1, 1);
            WeightingFilter fresh = Made(m, 48000.0, 1, 1);
            for (double bad : {double(NAN), double(INFINITY), -double(INFINITY), 1e308})
                w.Process(bad);
            if (bySetup)
                w.Setup(static_cast<WeightingMode>(m), 48000.0, 300.0, 1, 3400.0, 1);
            else
                w.Clear();
            for (double x : noise)
                ASSERT_EQ(w.Process(x), fresh.Process(x)) << "mode " << m << (bySetup ? " setup" : " clear");
        }
}

}  // namespace
