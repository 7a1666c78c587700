#pragma once
// Synthetic test programmes for the loudness engine, computed sample by
// sample (no files), and the engine's readings of them.

#include "engines/LoudnessEngine.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct Programme
{
    double rate = 48000.0;
    int64_t frames = 0;
    int32_t config = kEbuStereo;
    // Writes the six samples of a frame (channels beyond the configuration
    // may be left at 0.0).
    std::function<void(int64_t frame, double* x)> sample;
};

// A stretch of sine at a level in dBFS (peak), applied to every channel
// together with that channel's own offset.
struct Segment
{
    double seconds;
    double dbfs;
};

// Channel offsets in dB; -1000 or below silences a channel.
using ChannelDb = std::array<double, kEbuChannels>;
constexpr ChannelDb kStereoDb = {0.0, 0.0, -1000.0, -1000.0, -1000.0, -1000.0};

// 10^(db / 20).
inline double Amplitude(double db) { return db <= -1000.0 ? 0.0 : std::pow(10.0, db / 20.0); }

// A sine of `hz` through the segments, its phase continuous across them,
// faded in over fadeInSeconds (a raised cosine) when that is above 0.
inline Programme SineProgramme(double rate, double hz, std::vector<Segment> segments,
                               ChannelDb channelDb = kStereoDb, int32_t config = kEbuStereo,
                               double phaseRadians = 0.0, double fadeInSeconds = 0.0)
{
    Programme p;
    p.rate = rate;
    p.config = config;
    std::vector<int64_t> ends;
    std::vector<double> levels;
    for (const Segment& s : segments)
    {
        p.frames += static_cast<int64_t>(std::llround(s.seconds * rate));
        ends.push_back(p.frames);
        levels.push_back(Amplitude(s.dbfs));
    }
    std::array<double, kEbuChannels> gains;
    for (int32_t k = 0; k < kEbuChannels; ++k)
        gains[k] = Amplitude(channelDb[k]);
    const double step = 2.0 * M_PI * hz / rate;
    const double fadeFrames = fadeInSeconds * rate;
    p.sample = [ends, levels, gains, step, phaseRadians, fadeFrames](int64_t frame, double* x) {
        size_t s = 0;
        while (s + 1 < ends.size() && frame >= ends[s])
            ++s;
        const auto t = static_cast<double>(frame);
        const double fade = t < fadeFrames ? 0.5 - 0.5 * std::cos(M_PI * t / fadeFrames) : 1.0;
        const double v = fade * levels[s] * std::sin(step * t + phaseRadians);
        for (int32_t k = 0; k < kEbuChannels; ++k)
            x[k] = gains[k] * v;
    };
    return p;
}

// Stateless noise: a hash of the frame and channel, roughly Gaussian, unit
// variance.
inline double Noise(int64_t frame, int32_t channel)
{
    uint64_t z = static_cast<uint64_t>(frame) * 8 + static_cast<uint64_t>(channel) + 0x9E3779B97F4A7C15ull;
    auto next = [&z] {
        z += 0x9E3779B97F4A7C15ull;
        uint64_t r = z;
        r = (r ^ (r >> 30)) * 0xBF58476D1CE4E5B9ull;
        r = (r ^ (r >> 27)) * 0x94D049BB133111EBull;
        return static_cast<double>((r ^ (r >> 31)) >> 11) / 9007199254740992.0;
    };
    return (next() + next() + next() - 1.5) * 2.0;
}

// Noise whose level steps through `levelsDb` every `stepSeconds`, with a
// per-channel offset.
inline Programme SteppedNoise(double rate, int32_t config, double seconds, double stepSeconds,
                              std::vector<double> levelsDb, ChannelDb channelDb)
{
    Programme p;
    p.rate = rate;
    p.config = config;
    p.frames = static_cast<int64_t>(seconds * rate);
    const auto step = static_cast<int64_t>(stepSeconds * rate);
    p.sample = [levelsDb, channelDb, step](int64_t frame, double* x) {
        const double level = levelsDb[static_cast<size_t>(frame / step) % levelsDb.size()];
        for (int32_t k = 0; k < kEbuChannels; ++k)
            x[k] = Amplitude(level + channelDb[k]) * Noise(frame, k);
    };
    return p;
}

struct Reading
{
    double momentaryMax = 0.0;  // rounded read-outs of the engine
    double shortTermMax = 0.0;
    double integrated = 0.0;
    double range = 0.0;
    double truePeakDb = 0.0;              // not rounded
    std::vector<double> shortTermBlocks;  // the rounded short-term reading of every block
};

// Runs the programme through a fresh engine, frame by frame.
inline Reading Measure(const Programme& programme)
{
    auto e = std::make_unique<LoudnessEngine>();
    e->Init(programme.rate);
    Reading r;
    for (int64_t i = 0; i < programme.frames; ++i)
    {
        double x[kEbuChannels] = {};
        programme.sample(i, x);
        e->ProcessPeak(x[0], x[1], x[2], x[3], x[4], x[5], programme.config);
        e->ProcessLoudness(x[0], x[1], x[2], x[3], x[4], x[5], programme.config, 1);
        if (e->shortTerm.BlockReady())
            r.shortTermBlocks.push_back(e->shortTerm.GetLoudness());
    }
    r.momentaryMax = e->momentary.GetMaxLoudness();
    r.shortTermMax = e->shortTerm.GetMaxLoudness();
    r.integrated = e->integrator.GetIntegratedLoudness();
    r.range = e->range.GetRange();
    r.truePeakDb = e->GetTruePeakMaxDb();
    return r;
}
