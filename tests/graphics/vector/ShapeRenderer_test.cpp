#include "graphics/vector/FrameForValue.h"
#include "graphics/vector/ShapeRenderer.h"
#include "tests/support/CairoStaticData.h"
#include "tests/support/PixelSink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");

// Draws one shape into a target at (0, 0) of a transparent sink.
struct Drawn
{
    Drawn(Shape& shape, int32_t w, int32_t h) : sink(w, h)
    {
        result = ShapeRenderer::DrawShape(shape, sink, 0, 0, w, h, nullptr);
    }
    uint32_t At(int32_t x, int32_t y) const { return sink.Pixel(x, y); }
    int32_t AlphaAt(int32_t x, int32_t y) const { return PixelSink::Alpha(At(x, y)); }

    PixelSink sink;
    bool result = false;
};

Shape* Solid(ShapeList& layer, IArgb colour, double cornerRadius = 0.0)
{
    Shape* s = layer.AddShape(0.0, cornerRadius);
    s->fill.colour = colour;
    return s;
}

// Bounding box of the ink in the last blended surface; R = -1 without ink.
IBounds InkBox(const PixelSink& sink)
{
    const int32_t w = sink.lastTarget.R - sink.lastTarget.L;
    const int32_t h = sink.lastTarget.B - sink.lastTarget.T;
    IBounds box{w, h, -1, -1};
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            if (PixelSink::Alpha(sink.Last(x, y)) > 0)
                box = IBounds{std::min(box.L, x), std::min(box.T, y), std::max(box.R, x + 1), std::max(box.B, y + 1)};
    return box;
}

TEST(DrawShape, SolidRectangleFillsItsTargetExactly)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 10, 20, 30});
    PixelSink sink(40, 30);
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 5, 7, 25, 17, nullptr));
    EXPECT_EQ(sink.lastTarget, (IBounds{5, 7, 25, 17}));
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 40; ++x)
            ASSERT_EQ(sink.Pixel(x, y), x >= 5 && x < 25 && y >= 7 && y < 17 ? 0xFF0A141Eu : 0u) << x << "," << y;
}

TEST(DrawShape, ShapesWithNothingToDrawAreSkipped)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 255, 0, 0});
    s->shadowOn = 1;  // nor is a shadow drawn for them
    s->shadowOpacity = 100.0;
    PixelSink sink(10, 10);
    s->visible = 0;
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 10, 10, nullptr));
    s->visible = 1;
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 5, 5, 5, 9, nullptr));
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 0, 0, std::numeric_limits<int32_t>::min(), 4, nullptr));
    for (int32_t kind : {0, 3, 7, 9, 10, 13, -1})
    {
        s->kind = kind;
        EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 10, 10, nullptr)) << kind;
    }
    s->kind = kShapeTextPath;  // with an empty text
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 10, 10, nullptr));
    s->kind = kShapeRoundedRect;
    s->fill.gradientOn = 1;  // without stops
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 10, 10, nullptr));
    EXPECT_EQ(sink.blendCalls, 0);
}

TEST(DrawShape, ACairoErrorSkipsTheShapeAndSaysSo)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 255, 0, 0});
    PixelSink sink(4, 4);
    EXPECT_FALSE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 40000, 4, nullptr)) << "wider than any image surface";
    s->scaleOn = 1;
    for (double noInverse : {0.0, kNaN})
    {
        s->scaleX = noInverse;
        EXPECT_FALSE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 4, 4, nullptr));
    }
    EXPECT_EQ(sink.blendCalls, 0);
}

// A surface's pixel (x, y) in target coordinates; 0 outside it.
uint32_t SurfacePixel(const ShapeRenderer::RenderedShape& r, int32_t x, int32_t y)
{
    if (!r.surface || x < r.target.L || x >= r.target.R || y < r.target.T || y >= r.target.B)
        return 0;
    cairo_surface_t* s = r.surface.get();
    cairo_surface_flush(s);
    const unsigned char* row = cairo_image_surface_get_data(s) + (y - r.target.T) * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const uint32_t*>(row)[x - r.target.L];
}

// The kinds and passes of the face: a shadowed box, a gradient, a stroked
// ellipse, scale marks, bold text and turned text.
std::vector<Shape*> ShapesOfEveryKind(ShapeList& layer)
{
    Shape* box = Solid(layer, IArgb{255, 234, 231, 212}, 10.0);
    box->shadowOn = 1;
    box->shadowOffsetX = box->shadowOffsetY = 2.0;
    box->shadowOpacity = 20.0;
    box->scaleOn = 1;
    box->scaleX = box->scaleY = 90.0;
    Shape* bar = Solid(layer, IArgb{255, 0, 0, 0});
    bar->fill.gradientOn = 1;
    bar->fill.AddStop("#f0a938", 255, 0.0);
    bar->fill.AddStop("#ffffff", 255, 0.75);
    bar->fill.AddStop("#ed5a5a", 255, 1.0);
    Shape* ring = layer.AddShapeKind2(0.0);
    ring->fill.colour = IArgb{200, 20, 90, 200};
    ring->filled = 0;
    ring->strokeWidth = 20.0;
    Shape* marks = layer.AddShapeKind8(10.0, 60.0, 25.0, 0);
    marks->fill.colour = IArgb{255, 149, 148, 144};
    marks->strokeWidth = 10.0;
    Shape* text = layer.AddText("-23.4 dB", nullptr, 17, 1, 0, 2, 1, 0);
    text->fill.colour = IArgb{255, 255, 255, 255};
    Shape* turned = layer.AddText("True Peak", nullptr, 12, 1, 0, 0, 1, 0);
    turned->fill.colour = IArgb{255, 60, 60, 58};
    turned->rotationOn = 1;
    turned->angle = -90.0;
    return {box, bar, ring, marks, text, turned};
}

// Only the rows that show are made, and every pixel that shows is the whole
// surface's: bands from every top and to every bottom, narrower columns,
// which may leave out a fill that cannot reach them.
TEST(RenderShape, WhatShowsIsWhatTheWholeSurfaceHolds)
{
    ShapeList layer;
    const IBounds target{3, 5, 3 + 61, 5 + 47};  // odd width: rows fall on both 8-byte phases
    for (Shape* shape : ShapesOfEveryKind(layer))
    {
        const ShapeRenderer::RenderedShape whole = ShapeRenderer::RenderShape(*shape, target);
        ASSERT_TRUE(whole.surface);
        std::vector<IBounds> visibles;
        for (int32_t edge = target.T + 1; edge < target.B; ++edge)
        {
            visibles.push_back(IBounds{target.L, edge, target.R, target.B});
            visibles.push_back(IBounds{target.L, target.T, target.R, edge});
        }
        for (int32_t left : {target.L + 1, target.L + 20, target.L + 45})
            visibles.push_back(IBounds{left, target.T + 9, left + 9, target.T + 30});
        visibles.push_back(IBounds{-100, -100, 100, 100});
        for (const IBounds& visible : visibles)
        {
            const ShapeRenderer::RenderedShape part = ShapeRenderer::RenderShape(*shape, target, visible);
            ASSERT_FALSE(part.failed);
            const IBounds shown = BoundsClip(target, visible);
            ASSERT_EQ(part.target, (IBounds{target.L, shown.T, target.R, shown.B}));
            for (int32_t y = shown.T; y < shown.B; ++y)
                for (int32_t x = shown.L; x < shown.R; ++x)
                    ASSERT_EQ(SurfacePixel(part, x, y), SurfacePixel(whole, x, y))
                        << "shape " << shape->kind << " '" << shape->text.Get() << "' shown " << shown.L << ","
                        << shown.T << "," << shown.R << "," << shown.B << " at " << x << "," << y;
        }
    }
}

TEST(RenderShape, NothingIsMadeOfWhatCannotShowButBlurredAndHugeShapesStayWhole)
{
    ShapeList layer;
    Shape* s = ShapesOfEveryKind(layer)[0];
    const IBounds target{0, 0, 40, 30};
    const ShapeRenderer::RenderedShape none = ShapeRenderer::RenderShape(*s, target, IBounds{40, 0, 60, 30});
    EXPECT_FALSE(none.surface);
    EXPECT_FALSE(none.failed);

    // A blur reads neighbours: the whole surface, whatever shows.
    s->shadowBlur = 8.0;
    const ShapeRenderer::RenderedShape blurred = ShapeRenderer::RenderShape(*s, target, IBounds{0, 10, 40, 12});
    EXPECT_EQ(blurred.target, target);
    s->shadowBlurOn = 0;
    EXPECT_EQ(ShapeRenderer::RenderShape(*s, target, IBounds{0, 10, 40, 12}).target, (IBounds{0, 10, 40, 12}));

    // Larger than cairo makes surfaces: a failure, however little shows.
    const ShapeRenderer::RenderedShape huge = ShapeRenderer::RenderShape(*s, IBounds{0, 0, 40000, 30},
                                                                         IBounds{0, 0, 10, 10});
    EXPECT_TRUE(huge.failed);
    EXPECT_FALSE(huge.surface);
}

TEST(RoundedRect, EachArcTakesItsOwnCornersSwitchAndTheShadowRoundsAll)
{
    // 40 x 40, radius 50 % (r = 10): a corner pixel is empty where rounded.
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 0, 0, 0}, 50.0);
    auto expectCorners = [&](bool tl, bool tr, bool bl, bool br) {
        Drawn d(*s, 40, 40);
        EXPECT_EQ(d.AlphaAt(0, 0), tl ? 0 : 255);
        EXPECT_EQ(d.AlphaAt(39, 0), tr ? 0 : 255);
        EXPECT_EQ(d.AlphaAt(0, 39), bl ? 0 : 255);
        EXPECT_EQ(d.AlphaAt(39, 39), br ? 0 : 255);
        EXPECT_EQ(d.AlphaAt(20, 20), 255);
    };
    expectCorners(true, true, true, true);
    s->cornerBottomLeft = s->cornerBottomRight = 0;  // flags 1, 1, 0, 0
    expectCorners(true, true, false, false);
    s->cornerTopLeft = s->cornerTopRight = 0, s->cornerBottomLeft = 1;  // flags 0, 0, 1, 0
    expectCorners(false, false, true, false);

    s->cornerTopLeft = s->cornerTopRight = 1, s->cornerBottomLeft = 0;
    s->fill.colour.A = 0;  // only the shadow shows
    s->shadowOn = 1;
    s->shadowOpacity = 100.0;
    expectCorners(true, true, true, true);
}

TEST(Ellipse, ACircleOverTheGeometricMeanOfTheSides)
{
    // 100 x 25: radius sqrt(2500) / 2 = 25 about (50, 12.5).
    ShapeList layer;
    Shape* s = layer.AddShapeKind2(0.0);
    s->fill.colour = IArgb{255, 255, 255, 255};
    Drawn d(*s, 100, 25);
    for (auto [x, y] : {std::pair{50, 12}, {27, 12}, {72, 12}, {50, 0}})
        EXPECT_EQ(d.AlphaAt(x, y), 255) << x << "," << y;
    for (auto [x, y] : {std::pair{23, 12}, {76, 12}, {26, 0}})
        EXPECT_EQ(d.AlphaAt(x, y), 0) << x << "," << y;
}

TEST(ScaleMarks, FullSpacingDrawsCentreTopAndBottomLines)
{
    // Height 40 inset to 20: lines at 10, 20 and 30, each one pixel wide over
    // two rows.
    ShapeList layer;
    Shape* s = layer.AddShapeKind8(-50.0, 100.0, 100.0, 0);
    s->fill.colour = IArgb{255, 0, 0, 0};
    auto inkedRows = [&] {
        Drawn d(*s, 20, 40);
        std::vector<int32_t> rows;
        for (int32_t y = 0; y < 40; ++y)
            if (d.AlphaAt(10, y) > 0)
                rows.push_back(y);
        return rows;
    };
    EXPECT_EQ(inkedRows(), (std::vector<int32_t>{9, 10, 19, 20, 29, 30}));
    s->marksOneSided = 1;
    EXPECT_EQ(inkedRows(), (std::vector<int32_t>{19, 20, 29, 30}));
}

TEST(TextPath, AlignmentCodesPlaceTheText)
{
    ShapeList layer;
    Shape* s = layer.AddText("HH", nullptr, 20, 0, 0, 0, 1, 0);
    s->fill.colour = IArgb{255, 0, 0, 0};
    auto ink = [&](int32_t hAlign, int32_t vAlign) {
        s->horizontalAlignment = hAlign;
        s->verticalAlignment = vAlign;
        Drawn d(*s, 120, 60);
        return InkBox(d.sink);
    };
    for (int32_t other : {0, 7, -1})
        EXPECT_LE(ink(other, 1).L, 4) << "horizontal code " << other << " starts at x = 0";
    EXPECT_GE(ink(2, 1).R, 114);
    const IBounds centred = ink(1, 1);
    EXPECT_NEAR((centred.L + centred.R) / 2.0, 60.0, 2.0);
    EXPECT_NEAR((centred.T + centred.B) / 2.0, 30.0, 1.5) << "centred on the height of \"A\"";
    EXPECT_LE(ink(1, 0).T, 1) << "top: baseline at the text's height";
    EXPECT_GE(ink(1, 2).B, 59) << "bottom: baseline at H";
    EXPECT_EQ(ink(1, 5).R, -1) << "other codes: baseline at y = 0, the letters above the surface";
}

TEST(StyledText, GoesToTheSinkWithTheFillsColour)
{
    ShapeList layer;
    Shape* s = layer.AddShape(0.0, 0.0);
    s->kind = kShapeStyledText;
    s->text.Set("LUFS");
    s->fill.colour = IArgb{255, 0, 100, 200};
    s->fill.colourTo = IArgb{55, 200, 0, 200};
    s->fill.animated = 1;
    s->fill.t = 0.5;
    PixelSink sink(20, 20);
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 2, 3, 18, 19, nullptr));
    ASSERT_EQ(sink.texts.size(), 1u);
    EXPECT_EQ(sink.texts[0].text, "LUFS");
    EXPECT_EQ(sink.texts[0].target, (IBounds{2, 3, 18, 19}));
    EXPECT_EQ(sink.texts[0].colour, (IArgb{155, 100, 50, 200}));
    EXPECT_EQ(sink.blendCalls, 0);
    s->text.Set("");
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 2, 3, 18, 19, nullptr));
    EXPECT_EQ(sink.texts.size(), 1u);
}

TEST(SetSource, AnimatedColourStepsEachChannelAndStaysInRange)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 0, 0, 0});
    s->fill.colourTo = IArgb{255, 200, 101, 51};
    s->fill.animated = 1;
    auto colourAt = [&](double t) {
        s->fill.t = t;
        return Drawn(*s, 4, 4).At(1, 1);
    };
    EXPECT_EQ(colourAt(0.5), 0xFF643219u);  // trunc(100.5), trunc(50.5), trunc(25.5)
    EXPECT_EQ(colourAt(3.0), 0xFFFFFF99u);
    for (double t : {kNaN, kInf, -kInf})
        EXPECT_EQ(colourAt(t), 0xFF000000u) << "a t that is not finite: the unanimated colour";
}

TEST(SetSource, GradientsRunOverTheUntransformedRectangle)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 0, 0, 0});
    s->fill.gradientOn = 1;
    s->fill.AddStop("#ff0000", 255, 0.0);
    s->fill.AddStop("#0000ff", 255, 1.0);
    {
        Drawn d(*s, 100, 10);
        EXPECT_GE(PixelSink::Red(d.At(0, 5)), 250);
        EXPECT_GE(PixelSink::Blue(d.At(99, 5)), 250);
    }
    // Scaled to 50 % the shape covers x 25..75, the gradient still 0..100.
    s->scaleOn = 1;
    s->scaleX = s->scaleY = 50.0;
    {
        Drawn d(*s, 100, 10);
        EXPECT_EQ(d.AlphaAt(24, 5), 0);
        EXPECT_NEAR(PixelSink::Blue(d.At(26, 5)), 67, 4);
        EXPECT_NEAR(PixelSink::Blue(d.At(73, 5)), 188, 4);
    }
    s->scaleOn = 0;
    s->fill.gradientHorizontal = 0;
    Drawn d(*s, 10, 100);
    EXPECT_GE(PixelSink::Red(d.At(5, 99)), 250) << "offset 0 is at the bottom";
    EXPECT_GE(PixelSink::Blue(d.At(5, 0)), 250);
}

TEST(Stroke, LineWidthIsNotScaledByTheShapesTransform)
{
    // Stroke 20 % of half the width 40: 4 pixels about the outline at x = 10.
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 0, 0, 0});
    s->filled = 0;
    s->strokeWidth = 20.0;
    s->scaleOn = 1;
    s->scaleX = s->scaleY = 50.0;
    Drawn d(*s, 40, 40);
    for (int32_t x = 7; x < 14; ++x)
        EXPECT_EQ(d.AlphaAt(x, 20), x >= 8 && x < 12 ? 255 : 0) << x;
}

TEST(BuildTransform, ScaleThenOffsetThenRotation)
{
    Shape s;
    s.scaleOn = 1;
    s.scaleX = s.scaleY = 50.0;
    s.offsetOn = 1;
    s.offsetX = 10.0;  // 10 % of 100
    s.rotationAnimated = 1;
    s.angleTarget = 180.0;
    auto map = [&s](double x, double y) {
        cairo_matrix_t m;
        cairo_matrix_init_identity(&m);
        ShapeRenderer::BuildTransform(s, &m, 50.0, 50.0, 100.0, 100.0, false);
        cairo_matrix_transform_point(&m, &x, &y);
        return std::pair{x, y};
    };
    EXPECT_EQ(map(100.0, 50.0), (std::pair{85.0, 50.0})) << "scaled to 75, then moved by 10";
    s.rotationOn = 1;
    s.rotationT = 0.5;  // 90 degrees about the centre, last
    const auto [x, y] = map(100.0, 50.0);
    EXPECT_NEAR(x, 50.0, 1e-9);
    EXPECT_NEAR(y, 85.0, 1e-9);
}

TEST(Shadow, PercentOffsetsMoveTheShadowWithinTheTarget)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{0, 0, 0, 0});
    s->scaleOn = 1;
    s->scaleX = s->scaleY = 50.0;  // 10..30 of 40
    s->shadowOn = 1;
    s->shadowOffsetX = 25.0;       // 10 pixels right
    s->shadowOffsetY = -25.0;      // 10 pixels up
    s->shadowOpacity = 50.0;
    s->shadowColour = IArgb{0, 255, 0, 0};  // its alpha is not used
    Drawn d(*s, 40, 40);
    EXPECT_EQ(d.sink.lastTarget, (IBounds{0, 0, 40, 40}));
    EXPECT_EQ(d.sink.Last(25, 5), 0x80FF0000u);
    EXPECT_EQ(d.sink.Last(39, 19), 0x80FF0000u);
    EXPECT_EQ(d.AlphaAt(15, 5), 0);
    EXPECT_EQ(d.AlphaAt(25, 25), 0);
}

TEST(Shadow, AbsoluteOffsetsGrowTheSurfaceByTheirPositivePartOnly)
{
    ShapeList layer;
    Shape* s = layer.AddFilledShape(1, 0.0, IArgb{255, 0, 0, 255}, 1, 1.0, 1, 3.0, 2.0, 100.0, 0.0);
    s->horizontalScale = s->verticalScale = 2.0;
    PixelSink sink(80, 80);
    auto targetFor = [&](double x, double y) {
        s->shadowOffsetX = x;
        s->shadowOffsetY = y;
        EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 10, 10, 30, 20, nullptr));
        return sink.lastTarget;
    };
    EXPECT_EQ(targetFor(3.0, 2.0), (IBounds{10, 10, 30 + 24, 20 + 16}));
    EXPECT_EQ(sink.Pixel(29, 19), 0xFF0000FFu) << "the shape over its shadow";
    EXPECT_EQ(sink.Pixel(35, 23), 0xFF000000u) << "the shadow 6 right and 4 down";
    EXPECT_EQ(sink.Pixel(36, 23), 0u);
    EXPECT_EQ(targetFor(-3.0, 2.0), (IBounds{10, 10, 30, 20 + 16}));
    EXPECT_EQ(targetFor(-3.0, -2.0), (IBounds{10, 10, 30, 20}));
    for (double bad : {kNaN, kInf, 0.0})
    {
        s->horizontalScale = s->verticalScale = bad;  // drawn at scale 1
        EXPECT_EQ(targetFor(3.0, 2.0), (IBounds{10, 10, 30 + 12, 20 + 8}));
    }
    s->shadowOffsetX = kInf;  // no growth beyond the largest surface, no crash
    EXPECT_FALSE(ShapeRenderer::DrawShape(*s, sink, 10, 10, 30, 20, nullptr));
}

TEST(Shadow, BlurSoftensOnlyWhileItsSwitchIsOn)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{0, 0, 0, 0});
    s->scaleOn = 1;
    s->scaleX = s->scaleY = 50.0;  // edge at x = 10
    s->shadowOn = 1;
    s->shadowOpacity = 100.0;
    s->shadowBlur = 20.0;
    s->shadowBlurOn = 0;
    {
        Drawn d(*s, 40, 40);
        EXPECT_EQ(d.AlphaAt(9, 20), 0);
        EXPECT_EQ(d.AlphaAt(10, 20), 255);
    }
    s->shadowBlurOn = 1;
    Drawn d(*s, 40, 40);
    EXPECT_GT(d.AlphaAt(9, 20), 0);
    EXPECT_LT(d.AlphaAt(10, 20), 255);
}

TEST(Effects, EmbossKeepsItsPixelsPremultipliedOnlyWhenItRan)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{128, 255, 0, 0});
    s->emboss = 0.001;  // no change inside a flat area
    {
        Drawn d(*s, 8, 8);
        EXPECT_EQ(d.sink.Last(4, 4), 0x80800000u);
        EXPECT_EQ(d.sink.Last(0, 4), 0u) << "the border goes";
    }
    s->effectsOn = 0;
    Drawn d(*s, 8, 8);
    EXPECT_EQ(d.sink.Last(4, 4), 0x80FF0000u);
    EXPECT_EQ(d.sink.Last(0, 4), 0x80FF0000u);
}

// Three frames: red, green, blue.
ShapeList* ThreeFrames()
{
    ShapeList* layer = new ShapeList;
    Solid(*layer, IArgb{255, 255, 0, 0});
    Solid(*layer, IArgb{255, 0, 255, 0});
    Solid(*layer, IArgb{255, 0, 0, 255});
    return layer;
}

TEST(DrawLayerFrame, ClampsTheFrameAndDrawsItUnanimated)
{
    std::unique_ptr<ShapeList> layer(ThreeFrames());
    auto colourOf = [&](int32_t frame) {
        PixelSink sink(4, 4);
        ShapeRenderer::DrawLayerFrame(layer.get(), sink, IBounds{0, 0, 4, 4}, frame, nullptr);
        return sink.Pixel(1, 1);
    };
    EXPECT_EQ(colourOf(1), 0xFF00FF00u);
    EXPECT_EQ(colourOf(7), 0xFF0000FFu);
    EXPECT_EQ(colourOf(-1), 0xFFFF0000u);
    Shape* first = layer->Get(0);
    ShapeRenderer::SetAnimation(*first, 0.7);
    first->fill.animated = 1;
    EXPECT_EQ(colourOf(std::numeric_limits<int32_t>::min()), 0xFFFF0000u);
    EXPECT_EQ(first->fill.t + first->scaleT + first->offsetT + first->rotationT, 0.0);
}

TEST(DrawGroup, GatesOnVisibilityTextAndContent)
{
    PixelSink sink(40, 40);
    const IBounds t{0, 0, 40, 40};
    ShapeGroup group;
    EXPECT_FALSE(ShapeRenderer::DrawGroup(&group, sink, t, 0, nullptr)) << "no layers";
    EXPECT_FALSE(ShapeRenderer::DrawGroupAtValue(&group, sink, t, 0.5, nullptr));
    EXPECT_FALSE(ShapeRenderer::DrawGroup(nullptr, sink, t, 0, nullptr));
    EXPECT_FALSE(ShapeRenderer::DrawLayerFrame(nullptr, sink, t, 0, nullptr));
    group.AddLayer(new ShapeList);
    EXPECT_FALSE(ShapeRenderer::DrawGroup(&group, sink, t, 0, nullptr)) << "the last layer is empty";
    group.Layer(0)->visible = 0;
    EXPECT_TRUE(ShapeRenderer::DrawGroup(&group, sink, t, 0, nullptr));

    // A text layer switched off draws nothing while the others draw.
    group.AddLayer(ThreeFrames());
    ShapeList* text = new ShapeList;
    text->AddText("8", nullptr, 30, 1, 0, 1, 1, 0)->fill.colour = IArgb{255, 255, 255, 255};
    text->textOn = 0;
    group.AddLayer(text);
    EXPECT_TRUE(ShapeRenderer::DrawGroup(&group, sink, t, 0, nullptr));
    EXPECT_EQ(sink.blendCalls, 1);
    for (uint32_t p : sink.pixels)
        ASSERT_EQ(p, 0xFFFF0000u);
    text->textOn = 1;
    EXPECT_TRUE(ShapeRenderer::DrawGroup(&group, sink, t, 0, nullptr));
    EXPECT_EQ(sink.blendCalls, 3);

    group.visible = 0;
    EXPECT_TRUE(ShapeRenderer::DrawGroup(&group, sink, t, 0, nullptr));
    EXPECT_TRUE(ShapeRenderer::DrawGroupAtValue(&group, sink, t, 1.0, nullptr));
    EXPECT_EQ(sink.blendCalls, 3);
}

TEST(DrawGroupAtValue, AnimatesTheFirstShapeOfEveryLayer)
{
    ShapeGroup group;
    ShapeList* layer = ThreeFrames();
    Shape* s = layer->Get(0);
    s->fill.animated = 1;
    s->fill.colourTo = IArgb{255, 255, 255, 255};
    s->offsetOn = 1;
    s->offsetAnimated = 1;
    s->offsetTargetX = 0.0;
    s->offsetTargetY = -100.0;
    group.AddLayer(layer);
    PixelSink sink(4, 8);
    EXPECT_TRUE(ShapeRenderer::DrawGroupAtValue(&group, sink, IBounds{0, 0, 4, 8}, 0.5, nullptr));
    EXPECT_EQ(sink.Pixel(1, 1), 0xFFFF7F7Fu);
    EXPECT_EQ(sink.Pixel(1, 5), 0u) << "moved up by half its height";
    EXPECT_EQ(layer->Get(1)->fill.t, 0.0) << "other frames are left alone";
    for (double t : {kNaN, kInf, -kInf})
    {
        PixelSink unanimated(4, 8);
        EXPECT_TRUE(ShapeRenderer::DrawGroupAtValue(&group, unanimated, IBounds{0, 0, 4, 8}, t, nullptr));
        EXPECT_EQ(unanimated.Pixel(1, 1), 0xFFFF0000u);
        EXPECT_EQ(unanimated.Pixel(1, 7), 0xFFFF0000u);
    }
}

TEST(FrameForValue, ClampsToTheFrames)
{
    EXPECT_EQ(FrameForValue(3, -0.4), 0);
    EXPECT_EQ(FrameForValue(3, 1e300), 2);
    EXPECT_EQ(FrameForValue(1, 1.0), 0);
    EXPECT_EQ(FrameForValue(-4, 1.0), 0);
    for (double v : {kNaN, kInf, -kInf})
        EXPECT_EQ(FrameForValue(4, v), 0) << "the first frame";
}

}  // namespace
