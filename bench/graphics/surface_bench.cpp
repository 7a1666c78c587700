// One timer tick of the editor surface in its window on the test desktop
// (the plug-in's idle hook, the change scan, the invalidation and the paint
// of the collected area: what the window's timer does 30 times a second),
// with 60 controls over the 616 x 352 design at scales 1 and 3, of which 0,
// 1, 10 or all 60 changed since the last tick. The idle tick (none changed)
// is also shown per control.
#include "graphics/editor/IGraphicsWin.h"
#include "platform/win32/Desktop.h"
#include "tests/support/StubPlug.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

constexpr int32_t kControls = 60;

class BenchPlug final : public StubPlug
{
public:
    BenchPlug() : StubPlug(1, "2-2", 1, "Bench", "", "", 0x00010000, 0, 0, 0, false, false, false, 4) {}
};

// A read-out sized panel that fills its area (a control's least work).
class Panel final : public IControl
{
public:
    explicit Panel(const ILayoutBox& box) : IControl(nullptr, box) {}
    void Paint(IGraphics* graphics) override { graphics->FillBounds({255, 40, 60, 90}, DrawArea(), nullptr); }
};

void BM_TimerTick(benchmark::State& state)
{
    const double scale = static_cast<double>(state.range(0));
    const int32_t dirty = static_cast<int32_t>(state.range(1));
    Desktop desktop;
    HWND host = desktop.CreateHostWindow(0, 0, 2000, 1200);
    BenchPlug plug;
    auto* surface = new IGraphicsWin(&plug, static_cast<int32_t>(616 * scale), static_cast<int32_t>(352 * scale), 30);
    plug.AttachEditor(surface);
    // A 10 x 6 grid of 56 x 52 panels.
    for (int32_t i = 0; i < kControls; ++i)
        surface->AppendControl(new Panel({8 + (i % 10) * 60, 3, 8 + (i / 10) * 56, 3, 56, 3, 52, 3}));
    surface->ApplyScaledLayout(616, 352, scale, scale);
    HWND window = static_cast<HWND>(surface->OpenEditorWindow(host));
    for (int i = 0; i < 3; ++i)
        desktop.FireTimer(window, IGraphicsWin::kTimerId);  // everything drawn, redraw requests settled
    double v = 0.0;
    for (auto _ : state)
    {
        v = v < 0.5 ? 0.75 : 0.25;
        for (int32_t i = 0; i < dirty; ++i)
            surface->ControlAt(i)->AcceptPlugValue(v);
        desktop.FireTimer(window, IGraphicsWin::kTimerId);
        desktop.Pump();
    }
    if (dirty == 0)
        state.counters["per control"] = benchmark::Counter(static_cast<double>(state.iterations()) * kControls,
                                                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    surface->CloseEditorWindow();
}

BENCHMARK(BM_TimerTick)->ArgNames({"scale", "dirty"})->ArgsProduct({{1, 3}, {0, 1, 10, kControls}});

}  // namespace

BENCHMARK_MAIN();
