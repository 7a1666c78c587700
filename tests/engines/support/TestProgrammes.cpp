#include "support/TestProgrammes.h"

#include "engines/LoudnessEngine.h"

#include <cmath>
#include <memory>

double Amplitude(double db)
{
    return db <= -1000.0 ? 0.0 : std::pow(10.0, db / 20.0);
}

Programme SineProgramme(double rate, double hz, std::vector<Segment> segments, ChannelDb channelDb, int32_t config,
                        double phaseRadians, double fadeInSeconds)
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

Reading Measure(const Programme& programme)
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
