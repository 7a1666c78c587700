// Loudness engine against libebur128 on the same programme, doing the same
// measurements (momentary, short-term, integrated, range, true peak).
// "frames" is frames per second of one core; "x_realtime" how many times
// faster than real time at 48 kHz.

#include "engines/LoudnessEngine.h"
#include "platform/CpuFeatures.h"

#include <benchmark/benchmark.h>
#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr double kRate = 48000.0;
constexpr int32_t kLoopFrames = 513600;  // 10.7 s, looped
constexpr int64_t kMinute = 60 * 48000;
constexpr int64_t kHour = 60 * kMinute;

// Six channels of noise and tones whose level changes every 1.3 s over
// 45 dB, with stretches of silence, so that both gates have work to do.
struct Programme
{
    std::vector<std::vector<double>> planar;
    std::vector<double> interleaved2;
    std::vector<double> interleaved6;

    Programme() : planar(kEbuChannels, std::vector<double>(kLoopFrames))
    {
        std::mt19937 rng(2024);
        std::normal_distribution<double> noise(0.0, 0.25);
        for (int32_t i = 0; i < kLoopFrames; ++i)
        {
            const int32_t segment = i / 62400;
            const double level = segment % 4 == 3 ? 0.0 : std::pow(10.0, -(segment * 7 % 45) / 20.0);
            for (int32_t k = 0; k < kEbuChannels; ++k)
                planar[k][i] = level * (noise(rng) + 0.3 * std::sin(0.02 * (k + 1) * i));
        }
        interleaved2.resize(2 * static_cast<size_t>(kLoopFrames));
        interleaved6.resize(6 * static_cast<size_t>(kLoopFrames));
        for (int32_t i = 0; i < kLoopFrames; ++i)
        {
            for (int32_t k = 0; k < 2; ++k)
                interleaved2[2 * i + k] = planar[k][i];
            for (int32_t k = 0; k < 6; ++k)
                interleaved6[6 * i + k] = planar[k][i];
        }
    }
};

const Programme& TheProgramme()
{
    static const Programme p;
    return p;
}

void SetCounters(benchmark::State& state, int64_t framesPerIteration)
{
    const double frames = static_cast<double>(framesPerIteration) * static_cast<double>(state.iterations());
    state.counters["frames"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["x_realtime"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

// Feeds `total` frames of the looped programme in pieces of at most
// kLoopFrames to process(start, frames).
template <class Process>
void ForEachPiece(int64_t total, Process process)
{
    for (int64_t done = 0; done < total;)
    {
        const auto n = static_cast<int32_t>(std::min<int64_t>(total - done, kLoopFrames));
        process(n);
        done += n;
    }
}

// Limits the engines' kernels to a set (0 baseline, 1 AVX2, 2 AVX-512, where
// the processor has it) until the end of the case.
class KernelLimit
{
public:
    explicit KernelLimit(int64_t set)
    {
        AllowWideKernels(set >= 1);
        AllowWidestKernels(set >= 2);
    }
    ~KernelLimit()
    {
        AllowWideKernels(true);
        AllowWidestKernels(true);
    }
};

// Runs `total` frames of the programme through one engine per iteration;
// feed(engine, channels, config, n) processes the first n frames of the loop.
// Arguments: channels (2 or 6), then the kernel set.
template <class Feed>
void RunEngine(benchmark::State& state, int64_t total, Feed feed)
{
    const auto& p = TheProgramme();
    const int32_t channels = static_cast<int32_t>(state.range(0));
    const int32_t config = channels == 6 ? kEbuSurround : kEbuStereo;
    const double* c[6];
    for (int32_t k = 0; k < 6; ++k)
        c[k] = p.planar[k].data();
    const KernelLimit limit(state.range(1));
    static LoudnessEngine e;
    e.Init(kRate);
    for (auto _ : state)
    {
        e.Reset();
        ForEachPiece(total, [&](int32_t n) { feed(e, c, channels, config, n); });
        benchmark::DoNotOptimize(e.integrator.GetIntegratedLoudness());
        benchmark::DoNotOptimize(e.range.GetRange());
    }
    SetCounters(state, total);
}

// The plug-in's way: ProcessPeak and ProcessLoudness per frame (channels
// beyond the configuration are passed along and zeroed by the engine).
void EnginePerFrame(benchmark::State& state, int64_t total)
{
    RunEngine(state, total, [](LoudnessEngine& e, const double* const* c, int32_t, int32_t config, int32_t n) {
        for (int32_t i = 0; i < n; ++i)
        {
            e.ProcessPeak(c[0][i], c[1][i], c[2][i], c[3][i], c[4][i], c[5][i], config);
            e.ProcessLoudness(c[0][i], c[1][i], c[2][i], c[3][i], c[4][i], c[5][i], config, 1);
        }
    });
}

// The block interface, in host-sized blocks of 512 frames.
void EngineBlock(benchmark::State& state, int64_t total)
{
    RunEngine(state, total, [](LoudnessEngine& e, const double* const* c, int32_t channels, int32_t config, int32_t n) {
        for (int32_t start = 0; start < n; start += 512)
        {
            const double* b[6];
            for (int32_t k = 0; k < 6; ++k)
                b[k] = c[k] + start;
            e.ProcessBlock(b, channels, std::min(512, n - start), config, 1);
        }
    });
}

// libebur128 with every measurement on; momentary and short-term are read
// every 100 ms, integrated, range and true peak at the end.
void Ebur128(benchmark::State& state, int64_t total)
{
    const auto& p = TheProgramme();
    const auto channels = static_cast<unsigned>(state.range(0));
    const double* data = channels == 6 ? p.interleaved6.data() : p.interleaved2.data();
    for (auto _ : state)
    {
        ebur128_state* st = ebur128_init(channels, static_cast<unsigned long>(kRate),
                                         EBUR128_MODE_M | EBUR128_MODE_S | EBUR128_MODE_I | EBUR128_MODE_LRA |
                                             EBUR128_MODE_TRUE_PEAK);
        if (channels == 6)
        {
            ebur128_set_channel(st, 3, EBUR128_UNUSED);
            ebur128_set_channel(st, 4, EBUR128_LEFT_SURROUND);
            ebur128_set_channel(st, 5, EBUR128_RIGHT_SURROUND);
        }
        double m = 0.0, s = 0.0, out = 0.0;
        ForEachPiece(total, [&](int32_t n) {
            for (int32_t start = 0; start < n; start += 4800)
            {
                ebur128_add_frames_double(st, data + static_cast<size_t>(start) * channels,
                                          static_cast<size_t>(std::min(4800, n - start)));
                ebur128_loudness_momentary(st, &m);
                ebur128_loudness_shortterm(st, &s);
            }
        });
        ebur128_loudness_global(st, &out);
        benchmark::DoNotOptimize(out);
        ebur128_loudness_range(st, &out);
        benchmark::DoNotOptimize(out);
        for (unsigned k = 0; k < channels; ++k)
            ebur128_true_peak(st, k, &out);
        benchmark::DoNotOptimize(out);
        ebur128_destroy(&st);
    }
    SetCounters(state, total);
}

// Arguments of the true-peak cases: the rate, then the kernel set.
void TruePeakPerSample(benchmark::State& state)
{
    const auto& x = TheProgramme().planar[0];
    const KernelLimit limit(state.range(1));
    TruePeakDetector d;
    d.Init(static_cast<double>(state.range(0)));
    for (auto _ : state)
    {
        for (double v : x)
            d.Process(v);
        benchmark::DoNotOptimize(d.maximum);
    }
    SetCounters(state, kLoopFrames);
}

void TruePeakBlock(benchmark::State& state)
{
    const auto& x = TheProgramme().planar[0];
    const KernelLimit limit(state.range(1));
    TruePeakDetector d;
    d.Init(static_cast<double>(state.range(0)));
    std::vector<double> current(512);
    for (auto _ : state)
    {
        for (int32_t start = 0; start < kLoopFrames; start += 512)
            d.ProcessBlock(x.data() + start, std::min(512, kLoopFrames - start), current.data());
        benchmark::DoNotOptimize(d.maximum);
    }
    SetCounters(state, kLoopFrames);
}

}  // namespace

BENCHMARK_CAPTURE(EnginePerFrame, minute, kMinute)->Args({2, 2})->Args({6, 2})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EngineBlock, minute, kMinute)
    ->ArgsProduct({{2, 6}, {2, 1, 0}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Ebur128, minute, kMinute)->Arg(2)->Arg(6)->Unit(benchmark::kMillisecond);
BENCHMARK(TruePeakPerSample)->ArgsProduct({{48000, 96000}, {2}})->Unit(benchmark::kMillisecond);
BENCHMARK(TruePeakBlock)->ArgsProduct({{48000, 96000}, {2, 1, 0}})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EnginePerFrame, hour, kHour)->Args({6, 2})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EngineBlock, hour, kHour)->Args({6, 2})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Ebur128, hour, kHour)->Arg(6)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
