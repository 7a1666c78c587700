// The shape renderer drawing onto the editor surface: pixels through the
// surface's one-frame bitmap blit, styled text through its text drawing.
#include "graphics/vector/IBitmapControl_SVG1.h"
#include "graphics/vector/ShapeKind.h"
#include "graphics/vector/SurfaceShapeSink.h"
#include "support/ControlRig.h"
#include "tests/support/CairoStaticData.h"

namespace {

using SurfaceSink = ControlRig;

TEST_F(SurfaceSink, ShapesBlendWithTheirOwnAlphaIntoTheAreaBeingDrawn)
{
    ShapeGroup* group = Frames({kRed, IArgb{128, 0, 0, 255}});
    Add(new IBitmapControl_SVG1(plug.get(), {10, 0, 20, 0, 30, 0, 20, 0}, -1, group));
    auto* translucent = Add(new IBitmapControl_SVG1(plug.get(), {50, 0, 20, 0, 30, 0, 20, 0}, -1, group));
    translucent->AcceptPlugValue(1.0);
    translucent->SetGreyed(true);  // a weight of 0.25 that shapes do not take
    Redraw();
    EXPECT_EQ(Pixel(10, 20), 0xFFFF0000u);
    EXPECT_EQ(Pixel(39, 39), 0xFFFF0000u);
    EXPECT_EQ(Pixel(40, 39), kBackground);
    EXPECT_EQ(Pixel(39, 40), kBackground);
    EXPECT_NEAR(static_cast<int>(Pixel(60, 30) & 0xFF), (255 + 0x40) / 2, 2) << "half blue over grey";

    Add(new IBitmapControl_SVG1(plug.get(), {0, 0, 0, 0, 200, 0, 100, 0}, -1, Frames({kGreen})));
    surface->Draw(IBounds{20, 30, 40, 50});
    EXPECT_EQ(Pixel(20, 30), 0xFF00FF00u);
    EXPECT_EQ(Pixel(40, 49), kBackground);
    EXPECT_EQ(Pixel(15, 25), 0xFFFF0000u) << "outside the area being drawn";
}

TEST_F(SurfaceSink, StyledTextIsDrawnByTheSurfaceInTheFillColour)
{
    ShapeGroup* group = TextGroup();
    Shape* text = group->Layer(1)->Get(0);
    text->kind = kShapeStyledText;
    text->text.Set("HHHH");
    text->fill.colour = kBlue;
    text->textStyle.size = 14;
    Add(new IBitmapControl_SVG1(plug.get(), {10, 0, 10, 0, 100, 0, 30, 0}, -1, group));
    Redraw();
    int blue = 0;
    for (int y = 10; y < 40; ++y)
        for (int x = 10; x < 110; ++x)
            blue += (Pixel(x, y) & 0xFF) > 0xC0 && (Pixel(x, y) >> 16 & 0xFF) < 0x40;
    EXPECT_GT(blue, 20);
    EXPECT_EQ(Inked({0, 0, kWidth, 8}), 0);
}

TEST_F(SurfaceSink, NothingIsDrawnWithoutASurfaceAGroupOrLayers)
{
    ShapeGroup empty;
    EXPECT_FALSE(DrawGroupOn(nullptr, Frames({kRed}), {0, 0, 10, 10}, 0, IBlend{}));
    EXPECT_FALSE(DrawGroupOn(surface, nullptr, {0, 0, 10, 10}, 0, IBlend{}));
    EXPECT_FALSE(DrawGroupAtValueOn(surface, &empty, {0, 0, 10, 10}, 0.5, IBlend{}));
    DrawGroupShowingText(surface, &empty, {0, 0, 10, 10}, "x", IBlend{});
    EXPECT_EQ(Inked({0, 0, kWidth, kHeight}), 0);
}

}  // namespace
