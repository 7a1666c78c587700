#pragma once
// The engine and libebur128 measuring one stereo programme, each on its own
// grid of 100 ms steps: the engine as its windows step, libebur128 read after
// every 100 ms it was fed. Where the engine's step drifted from 100 ms, its
// blocks would part from libebur128's over a long programme.

#include "engines/Decibels.h"
#include "support/TestProgrammes.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

// Integrated loudness and the momentary and short-term maxima, in LUFS, not rounded.
struct GridReadings
{
    double integrated = 0.0;
    double momentaryMax = -HUGE_VAL;
    double shortTermMax = -HUGE_VAL;
};

struct GridComparison
{
    GridReadings ours, theirs;
};

inline GridComparison MeasureOnOwnGrids(const Programme& p)
{
    std::unique_ptr<ebur128_state, void (*)(ebur128_state*)> st(
        ebur128_init(2, static_cast<unsigned long>(p.rate), EBUR128_MODE_I | EBUR128_MODE_S),
        [](ebur128_state* s) { ebur128_destroy(&s); });
    auto e = std::make_unique<LoudnessEngine>();
    e->Init(p.rate);

    // libebur128's 100 ms, read after each; the engine takes the same chunks.
    const auto step = static_cast<int64_t>((p.rate + 5.0) / 10.0);
    std::vector<double> left(static_cast<size_t>(step)), right(left), interleaved(2 * left.size());
    GridComparison c;
    for (int64_t start = 0; start < p.frames; start += step)
    {
        const int64_t n = std::min(step, p.frames - start);
        for (int64_t i = 0; i < n; ++i)
        {
            double x[kEbuChannels] = {};
            p.sample(start + i, x);
            left[i] = interleaved[2 * i] = x[0];
            right[i] = interleaved[2 * i + 1] = x[1];
        }
        const double* channels[2] = {left.data(), right.data()};
        e->ProcessBlock(channels, 2, static_cast<int32_t>(n), kEbuStereo, 1);
        ebur128_add_frames_double(st.get(), interleaved.data(), static_cast<size_t>(n));
        double v = 0.0;
        if (n == step && start + n >= 4 * step && ebur128_loudness_momentary(st.get(), &v) == EBUR128_SUCCESS)
            c.theirs.momentaryMax = std::max(c.theirs.momentaryMax, v);
        if (n == step && start + n >= 30 * step && ebur128_loudness_shortterm(st.get(), &v) == EBUR128_SUCCESS)
            c.theirs.shortTermMax = std::max(c.theirs.shortTermMax, v);
    }
    ebur128_loudness_global(st.get(), &c.theirs.integrated);
    c.ours.integrated = e->integrator.IntegratedLoudness();
    c.ours.momentaryMax = MeanSquareToLoudness(e->momentary.MaxMeanSquare());
    c.ours.shortTermMax = MeanSquareToLoudness(e->shortTerm.MaxMeanSquare());
    return c;
}

// A stereo 1 kHz tone whose peak level alternates between dbA and dbB
// every partSeconds, starting with dbA.
inline Programme AlternatingTone(double rate, double seconds, double partSeconds, double dbA, double dbB)
{
    Programme p;
    p.rate = rate;
    p.frames = static_cast<int64_t>(std::llround(seconds * rate));
    const int64_t partFrames = std::llround(partSeconds * rate);
    const double a[2] = {Amplitude(dbA), Amplitude(dbB)};
    const double step = 2.0 * M_PI * 1000.0 / rate;
    p.sample = [=](int64_t frame, double* x) {
        x[0] = x[1] = a[(frame / partFrames) % 2] * std::sin(step * static_cast<double>(frame));
    };
    return p;
}

// 1 kHz bursts of 400 ms, alternating -10 and -30 dBFS.
inline Programme ToneBursts(double rate, double seconds) { return AlternatingTone(rate, seconds, 0.4, -10.0, -30.0); }

// 5 s at -20 dBFS, then 5 s 12.5 dB lower, and so on: the quiet parts lie
// 0.27 LU above the relative gate.
inline Programme QuietPartsAtTheRelativeGate(double rate, double seconds)
{
    return AlternatingTone(rate, seconds, 5.0, -20.0, -32.5);
}
