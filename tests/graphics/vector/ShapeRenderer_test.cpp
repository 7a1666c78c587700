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

// Draws one shape into a target at (0, 0) of a sink that keeps its pixels.
struct Drawn
{
    explicit Drawn(Shape& shape, int32_t w, int32_t h) : sink(w, h)
    {
        result = ShapeRenderer::DrawShape(shape, sink, 0, 0, w, h, nullptr);
    }
    uint32_t At(int32_t x, int32_t y) const { return sink.Pixel(x, y); }
    int32_t AlphaAt(int32_t x, int32_t y) const { return PixelSink::Alpha(At(x, y)); }

    PixelSink sink;
    bool result = false;
};

Shape* Solid(ShapeList& layer, IArgb colour)
{
    Shape* s = layer.AddShape(0.0, 0.0);
    s->fill.colour = colour;
    return s;
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
        {
            const bool inside = x >= 5 && x < 25 && y >= 7 && y < 17;
            EXPECT_EQ(sink.Pixel(x, y), inside ? 0xFF0A141Eu : 0u) << x << "," << y;
        }
}

TEST(DrawShape, TranslucentColoursArriveAsStraightAlpha)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{128, 255, 64, 0});
    Drawn d(*s, 8, 8);
    EXPECT_EQ(d.sink.Last(4, 4), 0x80FF4000u);
}

TEST(DrawShape, InvisibleShapesAndEmptyTargetsDrawNothing)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 255, 0, 0});
    s->visible = 0;
    PixelSink sink(10, 10);
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 10, 10, nullptr));
    s->visible = 1;
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 5, 5, 5, 9, nullptr));
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 5, 5, 2, 9, nullptr));
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 0, 0, std::numeric_limits<int32_t>::min(), 4, nullptr));
    EXPECT_EQ(sink.blendCalls, 0);
}

TEST(DrawShape, ACairoErrorSkipsTheShapeAndSaysSo)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 255, 0, 0});
    PixelSink sink(4, 4);
    // Wider than any image surface cairo makes.
    EXPECT_FALSE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 40000, 4, nullptr));
    // A scale of 0 % has no inverse.
    s->scaleOn = 1;
    s->scaleX = 0.0;
    EXPECT_FALSE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 4, 4, nullptr));
    s->scaleX = std::nan("");
    EXPECT_FALSE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 4, 4, nullptr));
    EXPECT_EQ(sink.blendCalls, 0);
}

TEST(DrawShape, KindsWithoutDrawingDrawNothing)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 255, 0, 0});
    PixelSink sink(4, 4);
    for (int32_t kind : {0, 3, 4, 5, 6, 7, 9, 10, 13, -1})
    {
        s->kind = kind;
        EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 4, 4, nullptr)) << kind;
    }
    EXPECT_EQ(sink.blendCalls, 0);
    EXPECT_TRUE(sink.texts.empty());
}

TEST(RoundedRect, CornerRadiusZeroIsAPlainRectangle)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 0, 0, 255});
    Drawn d(*s, 12, 9);
    for (auto [x, y] : {std::pair{0, 0}, {11, 0}, {0, 8}, {11, 8}})
        EXPECT_EQ(d.At(x, y), 0xFF0000FFu);
}

// Corners of a 40 x 40 shape with radius 50 % (r = 10): the pixel in each
// corner is outside a rounded corner and inside a square one.
void ExpectCorners(Drawn& d, bool tl, bool tr, bool bl, bool br)
{
    EXPECT_EQ(d.AlphaAt(0, 0), tl ? 0 : 255) << "top-left";
    EXPECT_EQ(d.AlphaAt(39, 0), tr ? 0 : 255) << "top-right";
    EXPECT_EQ(d.AlphaAt(0, 39), bl ? 0 : 255) << "bottom-left";
    EXPECT_EQ(d.AlphaAt(39, 39), br ? 0 : 255) << "bottom-right";
    EXPECT_EQ(d.AlphaAt(20, 20), 255);
}

TEST(RoundedRect, EachArcTakesItsOwnCornersSwitch)
{
    ShapeList layer;
    Shape* s = layer.AddShape(0.0, 50.0);
    s->fill.colour = IArgb{255, 0, 0, 0};
    {
        Drawn all(*s, 40, 40);
        ExpectCorners(all, true, true, true, true);
    }
    s->cornerTopLeft = 1, s->cornerTopRight = 1, s->cornerBottomLeft = 0, s->cornerBottomRight = 0;
    {
        Drawn top(*s, 40, 40);
        ExpectCorners(top, true, true, false, false);
    }
    s->cornerTopLeft = 0, s->cornerTopRight = 0, s->cornerBottomLeft = 1, s->cornerBottomRight = 0;
    {
        Drawn bottomLeft(*s, 40, 40);
        ExpectCorners(bottomLeft, false, false, true, false);
    }
}

TEST(RoundedRect, TheShadowRoundsAllFourCorners)
{
    ShapeList layer;
    Shape* s = layer.AddShape(0.0, 50.0);
    s->fill.colour = IArgb{0, 0, 0, 0};  // only the shadow shows
    s->cornerTopLeft = 1, s->cornerTopRight = 1, s->cornerBottomLeft = 0, s->cornerBottomRight = 0;
    s->shadowOn = 1;
    s->shadowOpacity = 100.0;
    Drawn d(*s, 40, 40);
    ExpectCorners(d, true, true, true, true);
}

TEST(RoundedRect, InsetNarrowsOrShortensAboutTheCentre)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 0, 0, 0});
    s->inset = 50.0;  // width 20 of 40, from x = 10
    {
        Drawn d(*s, 40, 20);
        EXPECT_EQ(d.AlphaAt(9, 10), 0);
        EXPECT_EQ(d.AlphaAt(10, 10), 255);
        EXPECT_EQ(d.AlphaAt(29, 0), 255);
        EXPECT_EQ(d.AlphaAt(30, 10), 0);
    }
    s->inset = -50.0;  // height 10 of 20, from y = 5
    {
        Drawn d(*s, 40, 20);
        EXPECT_EQ(d.AlphaAt(0, 4), 0);
        EXPECT_EQ(d.AlphaAt(0, 5), 255);
        EXPECT_EQ(d.AlphaAt(39, 14), 255);
        EXPECT_EQ(d.AlphaAt(39, 15), 0);
    }
}

TEST(Ellipse, ACircleOverTheGeometricMeanOfTheSides)
{
    // 100 x 25: radius sqrt(2500) / 2 = 25 about (50, 12.5).
    ShapeList layer;
    Shape* s = layer.AddShapeKind2(0.0);
    s->fill.colour = IArgb{255, 255, 255, 255};
    Drawn d(*s, 100, 25);
    EXPECT_EQ(d.AlphaAt(50, 12), 255);
    EXPECT_EQ(d.AlphaAt(27, 12), 255);
    EXPECT_EQ(d.AlphaAt(72, 12), 255);
    EXPECT_EQ(d.AlphaAt(50, 0), 255);
    EXPECT_EQ(d.AlphaAt(23, 12), 0);
    EXPECT_EQ(d.AlphaAt(76, 12), 0);
    EXPECT_EQ(d.AlphaAt(26, 0), 0);
}

TEST(Ellipse, InsetSquashesTheCircleAboutTheCentre)
{
    ShapeList layer;
    Shape* s = layer.AddShapeKind2(50.0);  // half as wide: x radius 10
    s->fill.colour = IArgb{255, 255, 255, 255};
    Drawn d(*s, 40, 40);
    EXPECT_EQ(d.AlphaAt(20, 1), 255);
    EXPECT_EQ(d.AlphaAt(11, 20), 255);
    EXPECT_EQ(d.AlphaAt(8, 20), 0);
    EXPECT_EQ(d.AlphaAt(31, 20), 0);
}

// Rows of the centre column that carry ink.
std::vector<int32_t> InkedRows(const Drawn& d, int32_t height, int32_t x)
{
    std::vector<int32_t> rows;
    for (int32_t y = 0; y < height; ++y)
        if (d.AlphaAt(x, y) > 0)
            rows.push_back(y);
    return rows;
}

TEST(ScaleMarks, FullSpacingDrawsCentreTopAndBottomLines)
{
    // Height 40 inset to 20: half height 10; lines at 10, 20 and 30, each one
    // pixel wide across two rows.
    ShapeList layer;
    Shape* s = layer.AddShapeKind8(-50.0, 100.0, 100.0, 0);
    s->fill.colour = IArgb{255, 0, 0, 0};
    {
        Drawn d(*s, 20, 40);
        EXPECT_EQ(InkedRows(d, 40, 10), (std::vector<int32_t>{9, 10, 19, 20, 29, 30}));
    }
    s->marksOneSided = 1;
    {
        Drawn d(*s, 20, 40);
        EXPECT_EQ(InkedRows(d, 40, 10), (std::vector<int32_t>{19, 20, 29, 30}));
    }
}

TEST(ScaleMarks, LengthAndSpacingScaleWithTheTarget)
{
    // Length 50 %: half length 5 of width 20; spacing 50 %: every 5 pixels.
    ShapeList layer;
    Shape* s = layer.AddShapeKind8(-50.0, 50.0, 50.0, 0);
    s->fill.colour = IArgb{255, 0, 0, 0};
    s->lineCap = 0;  // butt: the line ends where its length says
    Drawn d(*s, 20, 40);
    EXPECT_EQ(InkedRows(d, 40, 10), (std::vector<int32_t>{9, 10, 14, 15, 19, 20, 24, 25, 29, 30}));
    EXPECT_EQ(d.AlphaAt(5, 20), 128);
    EXPECT_EQ(d.AlphaAt(4, 20), 0);
    EXPECT_EQ(d.AlphaAt(15, 20), 0);
}

// Columns and rows holding ink in the last drawn surface.
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

Shape* TextShape(ShapeList& layer, const char* text, int32_t hAlign, int32_t vAlign)
{
    Shape* s = layer.AddText(text, nullptr, 20, 0, 0, hAlign, vAlign, 0);
    s->fill.colour = IArgb{255, 0, 0, 0};
    return s;
}

TEST(TextPath, HorizontalAlignmentPlacesTheText)
{
    ShapeList layer;
    for (int32_t code : {0, 7, -1})
    {
        Drawn d(*TextShape(layer, "HH", code, 1), 120, 40);
        EXPECT_LE(InkBox(d.sink).L, 4) << "code " << code << " starts at x = 0";
    }
    {
        Drawn d(*TextShape(layer, "HH", 2, 1), 120, 40);
        EXPECT_GE(InkBox(d.sink).R, 114);
    }
    {
        Drawn d(*TextShape(layer, "HH", 1, 1), 120, 40);
        const IBounds box = InkBox(d.sink);
        EXPECT_NEAR((box.L + box.R) / 2.0, 60.0, 2.0);
    }
}

TEST(TextPath, VerticalAlignmentPlacesTheBaseline)
{
    ShapeList layer;
    {
        Drawn d(*TextShape(layer, "H", 1, 0), 60, 60);  // top: baseline at the text's height
        EXPECT_LE(InkBox(d.sink).T, 1);
    }
    {
        Drawn d(*TextShape(layer, "H", 1, 2), 60, 60);  // bottom: baseline at H
        EXPECT_GE(InkBox(d.sink).B, 59);
    }
    {
        Drawn d(*TextShape(layer, "H", 1, 1), 60, 60);  // centred on the height of "A"
        const IBounds box = InkBox(d.sink);
        EXPECT_NEAR((box.T + box.B) / 2.0, 30.0, 1.5);
    }
    {
        // Any other code: baseline at y = 0, so a letter without descender
        // stands entirely above the surface.
        PixelSink sink(60, 60);
        Shape* s = TextShape(layer, "H", 1, 5);
        EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 60, 60, nullptr));
        EXPECT_EQ(InkBox(sink).R, -1);
    }
}

TEST(TextPath, SizeFollowsTheVerticalScale)
{
    ShapeList layer;
    Shape* s = TextShape(layer, "H", 1, 1);
    Drawn small(*s, 100, 100);
    layer.SetScale(1.0, 2.0);
    Drawn large(*s, 100, 100);
    const IBounds a = InkBox(small.sink);
    const IBounds b = InkBox(large.sink);
    EXPECT_NEAR(b.B - b.T, 2.0 * (a.B - a.T), 2.0);
}

TEST(TextPath, NoTextDrawsNothing)
{
    ShapeList layer;
    Shape* s = TextShape(layer, "", 1, 1);
    PixelSink sink(20, 20);
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 20, 20, nullptr));
    s->shadowOn = 1;
    s->shadowOpacity = 100.0;
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 20, 20, nullptr));
    EXPECT_EQ(sink.blendCalls, 0);
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
    EXPECT_EQ(s->textStyle.colour, (IArgb{155, 100, 50, 200}));
    EXPECT_EQ(sink.blendCalls, 0);

    s->text.Set("");
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 2, 3, 18, 19, nullptr));
    EXPECT_EQ(sink.texts.size(), 1u);
}

TEST(SetSource, AnimatedColourStepsEachChannel)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 0, 0, 0});
    s->fill.colourTo = IArgb{255, 200, 101, 51};
    s->fill.animated = 1;
    s->fill.t = 0.5;
    {
        Drawn d(*s, 4, 4);
        EXPECT_EQ(d.At(1, 1), 0xFF643219u);  // 0 + trunc(100.5), trunc(50.5), trunc(25.5)
    }
    for (double t : {std::nan(""), kInf, -kInf})
    {
        s->fill.t = t;
        Drawn d(*s, 4, 4);
        EXPECT_EQ(d.At(1, 1), 0xFF000000u) << "a t that is not finite draws the unanimated colour";
    }
    s->fill.t = 3.0;
    Drawn beyond(*s, 4, 4);
    EXPECT_EQ(beyond.At(1, 1), 0xFFFFFF99u) << "channels stay in range";
}

TEST(SetSource, GradientsRunLeftToRightOrBottomToTop)
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
        EXPECT_NEAR(PixelSink::Red(d.At(25, 5)), 191, 4);
    }
    s->fill.gradientHorizontal = 0;
    {
        Drawn d(*s, 10, 100);
        EXPECT_GE(PixelSink::Red(d.At(5, 99)), 250) << "offset 0 is at the bottom";
        EXPECT_GE(PixelSink::Blue(d.At(5, 0)), 250);
    }
}

TEST(SetSource, TheGradientSpansTheUntransformedRectangle)
{
    // Scaled to 50 % about the centre, the shape covers x 25..75 of 100, but
    // the gradient still runs over 0..100: its left edge is a quarter blue.
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 0, 0, 0});
    s->fill.gradientOn = 1;
    s->fill.AddStop("#ff0000", 255, 0.0);
    s->fill.AddStop("#0000ff", 255, 1.0);
    s->scaleOn = 1;
    s->scaleX = s->scaleY = 50.0;
    Drawn d(*s, 100, 10);
    EXPECT_EQ(d.AlphaAt(24, 5), 0);
    EXPECT_NEAR(PixelSink::Blue(d.At(26, 5)), 67, 4);
    EXPECT_NEAR(PixelSink::Blue(d.At(73, 5)), 188, 4);
}

TEST(SetSource, AGradientWithoutStopsDrawsNothing)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 0, 0, 0});
    s->fill.gradientOn = 1;
    s->shadowOn = 1;
    s->shadowOpacity = 100.0;
    PixelSink sink(10, 10);
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 0, 0, 10, 10, nullptr));
    EXPECT_EQ(sink.blendCalls, 0);
}

TEST(Stroke, LineWidthIsNotScaledByTheShapesTransform)
{
    // Stroke 20 % of half the width 40: 4 pixels, scaled shape or not.
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 0, 0, 0});
    s->filled = 0;
    s->strokeWidth = 20.0;
    s->scaleOn = 1;
    s->scaleX = s->scaleY = 50.0;  // outline from 10 to 30
    Drawn d(*s, 40, 40);
    EXPECT_EQ(d.AlphaAt(7, 20), 0);
    for (int32_t x = 8; x < 12; ++x)
        EXPECT_EQ(d.AlphaAt(x, 20), 255) << x;
    EXPECT_EQ(d.AlphaAt(12, 20), 0);
    EXPECT_EQ(d.AlphaAt(20, 20), 0);
}

TEST(Stroke, WidthIsAtLeastOnePixel)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 0, 0, 0});
    s->filled = 0;
    s->strokeWidth = std::nan("");
    s->scaleOn = 1;
    s->scaleX = s->scaleY = 50.0;  // left edge of the outline at x = 10
    Drawn d(*s, 40, 40);
    EXPECT_EQ(d.AlphaAt(9, 20), 128);
    EXPECT_EQ(d.AlphaAt(10, 20), 128);
    EXPECT_EQ(d.AlphaAt(11, 20), 0);
}

TEST(BuildTransform, ScaleThenOffsetThenRotation)
{
    Shape s;
    s.scaleOn = 1;
    s.scaleX = s.scaleY = 50.0;
    s.offsetOn = 1;
    s.offsetX = 10.0;  // 10 % of 100
    cairo_matrix_t m;
    cairo_matrix_init_identity(&m);
    ShapeRenderer::BuildTransform(s, &m, 50.0, 50.0, 100.0, 100.0, false);
    double x = 100.0, y = 50.0;
    cairo_matrix_transform_point(&m, &x, &y);
    EXPECT_DOUBLE_EQ(x, 85.0);  // scaled to 75, then moved by 10
    EXPECT_DOUBLE_EQ(y, 50.0);

    s.rotationOn = 1;
    s.angle = 90.0;
    cairo_matrix_init_identity(&m);
    ShapeRenderer::BuildTransform(s, &m, 50.0, 50.0, 100.0, 100.0, false);
    x = 100.0, y = 50.0;
    cairo_matrix_transform_point(&m, &x, &y);
    EXPECT_NEAR(x, 50.0, 1e-9);  // then turned about the centre
    EXPECT_NEAR(y, 85.0, 1e-9);
}

TEST(BuildTransform, AnimatedValuesPivotsAndCounterTurn)
{
    Shape s;
    s.offsetOn = 1;
    s.offsetAnimated = 1;
    s.offsetX = 0.0;
    s.offsetTargetX = 0.0;
    s.offsetTargetY = -100.0;
    s.offsetT = 0.25;
    cairo_matrix_t m;
    cairo_matrix_init_identity(&m);
    ShapeRenderer::BuildTransform(s, &m, 10.0, 50.0, 20.0, 100.0, false);
    EXPECT_DOUBLE_EQ(m.x0, 0.0);
    EXPECT_DOUBLE_EQ(m.y0, -25.0);

    // Absolute pivots are design pixels times the scale; with the counter-turn
    // the shape orbits the pivot and keeps its orientation.
    Shape r;
    r.absoluteUnits = 1;
    r.horizontalScale = r.verticalScale = 2.0;
    r.rotationOn = 1;
    r.rotationCounterTurn = 1;
    r.rotationPivotX = 5.0;  // 10 pixels right of the centre
    r.angle = 180.0;
    cairo_matrix_init_identity(&m);
    ShapeRenderer::BuildTransform(r, &m, 50.0, 50.0, 100.0, 100.0, true);
    EXPECT_NEAR(m.xx, 1.0, 1e-9);
    EXPECT_NEAR(m.yx, 0.0, 1e-9);
    EXPECT_NEAR(m.x0, 20.0, 1e-9);  // the centre swung round the pivot at 60
    EXPECT_NEAR(m.y0, 0.0, 1e-9);
}

TEST(Shadow, PercentOffsetsMoveTheShadowWithinTheTarget)
{
    ShapeList layer;
    Shape* s = layer.AddShape(0.0, 0.0);
    s->fill.colour = IArgb{0, 0, 0, 0};
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
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 10, 10, 30, 20, nullptr));
    EXPECT_EQ(sink.lastTarget, (IBounds{10, 10, 30 + 24, 20 + 16}));
    // Shape first, shadow 6 right and 4 down behind it, in black.
    EXPECT_EQ(sink.Pixel(29, 19), 0xFF0000FFu);
    EXPECT_EQ(sink.Pixel(35, 23), 0xFF000000u);
    EXPECT_EQ(sink.Pixel(36, 23), 0u);

    s->shadowOffsetX = -3.0;
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 10, 10, 30, 20, nullptr));
    EXPECT_EQ(sink.lastTarget, (IBounds{10, 10, 30, 20 + 16}));
    s->shadowOffsetY = -2.0;
    EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 10, 10, 30, 20, nullptr));
    EXPECT_EQ(sink.lastTarget, (IBounds{10, 10, 30, 20}));
    s->shadowOffsetX = kInf;  // no growth beyond the largest surface, no crash
    s->shadowOffsetY = 0.0;
    EXPECT_FALSE(ShapeRenderer::DrawShape(*s, sink, 10, 10, 30, 20, nullptr));
}

TEST(Shadow, AnEditorScaleThatIsNotFiniteDrawsAtScaleOne)
{
    ShapeList layer;
    Shape* s = layer.AddFilledShape(1, 0.0, IArgb{255, 0, 0, 255}, 1, 1.0, 1, 3.0, 2.0, 100.0, 0.0);
    for (double bad : {std::nan(""), kInf, -kInf, 0.0})
    {
        s->horizontalScale = s->verticalScale = bad;
        PixelSink sink(80, 80);
        EXPECT_TRUE(ShapeRenderer::DrawShape(*s, sink, 10, 10, 30, 20, nullptr));
        EXPECT_EQ(sink.lastTarget, (IBounds{10, 10, 30 + 12, 20 + 8}));
        EXPECT_EQ(sink.Pixel(32, 21), 0xFF000000u) << "shadow 3 right and 2 down";
    }
}

TEST(Shadow, BlurSoftensOnlyWhileItsSwitchIsOn)
{
    ShapeList layer;
    Shape* s = layer.AddShape(0.0, 0.0);
    s->fill.colour = IArgb{0, 0, 0, 0};
    s->scaleOn = 1;
    s->scaleX = s->scaleY = 50.0;
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
    {
        Drawn d(*s, 40, 40);
        EXPECT_GT(d.AlphaAt(9, 20), 0);
        EXPECT_LT(d.AlphaAt(10, 20), 255);
        EXPECT_EQ(d.AlphaAt(20, 20), 255);
    }
}

TEST(Effects, EmbossKeepsItsPixelsPremultipliedOnlyWhenItRan)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{128, 255, 0, 0});
    s->emboss = 0.001;  // rounds to no change in the flat inside
    {
        Drawn d(*s, 8, 8);
        EXPECT_EQ(d.sink.Last(4, 4), 0x80800000u);
        EXPECT_EQ(d.sink.Last(0, 4), 0u) << "the border goes";
    }
    s->effectsOn = 0;
    {
        Drawn d(*s, 8, 8);
        EXPECT_EQ(d.sink.Last(4, 4), 0x80FF0000u);
        EXPECT_EQ(d.sink.Last(0, 4), 0x80FF0000u);
    }
}

TEST(Effects, BlurScalesWithTheEditorScale)
{
    ShapeList layer;
    Shape* s = Solid(layer, IArgb{255, 0, 0, 0});
    s->scaleOn = 1;
    s->scaleX = s->scaleY = 50.0;
    s->blur = 8.0;  // kernel 4 at scale 1
    Drawn one(*s, 60, 60);
    layer.SetScale(3.0, 3.0);  // kernel 12
    Drawn three(*s, 60, 60);
    EXPECT_GT(three.AlphaAt(12, 30), one.AlphaAt(12, 30));
    EXPECT_LT(three.AlphaAt(16, 30), one.AlphaAt(16, 30));
}

// Three frames of different colours.
ShapeList* ThreeFrames()
{
    ShapeList* layer = new ShapeList;
    Solid(*layer, IArgb{255, 255, 0, 0});
    Solid(*layer, IArgb{255, 0, 255, 0});
    Solid(*layer, IArgb{255, 0, 0, 255});
    return layer;
}

uint32_t DrawFrame(ShapeList* layer, int32_t frame)
{
    PixelSink sink(4, 4);
    ShapeRenderer::DrawLayerFrame(layer, sink, IBounds{0, 0, 4, 4}, frame, nullptr);
    return sink.Pixel(1, 1);
}

TEST(DrawLayerFrame, ClampsTheFrameIndex)
{
    std::unique_ptr<ShapeList> layer(ThreeFrames());
    EXPECT_EQ(DrawFrame(layer.get(), 1), 0xFF00FF00u);
    EXPECT_EQ(DrawFrame(layer.get(), 7), 0xFF0000FFu);
    EXPECT_EQ(DrawFrame(layer.get(), -1), 0xFFFF0000u);
    EXPECT_EQ(DrawFrame(layer.get(), std::numeric_limits<int32_t>::min()), 0xFFFF0000u);
}

TEST(DrawLayerFrame, GatesOnVisibilityTextAndContent)
{
    PixelSink sink(4, 4);
    const IBounds t{0, 0, 4, 4};
    ShapeList empty;
    EXPECT_FALSE(ShapeRenderer::DrawLayerFrame(&empty, sink, t, 0, nullptr));
    EXPECT_FALSE(ShapeRenderer::DrawLayerFrame(nullptr, sink, t, 0, nullptr));
    empty.visible = 0;
    EXPECT_TRUE(ShapeRenderer::DrawLayerFrame(&empty, sink, t, 0, nullptr));

    std::unique_ptr<ShapeList> hidden(ThreeFrames());
    hidden->visible = 0;
    EXPECT_TRUE(ShapeRenderer::DrawLayerFrame(hidden.get(), sink, t, 0, nullptr));
    std::unique_ptr<ShapeList> notText(ThreeFrames());
    notText->textOn = 0;  // only text layers are switched by it
    EXPECT_TRUE(ShapeRenderer::DrawLayerFrame(notText.get(), sink, t, 0, nullptr));
    EXPECT_EQ(sink.blendCalls, 1);
}

TEST(DrawLayerFrame, DrawsWithEveryAnimationFactorAtZero)
{
    std::unique_ptr<ShapeList> layer(ThreeFrames());
    Shape* s = layer->Get(0);
    ShapeRenderer::SetAnimation(*s, 0.7);
    s->fill.animated = 1;
    s->fill.colourTo = IArgb{255, 0, 0, 0};
    EXPECT_EQ(DrawFrame(layer.get(), 0), 0xFFFF0000u);
    EXPECT_EQ(s->fill.t, 0.0);
    EXPECT_EQ(s->scaleT, 0.0);
    EXPECT_EQ(s->offsetT, 0.0);
    EXPECT_EQ(s->rotationT, 0.0);
}

TEST(DrawGroup, DrawsOneFrameOfEveryLayerInOrder)
{
    ShapeGroup group;
    group.AddLayer(ThreeFrames());
    ShapeList* top = new ShapeList;
    Shape* small = Solid(*top, IArgb{255, 9, 9, 9});
    small->inset = 50.0;  // the middle half of the width
    group.AddLayer(top);
    PixelSink sink(8, 4);
    EXPECT_TRUE(ShapeRenderer::DrawGroup(&group, sink, IBounds{0, 0, 8, 4}, 2, nullptr));
    EXPECT_EQ(sink.Pixel(0, 1), 0xFF0000FFu);
    EXPECT_EQ(sink.Pixel(4, 1), 0xFF090909u) << "later layers paint over earlier ones";
}

TEST(DrawGroup, ATextLayerSwitchedOffDrawsNothingWhileOthersDraw)
{
    ShapeGroup group;
    group.AddLayer(ThreeFrames());
    ShapeList* text = new ShapeList;
    Shape* label = text->AddText("8", nullptr, 30, 1, 0, 1, 1, 0);
    label->fill.colour = IArgb{255, 255, 255, 255};
    text->textOn = 0;
    group.AddLayer(text);
    PixelSink sink(40, 40);
    EXPECT_TRUE(ShapeRenderer::DrawGroup(&group, sink, IBounds{0, 0, 40, 40}, 0, nullptr));
    EXPECT_EQ(sink.blendCalls, 1);
    for (uint32_t p : sink.pixels)
        EXPECT_EQ(p, 0xFFFF0000u);
    text->textOn = 1;
    EXPECT_TRUE(ShapeRenderer::DrawGroup(&group, sink, IBounds{0, 0, 40, 40}, 0, nullptr));
    EXPECT_EQ(sink.blendCalls, 3);
}

TEST(DrawGroup, VisibilityAndEmptiness)
{
    PixelSink sink(4, 4);
    const IBounds t{0, 0, 4, 4};
    ShapeGroup group;
    EXPECT_FALSE(ShapeRenderer::DrawGroup(&group, sink, t, 0, nullptr)) << "no layers";
    EXPECT_FALSE(ShapeRenderer::DrawGroupAtValue(&group, sink, t, 0.5, nullptr));
    EXPECT_FALSE(ShapeRenderer::DrawGroup(nullptr, sink, t, 0, nullptr));
    group.AddLayer(new ShapeList);
    EXPECT_FALSE(ShapeRenderer::DrawGroup(&group, sink, t, 0, nullptr)) << "the last layer is empty";
    group.AddLayer(ThreeFrames());
    group.visible = 0;
    EXPECT_TRUE(ShapeRenderer::DrawGroup(&group, sink, t, 0, nullptr));
    EXPECT_TRUE(ShapeRenderer::DrawGroupAtValue(&group, sink, t, 1.0, nullptr));
    EXPECT_EQ(sink.blendCalls, 0);
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
    EXPECT_EQ(layer->Get(0)->rotationT, 0.5);
    EXPECT_EQ(layer->Get(1)->fill.t, 0.0) << "other frames are left alone";

    for (double t : {std::nan(""), kInf, -kInf})
    {
        PixelSink unanimated(4, 8);
        EXPECT_TRUE(ShapeRenderer::DrawGroupAtValue(&group, unanimated, IBounds{0, 0, 4, 8}, t, nullptr));
        EXPECT_EQ(unanimated.Pixel(1, 1), 0xFFFF0000u);
        EXPECT_EQ(unanimated.Pixel(1, 7), 0xFFFF0000u);
        EXPECT_EQ(s->offsetT, 0.0);
    }
}

TEST(FrameForValue, RoundsToTheNearestFrameAndClamps)
{
    EXPECT_EQ(FrameForValue(5, 0.37), 1);
    EXPECT_EQ(FrameForValue(5, 0.38), 2);
    EXPECT_EQ(FrameForValue(2, 0.49), 0);
    EXPECT_EQ(FrameForValue(2, 0.5), 1);
    EXPECT_EQ(FrameForValue(3, -0.4), 0);
    EXPECT_EQ(FrameForValue(3, 7.0), 2);
    EXPECT_EQ(FrameForValue(3, 1e300), 2);
    EXPECT_EQ(FrameForValue(1, 1.0), 0);
    EXPECT_EQ(FrameForValue(0, 1.0), 0);
    EXPECT_EQ(FrameForValue(-4, 1.0), 0);
    for (double v : {std::nan(""), kInf, -kInf})
        EXPECT_EQ(FrameForValue(4, v), 0) << "the first frame";
}

}  // namespace
