// One shape at a time, as a control draws it, at editor scales 1 and 3: a
// read-out box (rounded rectangle with its shadow, 130 x 106 at scale 1), a
// read-out value text ("-23.0", bold 30, 124 x 50) and a bar (six-stop
// gradient, 16 x 216). "Draw" is the whole renderer step before the blend
// (surface, cairo drawing, un-premultiply); "Cairo" the surface and drawing
// alone; "Unpremultiply" the conversion of the drawn surface alone; "Blend"
// the hand-over of the drawn pixels to the editor surface, composed with
// their alpha into its back buffer (1848 x 1056, the editor at scale 3);
// "DrawOnSurface" all of it, as a control's paint does.

#include "graphics/editor/IGraphicsWin.h"
#include "graphics/vector/ShapeRenderer.h"
#include "graphics/vector/SurfaceEffects.h"
#include "graphics/vector/SurfaceShapeSink.h"
#include "platform/win32/Desktop.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class NullSink : public ShapeSink
{
public:
    void BlendPixels(uint32_t* pixels, int32_t, int32_t, const IBounds&, const IBounds&) override
    {
        benchmark::DoNotOptimize(pixels);
    }
    void DrawStyledText(TextStyle&, const char*, const IBounds&) override {}
};

enum Subject
{
    kBox,
    kText,
    kBar
};

// The shape and its target at the given scale.
struct Case
{
    ShapeList layer;
    Shape* shape = nullptr;
    IBounds target;
};

std::unique_ptr<Case> MakeCase(int64_t subject, double scale)
{
    auto c = std::make_unique<Case>();
    int32_t w = 0;
    int32_t h = 0;
    switch (subject)
    {
    case kBox:
        c->shape = c->layer.AddShape(0.0, 10.0);
        c->shape->fill.colour = IArgb{255, 234, 231, 212};
        c->shape->shadowOn = 1;
        c->shape->shadowOffsetX = c->shape->shadowOffsetY = 2.0;
        c->shape->shadowOpacity = 20.0;
        c->shape->scaleOn = 1;
        c->shape->scaleX = c->shape->scaleY = 90.0;
        w = 130, h = 106;
        break;
    case kText:
        c->shape = c->layer.AddText("-23.0", nullptr, 30, 1, 0, 2, 1, 0);
        c->shape->fill.colour = IArgb{255, 255, 255, 255};
        c->shape->scaleOn = 1;
        c->shape->scaleX = c->shape->scaleY = 80.0;
        w = 124, h = 50;
        break;
    default:
        c->shape = c->layer.AddShape(0.0, 0.0);
        c->shape->fill.gradientOn = 1;
        c->shape->fill.gradientHorizontal = 0;
        c->shape->fill.AddStop("#f0a938", 255, 0.0);
        c->shape->fill.AddStop("#f0a938", 255, 0.75);
        c->shape->fill.AddStop("#ffffff", 255, 0.7501);
        c->shape->fill.AddStop("#ffffff", 255, 60.0 / 72.0);
        c->shape->fill.AddStop("#ed5a5a", 255, 60.0 / 72.0 + 0.0001);
        c->shape->fill.AddStop("#ed5a5a", 255, 1.0);
        w = 16, h = 216;
        break;
    }
    c->layer.SetScale(scale, scale);
    c->target = IBounds{0, 0, static_cast<int32_t>(w * scale), static_cast<int32_t>(h * scale)};
    return c;
}

void Label(benchmark::State& state)
{
    static const char* names[] = {"box+shadow", "text", "gradient bar"};
    state.SetLabel(names[state.range(0)]);
    state.SetItemsProcessed(state.iterations());  // shapes
}

void Draw(benchmark::State& state)
{
    auto c = MakeCase(state.range(0), static_cast<double>(state.range(1)));
    NullSink sink;
    for (auto _ : state)
        ShapeRenderer::DrawShape(*c->shape, sink, c->target.L, c->target.T, c->target.R, c->target.B, nullptr);
    Label(state);
}

void Cairo(benchmark::State& state)
{
    auto c = MakeCase(state.range(0), static_cast<double>(state.range(1)));
    for (auto _ : state)
    {
        ShapeRenderer::RenderedShape drawn = ShapeRenderer::RenderShape(*c->shape, c->target);
        cairo_surface_flush(drawn.surface.get());
        benchmark::DoNotOptimize(drawn.surface.get());
    }
    Label(state);
}

void Unpremultiply(benchmark::State& state)
{
    auto c = MakeCase(state.range(0), static_cast<double>(state.range(1)));
    ShapeRenderer::RenderedShape drawn = ShapeRenderer::RenderShape(*c->shape, c->target);
    // The alpha of every pixel stays, so every pass takes the same branches.
    for (auto _ : state)
        UnpremultiplySurface(drawn.surface.get());
    Label(state);
}

// An editor surface with its back buffer (no window, no plug-in).
struct BackBuffer
{
    BackBuffer() { surface.CreateDrawBitmaps(); }
    Desktop desktop;
    IGraphicsWin surface{nullptr, 1848, 1056, 30};
};

void Blend(benchmark::State& state)
{
    auto c = MakeCase(state.range(0), static_cast<double>(state.range(1)));
    ShapeRenderer::RenderedShape drawn = ShapeRenderer::RenderShape(*c->shape, c->target);
    cairo_surface_flush(drawn.surface.get());
    UnpremultiplySurface(drawn.surface.get());
    auto* pixels = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(drawn.surface.get()));
    const int32_t w = cairo_image_surface_get_width(drawn.surface.get());
    const int32_t h = cairo_image_surface_get_height(drawn.surface.get());
    BackBuffer target;
    SurfaceShapeSink sink(target.surface);
    for (auto _ : state)
        sink.BlendPixels(pixels, w, h, drawn.target, drawn.target);
    Label(state);
}

void DrawOnSurface(benchmark::State& state)
{
    auto c = MakeCase(state.range(0), static_cast<double>(state.range(1)));
    BackBuffer target;
    SurfaceShapeSink sink(target.surface);
    for (auto _ : state)
        ShapeRenderer::DrawShape(*c->shape, sink, c->target.L, c->target.T, c->target.R, c->target.B, nullptr);
    Label(state);
}

void Arguments(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"shape", "scale"});
    for (int64_t subject : {kBox, kText, kBar})
        for (int64_t scale : {1, 3})
            b->Args({subject, scale});
}

BENCHMARK(Draw)->Apply(Arguments);
BENCHMARK(Cairo)->Apply(Arguments);
BENCHMARK(Unpremultiply)->Apply(Arguments);
BENCHMARK(Blend)->Apply(Arguments);
BENCHMARK(DrawOnSurface)->Apply(Arguments);

}  // namespace

BENCHMARK_MAIN();
