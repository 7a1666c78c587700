// The "RMS" meter type's per-frame work on 5.1 at 48 kHz, in the plug-in's
// calling order: ballistics, sample and true peak, the six weighting filters,
// the RMS window. One case per weighting mode.

#include "engines/PeakRmsEngine.h"
#include "engines/WeightingFilter.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kRate = 48000.0;
constexpr int kFrames = 4800;
constexpr int kChannels = PeakRmsEngine::kChannels;

std::vector<double> Programme()
{
    std::vector<double> v(static_cast<size_t>(kFrames) * kChannels);
    unsigned seed = 2024u;
    for (double& x : v)
    {
        seed = seed * 1664525u + 1013904223u;
        x = 0.5 * (static_cast<double>(seed >> 8) / 8388608.0 - 1.0);
    }
    return v;
}

void BM_PeakRmsWithWeighting(benchmark::State& state)
{
    const auto mode = static_cast<WeightingMode>(state.range(0));
    const int32_t weightCode = PeakRmsEngine::WeightCodeFor(mode);
    const RmsChannelConfig config = RmsChannelConfig::Six;

    PeakRmsEngine engine;
    engine.Init(10.0, 10000.0, kRate);
    engine.SetRmsWindow(600.0, 1.0 - 100.0 / 600.0);
    engine.SetRmsMode(RmsMeterMode::Sum);
    WeightingFilter filters[kChannels];
    for (WeightingFilter& f : filters)
        f.Setup(mode, kRate, 300.0, 0, 3400.0, 0);

    const std::vector<double> input = Programme();
    int64_t frames = 0;
    for (auto _ : state)
    {
        const double* e = input.data();
        for (int i = 0; i < kFrames; ++i, e += kChannels)
        {
            engine.ProcessBallistics(e[0], e[1], e[2], e[3], e[4], e[5], 1.0, config);
            engine.ProcessPeak(e[0], e[1], e[2], e[3], e[4], e[5], 1.0, config);
            double w[kChannels];
            for (int k = 0; k < kChannels; ++k)
                w[k] = filters[k].Process(e[k]);
            engine.ProcessRms(w[0], w[1], w[2], w[3], w[4], w[5], 1.0, config, weightCode);
        }
        frames += kFrames;
    }
    benchmark::DoNotOptimize(engine.GetRmsDb());
    state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
    state.counters["times_real_time"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

BENCHMARK(BM_PeakRmsWithWeighting)->DenseRange(0, 6)->ArgName("mode")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
