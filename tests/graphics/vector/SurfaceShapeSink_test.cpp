// The shape renderer drawing onto the editor surface: a shape's pixels go
// into the back buffer through the surface's one-frame bitmap blit, styled
// text through the surface's text drawing.
#include "graphics/vector/IBitmapControl_SVG1.h"
#include "graphics/vector/ShapeKind.h"
#include "graphics/vector/SurfaceShapeSink.h"
#include "support/ControlRig.h"
#include "tests/support/CairoStaticData.h"

namespace {

using SurfaceSink = ControlRig;

TEST_F(SurfaceSink, AShapeBlendsWithItsOwnAlphaAtFullWeightIntoItsTarget)
{
    ShapeGroup* group = Frames({kRed, IArgb{128, 0, 0, 255}});
    auto* opaque = Add(new IBitmapControl_SVG1(plug.get(), {10, 0, 20, 0, 30, 0, 20, 0}, -1, group));
    auto* translucent = Add(new IBitmapControl_SVG1(plug.get(), {50, 0, 20, 0, 30, 0, 20, 0}, -1, group));
    translucent->AcceptPlugValue(1.0);  // frame 1 of 2
    translucent->SetGreyed(true);       // a weight of 0.25 the renderer does not apply
    Redraw();

    EXPECT_EQ(Pixel(10, 20), 0xFFFF0000u);
    EXPECT_EQ(Pixel(39, 39), 0xFFFF0000u);
    EXPECT_EQ(Pixel(9, 20), kBackground);
    EXPECT_EQ(Pixel(40, 39), kBackground);
    EXPECT_EQ(Pixel(39, 40), kBackground);
    // Half blue over the grey background.
    const uint32_t p = Pixel(60, 30);
    EXPECT_NEAR(static_cast<int>(p & 0xFF), (255 + 0x40) / 2, 2);
    EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), 0x40 / 2, 2);
    (void)opaque;
}

TEST_F(SurfaceSink, OnlyTheAreaBeingDrawnChanges)
{
    Add(new IBitmapControl_SVG1(plug.get(), {0, 0, 0, 0, 100, 0, 100, 0}, -1, Frames({kGreen})));
    surface->Draw(IBounds{20, 30, 40, 50});
    EXPECT_EQ(Pixel(20, 30), 0xFF00FF00u);
    EXPECT_EQ(Pixel(39, 49), 0xFF00FF00u);
    EXPECT_EQ(Pixel(19, 30), kBackground);
    EXPECT_EQ(Pixel(40, 49), kBackground);
    EXPECT_EQ(Pixel(20, 50), kBackground);
}

TEST_F(SurfaceSink, StyledTextIsDrawnByTheSurfaceInTheFillColour)
{
    auto* layer = new ShapeList;
    Shape* text = layer->AddText("HHHH", nullptr, 12, 0, 0, 1, 1, 0);
    text->kind = kShapeStyledText;
    text->fill.colour = kBlue;
    text->textStyle.size = 14;
    groups.push_back(std::make_unique<ShapeGroup>());
    groups.back()->AddLayer(layer);
    Add(new IBitmapControl_SVG1(plug.get(), {10, 0, 10, 0, 100, 0, 30, 0}, -1, groups.back().get()));
    Redraw();

    int blue = 0;
    for (int y = 10; y < 40; ++y)
        for (int x = 10; x < 110; ++x)
            blue += (Pixel(x, y) & 0xFF) > 0xC0 && ((Pixel(x, y) >> 16) & 0xFF) < 0x40;
    EXPECT_GT(blue, 20) << "the text's ink, in the shape's fill colour";
    EXPECT_EQ(text->textStyle.colour, kBlue);
    EXPECT_EQ(Inked({0, 0, kWidth, 8}), 0);
}

TEST_F(SurfaceSink, NothingIsDrawnWithoutASurfaceAGroupOrLayers)
{
    ShapeGroup empty;
    const IBlend blend;
    EXPECT_FALSE(DrawGroupOn(nullptr, Frames({kRed}), {0, 0, 10, 10}, 0, blend));
    EXPECT_FALSE(DrawGroupOn(surface, nullptr, {0, 0, 10, 10}, 0, blend));
    EXPECT_FALSE(DrawGroupOn(surface, &empty, {0, 0, 10, 10}, 0, blend));
    EXPECT_FALSE(DrawGroupAtValueOn(surface, &empty, {0, 0, 10, 10}, 0.5, blend));
    DrawGroupShowingText(surface, nullptr, {0, 0, 10, 10}, "x", blend);
    EXPECT_EQ(Inked({0, 0, kWidth, kHeight}), 0);
}

}  // namespace
