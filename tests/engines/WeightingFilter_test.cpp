#include "engines/WeightingFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

WeightingFilter Made(WeightingMode mode, double fs, int32_t lowOrder = 0, int32_t highOrder = 0)
{
    WeightingFilter w;
    w.Setup(mode, fs, 300.0, lowOrder, 3400.0, highOrder);
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

bool SameDesign(const Biquad& a, const Biquad& b)
{
    return a.type == b.type && a.b0 == b.b0 && a.b1 == b.b1 && a.b2 == b.b2 && a.a0 == b.a0 && a.a1 == b.a1 &&
           a.a2 == b.a2;
}

// The A, B and C curves of IEC 61672 and the M curve (ITU-R 468 less 5.6 dB,
// 0 dB at 2 kHz), in dB at the frequencies checked below.
struct CurvePoint
{
    double hz, db;
};

TEST(WeightingFilter, FlatAndUnknownModesPassTheSampleUnchanged)
{
    const auto noise = Noise(1000);
    for (int32_t m : {0, 8, -1})
    {
        WeightingFilter w = Made(static_cast<WeightingMode>(m), 48000.0);
        for (double x : noise)
            ASSERT_EQ(w.Process(x), x) << "mode " << m;
    }
}

TEST(WeightingFilter, KWeightingAt48kHz)
{
    const WeightingFilter w = Made(WeightingMode::Bs1770, 48000.0);
    const BilinearSection& shelf = w.KShelf();
    EXPECT_EQ(shelf.b0, 1.5351248595869735);
    EXPECT_EQ(shelf.b1, -2.691696189406388);
    EXPECT_EQ(shelf.b2, 1.1983928108528543);
    EXPECT_EQ(shelf.a1, -1.6906592931824103);
    EXPECT_EQ(shelf.a2, 0.7324807742158502);
    const BilinearSection& hp = w.KHighPass();
    EXPECT_EQ(hp.b0, 1.0000000000000016);
    EXPECT_EQ(hp.b1, -2.000000000000003);
    EXPECT_EQ(hp.b2, 1.0000000000000016);
    EXPECT_EQ(hp.a1, -1.9900474548339797);
    EXPECT_EQ(hp.a2, 0.9900722503662099);
    EXPECT_EQ(hp.a0, 1.0);
    EXPECT_EQ(w.MakeupGain(), 0.9256568088074579);

    // Elsewhere the loudness engine's differently ordered design may differ in
    // the last bits.
    const WeightingFilter w44 = Made(WeightingMode::Bs1770, 44100.0);
    EXPECT_DOUBLE_EQ(w44.KHighPass().b0, 0.9995600645425158);
    EXPECT_DOUBLE_EQ(w44.KHighPass().b1, -1.9991201290850316);

    // With the make-up gain the curve reads about 0 dB at 1 kHz.
    EXPECT_NEAR(GainDb(w, 48000.0, 1000.0), 0.0, 0.1);
    EXPECT_NEAR(GainDb(w, 48000.0, 10000.0), 3.37, 0.1);
}

TEST(WeightingFilter, MakeupGains)
{
    const struct
    {
        WeightingMode mode;
        double gain;
    } cases[] = {
        {WeightingMode::Flat, 1.0},
        {WeightingMode::Bs1770, 0.9256568088074579},
        {WeightingMode::LeqA, 1.257476854367659},
        {WeightingMode::LeqB, 1.023292992280754},
        {WeightingMode::LeqC, 1.0115794542598986},
        {WeightingMode::LeqM, 2.0417379446695296},
        {WeightingMode::LeqAPlus3, 1.7762332682884383},
        {WeightingMode::BandPass, 1.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Made(c.mode, 48000.0).MakeupGain(), c.gain) << "mode " << static_cast<int>(c.mode);
    EXPECT_EQ(Made(WeightingMode::LeqM, 96000.0).MakeupGain(), 2.0653801558105296);
}

TEST(WeightingFilter, FrequencyAboveNyquistIsPulledBelowIt)
{
    Biquad clamped, direct;
    WeightingFilter::DesignBiquad(clamped, BiquadType::HighShelf, 30000.0, 0.7, 12.0, 44100.0);
    WeightingFilter::DesignBiquad(direct, BiquadType::HighShelf, 22049.0, 0.7, 12.0, 44100.0);
    EXPECT_TRUE(SameDesign(clamped, direct));
    WeightingFilter::DesignBiquad(clamped, BiquadType::ResonantBand, 30000.0, 0.5, 0.0, 44100.0);
    WeightingFilter::DesignBiquad(direct, BiquadType::ResonantBand, 22049.0, 0.5, 0.0, 44100.0);
    EXPECT_TRUE(SameDesign(clamped, direct));
    EXPECT_TRUE(std::isfinite(clamped.b0) && std::isfinite(clamped.a2));
}

TEST(WeightingFilter, FlatShelfAndDoubleRateLowPassAtDc)
{
    // A 0 dB shelf is transparent.
    Biquad shelf;
    WeightingFilter::DesignBiquad(shelf, BiquadType::HighShelf, 40000.0, 0.5, 0.0, 48000.0);
    for (double x : Noise(500))
        ASSERT_NEAR(shelf.Process(x), x, 1e-12);

    // The zero-stuffed half of each pair is made up by the factor 2.
    Biquad lp;
    WeightingFilter::DesignBiquad(lp, BiquadType::LowPassDoubleRate, 12400.0, 0.48, 0.0, 48000.0);
    double y = 0.0;
    for (int i = 0; i < 2000; ++i)
        y = lp.Process(1.0);
    EXPECT_NEAR(y, 1.0, 1e-12);
}

TEST(WeightingFilter, SampleRateClassesChangeAboveTheirUpperBound)
{
    const double fs = 48000.0;
    Biquad expected;
    WeightingFilter::DesignBiquad(expected, BiquadType::LowPassDoubleRate, 12600.0, 0.48, 0.0, fs);
    EXPECT_TRUE(SameDesign(Made(WeightingMode::LeqA, fs).Section(5), expected));
    WeightingFilter::DesignBiquad(expected, BiquadType::LowPassDoubleRate, 12400.0, 0.5, 0.0, 48000.5);
    EXPECT_TRUE(SameDesign(Made(WeightingMode::LeqA, 48000.5).Section(5), expected));

    // "Leq(M)" above 192 kHz designs the 96–192 kHz row.
    const WeightingFilter m = Made(WeightingMode::LeqM, 384000.0);
    WeightingFilter::DesignBiquad(expected, BiquadType::HighShelf, 30000.0, 0.7, 12.0, 384000.0);
    EXPECT_TRUE(SameDesign(m.Section(5), expected));
    EXPECT_EQ(m.MakeupDb(), 6.300000000000001);
}

TEST(WeightingFilter, LeqCurvesFollowTheirStandardShapes)
{
    const CurvePoint a[] = {{100.0, -19.1}, {1000.0, 0.0}, {10000.0, -2.5}};
    const CurvePoint b[] = {{100.0, -5.6}, {1000.0, 0.0}, {10000.0, -4.3}};
    const CurvePoint c[] = {{100.0, -0.3}, {1000.0, 0.0}, {10000.0, -4.4}};
    const CurvePoint m[] = {{100.0, -25.7}, {1000.0, -5.6}, {6300.0, 6.6}, {10000.0, 2.5}, {12500.0, -5.6}};
    const struct
    {
        WeightingMode mode;
        const CurvePoint* points;
        int count;
        double offsetDb;
    } curves[] = {
        {WeightingMode::LeqA, a, 3, 0.0},      {WeightingMode::LeqAPlus3, a, 3, 3.0},
        {WeightingMode::LeqB, b, 3, 0.0},      {WeightingMode::LeqC, c, 3, 0.0},
        {WeightingMode::LeqM, m, 5, 0.0},
    };
    for (double fs : {44100.0, 48000.0, 96000.0, 192000.0, 384000.0})
        for (const auto& curve : curves)
        {
            const WeightingFilter w = Made(curve.mode, fs);
            for (int i = 0; i < curve.count; ++i)
            {
                const CurvePoint p = curve.points[i];
                EXPECT_NEAR(GainDb(w, fs, p.hz), p.db + curve.offsetDb, 1.0)
                    << "mode " << static_cast<int>(curve.mode) << " at " << fs << " Hz, " << p.hz << " Hz";
            }
        }
}

TEST(WeightingFilter, BandPassRunsItsSecondSectionsOnlyWhenAsked)
{
    const WeightingFilter single = Made(WeightingMode::BandPass, 48000.0, 0, 0);
    const WeightingFilter twice = Made(WeightingMode::BandPass, 48000.0, 1, 1);
    EXPECT_NEAR(GainDb(single, 48000.0, 1000.0), 0.0, 0.5);
    for (double hz : {300.0, 3400.0})
        EXPECT_NEAR(GainDb(single, 48000.0, hz), -3.0, 0.5) << hz;
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
            const auto mode = static_cast<WeightingMode>(m);
            WeightingFilter w = Made(mode, 48000.0, 1, 1);
            WeightingFilter fresh = Made(mode, 48000.0, 1, 1);
            for (double bad : {double(NAN), double(INFINITY), -double(INFINITY), 1e308})
                w.Process(bad);
            if (bySetup)
                w.Setup(mode, 48000.0, 300.0, 1, 3400.0, 1);
            else
                w.Clear();
            for (double x : noise)
                ASSERT_EQ(w.Process(x), fresh.Process(x)) << "mode " << m << (bySetup ? " setup" : " clear");
        }
}

}  // namespace
