// Sonvarek::RunAudioBlock on 512-frame blocks of 5.1 at 48 kHz for each meter
// type and weighting mode, next to the engines alone doing the same per-frame
// work on the same audio; the difference is what the plug-in layer costs
// (gain, channel activity, timers, publication, the copy to the outputs).
// "frames_per_second" on one core; "times_real_time" at 48 kHz.

#include "plugin/Sonvarek.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr double kRate = 48000.0;
constexpr int32_t kBlock = 512;
constexpr int32_t kBlocks = 94;  // about a second
constexpr int32_t kFrames = kBlock * kBlocks;
constexpr int32_t kChannels = Sonvarek::kChannels;

// A plug-in whose host takes everything and whose transport never plays.
class BenchSonvarek : public Sonvarek
{
public:
    void BeginParamGesture(int32_t) override {}
    void EndParamGesture(int32_t) override {}
    void SendParamToHost(int32_t, double) override {}
    int32_t QuerySamplePosition() override { return 0; }
    double QueryTempo() override { return 120.0; }
    void QueryMeter(int32_t* n, int32_t* d) override { *n = *d = 4; }
    void QueryTransport(ITransportRecord*) override {}
    bool ResizeHostView(int32_t, int32_t, int32_t) override { return true; }
    bool SendMidiToHost(const IMidiMessage&) override { return false; }

    void Set(int32_t idx, double value)
    {
        GetParam(idx)->SetValue(value);
        HandleParamChange(idx);
    }
};

// Six planar channels of tones and noise at about -12 dBFS.
std::vector<std::vector<double>> Programme()
{
    std::vector<std::vector<double>> v(kChannels, std::vector<double>(kFrames));
    unsigned seed = 2024u;
    for (int32_t k = 0; k < kChannels; ++k)
        for (int32_t i = 0; i < kFrames; ++i)
        {
            seed = seed * 1664525u + 1013904223u;
            const double noise = static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
            v[k][i] = 0.15 * noise + 0.1 * std::sin(0.03 * (k + 1) * i);
        }
    return v;
}

void SetCounters(benchmark::State& state)
{
    const double frames = static_cast<double>(kFrames) * static_cast<double>(state.iterations());
    state.counters["frames_per_second"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["times_real_time"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

// type 0 "RMS" ("6 Ch.") with weighting mode; type 1 "EBU" ("5.1"). Values
// published every 50 ms, as while "WriteAutomationData" is on.
void BM_Plugin(benchmark::State& state)
{
    const auto type = static_cast<int32_t>(state.range(0));
    const auto mode = static_cast<int32_t>(state.range(1));
    BenchSonvarek plug;
    plug.SetInputChannelConnections(0, kChannels, true);
    plug.SetOutputChannelConnections(0, kChannels, true);
    plug.ChangeBlockSize(kBlock);
    plug.SetSampleRate(kRate);
    plug.PrepareStream();
    plug.Set(kType, type);
    plug.Set(kRMSChannelConfig, 4);
    plug.Set(kEBUChannelConfig, kEbuSurround);
    plug.Set(kRMSWFilterMode, mode);
    plug.Set(kWriteAutomationData, 1);

    // 0 dB: the in-place scaling leaves the programme as it is.
    std::vector<std::vector<double>> programme = Programme();
    std::vector<std::vector<double>> out(kChannels, std::vector<double>(kBlock));
    double* in[kChannels];
    double* outPtrs[kChannels];
    for (int32_t k = 0; k < kChannels; ++k)
        outPtrs[k] = out[k].data();
    for (auto _ : state)
    {
        for (int32_t b = 0; b < kBlocks; ++b)
        {
            for (int32_t k = 0; k < kChannels; ++k)
                in[k] = programme[k].data() + b * kBlock;
            PlatformLockGuard guard(plug.GetLock());
            plug.RunAudioBlock(in, outPtrs, kBlock);
        }
        benchmark::DoNotOptimize(out[0][0]);
    }
    SetCounters(state);
}

// The same engine calls on the same audio, with nothing around them.
void BM_Engines(benchmark::State& state)
{
    const auto type = static_cast<int32_t>(state.range(0));
    const auto mode = static_cast<int32_t>(state.range(1));
    PeakRmsEngine peakRms;
    peakRms.Init(10.0, 10000.0, kRate);
    peakRms.SetRmsWindow(600.0, 1.0 - 100.0 / 600.0);
    peakRms.SetRmsMode(RmsMeterMode::Sum);
    WeightingFilter filters[kChannels];
    for (WeightingFilter& f : filters)
        f.Setup(static_cast<WeightingMode>(mode), kRate, 300.0, 0, 3400.0, 0);
    LoudnessEngine loudness;
    loudness.Init(kRate);
    const int32_t weightCode = PeakRmsEngine::WeightCodeFor(static_cast<WeightingMode>(mode));
    const RmsChannelConfig config = RmsChannelConfig::Six;

    const std::vector<std::vector<double>> programme = Programme();
    for (auto _ : state)
    {
        for (int32_t b = 0; b < kBlocks; ++b)
        {
            const double* in[kChannels];
            for (int32_t k = 0; k < kChannels; ++k)
                in[k] = programme[k].data() + b * kBlock;
            if (type == 1)
            {
                loudness.ProcessBlock(in, kChannels, kBlock, kEbuSurround, 1);
                continue;
            }
            for (int32_t i = 0; i < kBlock; ++i)
            {
                const double e[kChannels] = {in[0][i], in[1][i], in[2][i], in[3][i], in[4][i], in[5][i]};
                peakRms.ProcessBallistics(e[0], e[1], e[2], e[3], e[4], e[5], 1.0, config);
                peakRms.ProcessPeak(e[0], e[1], e[2], e[3], e[4], e[5], 1.0, config);
                double w[kChannels];
                for (int32_t k = 0; k < kChannels; ++k)
                    w[k] = filters[k].Process(e[k]);
                peakRms.ProcessRms(w[0], w[1], w[2], w[3], w[4], w[5], 1.0, config, weightCode);
            }
        }
        benchmark::DoNotOptimize(peakRms.GetRmsDb());
        benchmark::DoNotOptimize(loudness.GetTruePeakMaxDb());
    }
    SetCounters(state);
}

void Cases(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"type", "mode"});
    for (int64_t mode = 0; mode <= 6; ++mode)
        b->Args({0, mode});
    b->Args({1, 0});
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Engines)->Apply(Cases);
BENCHMARK(BM_Plugin)->Apply(Cases);

}  // namespace

// The plug-in builds its data folders on construction: keep them out of the
// user's own.
int main(int argc, char** argv)
{
    std::string folder = (std::filesystem::temp_directory_path() / "sonvarek-bench-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        return 1;
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
