#include "engines/TruePeakDetector.h"

#include "platform/CpuFeatures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

// The filter as a ring with a modulo per tap, written out literally: the
// optimised detector must give the same bits.
struct RingTruePeak
{
    const double* taps = nullptr;
    int factor = 1;
    double normaliser = 1.0;
    double ring[48] = {};
    int writeIndex = 0;
    double current = 0.0, maximum = 0.0;

    explicit RingTruePeak(double sampleRate)
    {
        const auto f = static_cast<long>(sampleRate);
        factor = f <= 48000 ? 4 : f <= 96000 ? 2 : 1;
        taps = factor == 4 ? TruePeakDetector::QuadTaps() : TruePeakDetector::DoubleTaps();
        double sum = 0.0;
        for (int k = 0; k < 48; ++k)
            sum += taps[k];
        normaliser = factor > 1 ? 1.0 / sum : 1.0;
    }

    void Process(double x)
    {
        current = factor == 1 ? std::fabs(x) : 0.0;
        for (int p = 0; factor > 1 && p < factor; ++p)
        {
            ring[writeIndex] = factor * x;
            double acc = 0.0;
            for (int k = 47 - p; k >= 0; k -= factor)
                acc += ring[(k + writeIndex + 1) % 48] * taps[k];
            writeIndex = (writeIndex + 1) % 48;
            if (std::fabs(acc) > current)
                current = std::fabs(acc);
        }
        current = normaliser * current;
        if (std::fabs(x) > current)
            current = std::fabs(x);
        if (current > maximum)
            maximum = current;
    }
};

TEST(TruePeakDetector, FactorFollowsTheTruncatedRate)
{
    TruePeakDetector d;
    const std::pair<double, int> rates[] = {{48000.9, 4}, {48001.0, 2}, {96000.9, 2}, {96001.0, 1},
                                            {HUGE_VAL, 1}, {NAN, 1}};
    for (const auto& [rate, factor] : rates)
    {
        d.Init(rate);
        EXPECT_EQ(d.Factor(), factor) << rate;
    }
    d.Process(-0.37);
    EXPECT_EQ(d.current, 0.37) << "unoversampled: |x|";
}

TEST(TruePeakDetector, ConstantInputSettlesToTheFiltersDcGain)
{
    TruePeakDetector d;
    d.Init(48000.0);
    std::vector<double> seen;
    for (int i = 0; i < 30; ++i)
    {
        d.Process(1.0);
        seen.push_back(d.current);
    }
    // While the interpolation still rises below the input (0.253 at first,
    // 0.909 on the sixth sample), the sample itself is the estimate.
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(seen[i], 1.0) << "sample " << i;
    EXPECT_DOUBLE_EQ(seen[6], 1.1301928783382789);
    for (int i = 11; i < 30; ++i)
        EXPECT_DOUBLE_EQ(seen[i], 1.01446587537092) << "sample " << i;
    EXPECT_DOUBLE_EQ(d.maximum, 1.1301928783382789);

    d.Init(96000.0);
    for (int i = 0; i < 30; ++i)
    {
        d.Process(1.0);
        if (i >= 23)
        {
            EXPECT_DOUBLE_EQ(d.current, 1.0000000000000002) << "sample " << i;
        }
    }
    EXPECT_DOUBLE_EQ(d.maximum, 1.1307600989522744);
}

// A negative sample reads as its absolute value, and Reset forgets even
// non-finite input.
TEST(TruePeakDetector, SignIsIgnoredAndResetForgetsNonFiniteInput)
{
    TruePeakDetector d, clean;
    d.Init(48000.0);
    clean.Init(48000.0);
    for (double bad : {double(NAN), double(INFINITY), -double(INFINITY)})
        d.Process(bad);
    d.Reset();
    for (int i = 0; i < 200; ++i)
    {
        const double x = 0.8 * std::sin(i * 0.3);
        d.Process(-x);
        clean.Process(x);
        ASSERT_EQ(d.current, clean.current) << "sample " << i;
    }
    EXPECT_EQ(d.maximum, clean.maximum);
}

// Every way of feeding the detector (one sample, blocks of any length, frames
// of several detectors side by side), with every kernel set the processor
// runs, gives the bits of the ring form.
TEST(TruePeakDetector, MatchesTheRingFormBitForBit)
{
    constexpr int kChannels = 6;
    const KernelSet best = ChosenKernelSet();
    for (KernelSet set : {KernelSet::Widest, KernelSet::Wide, KernelSet::Base})
    {
        if (set > best)
            continue;
        AllowWideKernels(set >= KernelSet::Wide);
        AllowWidestKernels(set == KernelSet::Widest);
        for (double rate : {8000.0, 44100.0, 48000.0, 88200.0, 96000.0, 192000.0})
        {
            SCOPED_TRACE(testing::Message() << "rate " << rate << ", kernel set " << static_cast<int>(set));
            TruePeakDetector single, block, frame[kChannels];
            for (TruePeakDetector* d : {&single, &block})
                d->Init(rate);
            for (TruePeakDetector& d : frame)
                d.Init(rate);
            std::vector<RingTruePeak> ring(kChannels, RingTruePeak(rate));
            std::mt19937 rng(12345);
            std::uniform_real_distribution<double> sample(-1.1, 1.1);
            std::vector<double> x(700), currents(700);
            // Noise, and in every third round a tone at a quarter of the
            // rate, where the sample outreads the interpolation.
            const double tone[4] = {0.0, 0.9, 0.0, -0.9};
            int64_t time = 0;
            for (int round = 0; round < 40; ++round)
            {
                const int n = std::uniform_int_distribution<int>(0, round % 4 == 0 ? 700 : 9)(rng);
                std::vector<double> frames(n * kChannels);
                for (int j = 0; j < n * kChannels; ++j)
                    frames[j] = round % 3 == 1 ? tone[(time + j / kChannels + j % kChannels) % 4] : sample(rng);
                time += n;
                for (int i = 0; i < n; ++i)
                    x[i] = frames[i * kChannels];
                block.ProcessBlock(x.data(), n, currents.data());
                for (int i = 0; i < n; ++i)
                {
                    single.Process(x[i]);
                    TruePeakDetector::ProcessFrame(frame, kChannels, &frames[i * kChannels]);
                    for (int c = 0; c < kChannels; ++c)
                    {
                        ring[c].Process(frames[i * kChannels + c]);
                        ASSERT_EQ(frame[c].current, ring[c].current) << "channel " << c;
                    }
                    ASSERT_EQ(single.current, ring[0].current) << "sample " << i;
                    ASSERT_EQ(currents[i], ring[0].current) << "sample " << i;
                }
                if (n > 0)
                {
                    ASSERT_EQ(block.current, ring[0].current);
                }
                ASSERT_EQ(block.maximum, ring[0].maximum);
                ASSERT_EQ(single.maximum, ring[0].maximum);
                ASSERT_EQ(frame[kChannels - 1].maximum, ring[kChannels - 1].maximum);
            }
        }
    }
    AllowWideKernels(true);
    AllowWidestKernels(true);
}

}  // namespace
