// The meter's editor at editor scales 1, 2 and 3: opening it in the host's
// view and drawing the whole face (the first tick draws every control), the
// whole face drawn again on its own, and the editor's cost while the meter
// runs: one timer tick of the 30 a second, each after a tick's worth of
// audio (bars due every 50 ms, read-outs every 200 ms), given as the share of
// one core that the ticks of a second take.
#include "framework/aax/ModuleEntry.h"
#include "framework/aax/ParamID.h"
#include "framework/aax/PlugInstanceFactory.h"
#include "graphics/editor/IGraphicsWin.h"
#include "host/HostAudio.h"
#include "host/HostEditor.h"
#include "host/HostInstance.h"
#include "host/RegisteredEffect.h"
#include "host/StandInHost.h"
#include "platform/win32/Desktop.h"
#include "plugin/CreateSonvarekInstance.h"
#include "plugin/MeterParamIndex.h"
#include "plugin/Sonvarek.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

IPlugAAX* CreatePlugInstance()
{
    return CreateSonvarekInstance([]() -> Sonvarek* { return new Sonvarek; });
}

namespace {

constexpr float kRate = 48000.0f;
constexpr uint64_t kTickMs = 33;
constexpr int32_t kTickFrames = 1584;  // 33 ms at 48 kHz
constexpr double kTicksPerSecond = 1000.0 / kTickMs;

// The data folder of the bench's instances: a temporary one, not the user's.
class DataFolder
{
public:
    DataFolder()
    {
        char pattern[] = "/tmp/sonvarek-bench-XXXXXX";
        if (!mkdtemp(pattern))
            throw std::runtime_error("no temporary folder");
        path = pattern;
        setenv("XDG_DATA_HOME", path.c_str(), 1);
        setenv("HOME", path.c_str(), 1);
    }
    ~DataFolder() { std::filesystem::remove_all(path); }

private:
    std::string path;
};

// One desktop for the whole program (the editor's font cache outlives any).
Desktop& TheDesktop()
{
    static Desktop desktop;
    return desktop;
}

// The meter and its editor, shown in a host window at scale.
class ShownMeter
{
public:
    explicit ShownMeter(double scale) : desktop(TheDesktop())
    {
        effect = RegisterEffect(host, ACFRegisterPlugin);
        HostStreamState stream;
        stream.sampleRate = kRate;
        stream.playing = true;
        instance = HostInstance::Create(host, effect, stream);
        instance->SetText(ParamIDOfIndex(kGUIScale), std::to_string(scale).c_str());
        view = desktop.CreateHostWindow(0, 0, 1900, 1100);
        gui = HostEditor::Create(host, effect, *instance);
    }
    ~ShownMeter()
    {
        gui.reset();
        instance.reset();
        DestroyWindow(view);
    }

    void Open() { gui->GiveView(view); }
    void Close() { gui->RemoveView(); }
    void Tick() { desktop.RunFor(kTickMs); }
    IGraphicsWin& Editor() const
    {
        return dynamic_cast<IGraphicsWin&>(*dynamic_cast<Sonvarek&>(instance->Effect()).GetEditor());
    }
    // A tick's worth of a sine whose level moves, so that every refresh finds new values.
    void PlayTick()
    {
        const double amplitude = 0.05 + 0.9 * (0.5 + 0.5 * std::sin(static_cast<double>(played) / kRate));
        for (int32_t c = 0; c < 2; ++c)
            for (int32_t i = 0; i < kTickFrames; ++i)
                in.Channel(c)[static_cast<size_t>(i)] = static_cast<float>(
                    amplitude * std::sin(2.0 * M_PI * 997.0 * static_cast<double>(played + i) / kRate + c));
        instance->Render(in.Buffers(), out.Buffers(), kTickFrames);
        instance->DeliverRequests();
        instance->ClearAutomation();
        played += kTickFrames;
    }

private:
    Desktop& desktop;
    StandInHost host;
    RecordedEffect effect;
    std::unique_ptr<HostInstance> instance;
    std::unique_ptr<HostEditor> gui;
    HWND view = nullptr;
    HostAudio in{2, kTickFrames};
    HostAudio out{2, kTickFrames};
    int64_t played = 0;
};

DataFolder& Folder()
{
    static DataFolder folder;
    return folder;
}

void BM_OpenAndDrawTheFace(benchmark::State& state)
{
    Folder();
    ShownMeter meter(static_cast<double>(state.range(0)));
    meter.Open();
    meter.Tick();
    meter.Close();
    for (auto _ : state)
    {
        meter.Open();
        meter.Tick();
        meter.Close();
    }
}

void BM_DrawTheWholeFace(benchmark::State& state)
{
    Folder();
    ShownMeter meter(static_cast<double>(state.range(0)));
    meter.Open();
    meter.Tick();
    IGraphicsWin& editor = meter.Editor();
    const IBounds all = {0, 0, editor.Width(), editor.Height()};
    for (auto _ : state)
        editor.Draw(all);
    meter.Close();
}

void BM_MeteringTick(benchmark::State& state)
{
    Folder();
    ShownMeter meter(static_cast<double>(state.range(0)));
    meter.Open();
    meter.Tick();
    double seconds = 0.0;
    for (auto _ : state)
    {
        state.PauseTiming();
        meter.PlayTick();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        meter.Tick();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    // The ticks of one second of metering, as a share of one core.
    state.counters["core %"] = seconds / static_cast<double>(state.iterations()) * kTicksPerSecond * 100.0;
    meter.Close();
}

BENCHMARK(BM_OpenAndDrawTheFace)->ArgName("scale")->DenseRange(1, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawTheWholeFace)->ArgName("scale")->DenseRange(1, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeteringTick)->ArgName("scale")->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
