#include "graphics/vector/ColorFromHex.h"
#include "graphics/vector/ShapeScene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

TEST(ColorFromHex, ReadsTheDigitsAfterTheFirstCharacter)
{
    EXPECT_EQ(ColorFromHex("#f09135", 255), (IArgb{255, 240, 145, 53}));
    EXPECT_EQ(ColorFromHex("#4e79a3", 100), (IArgb{100, 78, 121, 163}));
    // The first character is skipped whatever it is; blanks, "0x" and a
    // trailing non-digit are taken as the number reader takes them.
    EXPECT_EQ(ColorFromHex("Xf09135", 255), (IArgb{255, 240, 145, 53}));
    EXPECT_EQ(ColorFromHex("#  0xf09135", 255), (IArgb{255, 240, 145, 53}));
    EXPECT_EQ(ColorFromHex("#f0g135", 255), (IArgb{255, 0, 0, 0xf0}));
    EXPECT_EQ(ColorFromHex("#zz", 7), (IArgb{7, 0, 0, 0}));
    EXPECT_EQ(ColorFromHex("#", 7), (IArgb{7, 0, 0, 0}));
}

TEST(ColorFromHex, NullOrEmptyIsOpaqueBlackWhateverTheAlpha)
{
    EXPECT_EQ(ColorFromHex("", 100), (IArgb{255, 0, 0, 0}));
    EXPECT_EQ(ColorFromHex(nullptr, 100), (IArgb{255, 0, 0, 0}));
}

TEST(ColorFromHex, KeepsEveryChannelInRangeForLongOrSignedTexts)
{
    EXPECT_EQ(ColorFromHex("#12f09135", 255), (IArgb{255, 240, 145, 53}));
    EXPECT_EQ(ColorFromHex("#ffffffffffffffffffffffff", 255), (IArgb{255, 255, 255, 255}));
    const IArgb negative = ColorFromHex("#-1", 255);
    for (int32_t c : {negative.R, negative.G, negative.B})
    {
        EXPECT_GE(c, 0);
        EXPECT_LE(c, 255);
    }
}

TEST(Shape, TextStyleStartsAtTheEditorDefaults)
{
    const Shape shape;
    EXPECT_EQ(shape.kind, kShapeNone);
    EXPECT_STREQ(shape.textStyle.face, "Verdana");
    EXPECT_EQ(shape.textStyle.size, 12);
    EXPECT_EQ(shape.textStyle.colour, (IArgb{255, 0, 0, 0}));
    EXPECT_EQ(shape.textStyle.entryBackground, (IArgb{255, 255, 255, 255}));
    EXPECT_EQ(shape.textStyle.alignment, 1);
    EXPECT_EQ(shape.textStyle.font, nullptr);
    EXPECT_STREQ(shape.Face(), "Verdana");
}

TEST(Shape, SetTextCopiesTextAndFace)
{
    Shape shape;
    char text[] = "12.5";
    char face[] = "DejaVu Sans";
    shape.SetText(text, face, 11, 1, 2, 2, 1, 9);
    std::strcpy(text, "0000");
    std::strcpy(face, "Other");
    EXPECT_EQ(shape.kind, kShapeTextPath);
    EXPECT_STREQ(shape.text.Get(), "12.5");
    EXPECT_STREQ(shape.Face(), "DejaVu Sans");
    EXPECT_EQ(shape.baseSize, 11);
    EXPECT_EQ(shape.slant, 2);
    EXPECT_EQ(shape.horizontalAlignment, 2);
    EXPECT_EQ(shape.verticalAlignment, 1);

    shape.SetText(nullptr, nullptr, 8, 0, 0, 0, 0, 0);
    EXPECT_STREQ(shape.text.Get(), "");
    EXPECT_STREQ(shape.Face(), "Verdana");
    shape.SetText("x", "", 8, 0, 0, 0, 0, 0);
    EXPECT_STREQ(shape.Face(), "") << "an empty face name is kept: the font system picks its default";
}

TEST(ShapeList, AppendersSetTheirKindAndArguments)
{
    ShapeList layer;
    const Shape* rect = layer.AddShape(-20.0, 35.0);
    const Shape* ellipse = layer.AddShapeKind2(10.0);
    const Shape* marks = layer.AddShapeKind8(5.0, 200.0, 50.0, 1);
    const Shape* text = layer.AddText(nullptr, nullptr, 14, 1, 0, 2, 1, 0);
    const Shape* filled = layer.AddFilledShape(1, 10.0, IArgb{200, 1, 2, 3}, 0, 4.0, 1, 2.0, -3.0, 20.0, 15.0);
    ASSERT_EQ(layer.Count(), 5);
    EXPECT_EQ(layer.Get(0), rect);
    EXPECT_EQ(layer.Get(5), nullptr);
    EXPECT_EQ(layer.Get(-1), nullptr);

    EXPECT_EQ(rect->kind, kShapeRoundedRect);
    EXPECT_EQ(rect->inset, -20.0);
    EXPECT_EQ(rect->cornerRadius, 35.0);
    EXPECT_EQ(ellipse->kind, kShapeEllipse);
    EXPECT_EQ(ellipse->ellipseInset, 10.0);
    EXPECT_EQ(marks->kind, kShapeScaleMarks);
    EXPECT_EQ(marks->markLength, 200.0);
    EXPECT_EQ(marks->markSpacing, 50.0);
    EXPECT_EQ(marks->marksOneSided, 1);
    EXPECT_EQ(text->kind, kShapeTextPath);
    EXPECT_STREQ(text->text.Get(), "");
    EXPECT_EQ(text->bold, 1);

    EXPECT_EQ(filled->kind, kShapeRoundedRect);
    EXPECT_EQ(filled->absoluteUnits, 1);
    EXPECT_EQ(filled->fill.colour, (IArgb{200, 1, 2, 3}));
    EXPECT_EQ(filled->fill.colourTo, (IArgb{255, 0, 0, 0}));
    EXPECT_EQ(filled->fill.animated, 0);
    EXPECT_EQ(filled->filled, 0);
    EXPECT_EQ(filled->shadowOn, 1);
    EXPECT_EQ(filled->shadowOffsetY, -3.0);
    EXPECT_EQ(filled->shadowBlur, 15.0);
}

TEST(ShapeFill, SetColorsAndStops)
{
    ShapeFill fill;
    fill.SetColors("#102030", 128, 1, "#405060", 255);
    EXPECT_EQ(fill.colour, (IArgb{128, 16, 32, 48}));
    EXPECT_EQ(fill.colourTo, (IArgb{255, 64, 80, 96}));
    EXPECT_EQ(fill.animated, 1);
    EXPECT_TRUE(fill.AddStop("#ff0000", 255, 0.25));
    EXPECT_TRUE(fill.AddStop("#00ff00", 10, 1.0));
    ASSERT_EQ(fill.stops.GetSize(), 2);
    EXPECT_EQ(fill.stops.Get(0)->colour, (IArgb{255, 255, 0, 0}));
    EXPECT_EQ(fill.stops.Get(1)->offset, 1.0);
}

ShapeList* LayerOf(int32_t shapes)
{
    ShapeList* layer = new ShapeList;
    for (int32_t i = 0; i < shapes; ++i)
        layer->AddShape(0.0, 0.0);
    return layer;
}

TEST(ShapeGroup, FrameCountIsTheLargestLayerWhenItWasAdded)
{
    ShapeGroup group;
    EXPECT_TRUE(group.AddLayer(LayerOf(1)));
    EXPECT_TRUE(group.AddLayer(LayerOf(3)));
    EXPECT_TRUE(group.AddLayer(LayerOf(2)));
    EXPECT_EQ(group.frameCount, 3);

    ShapeGroup filledLater;
    ShapeList* layer = LayerOf(0);
    filledLater.AddLayer(layer);
    layer->AddShape(0.0, 0.0);
    layer->AddShape(0.0, 0.0);
    EXPECT_EQ(filledLater.frameCount, 0);
    EXPECT_EQ(filledLater.Layer(0)->Count(), 2);

    EXPECT_FALSE(group.AddLayer(nullptr));
    EXPECT_EQ(group.LayerCount(), 3);
}

TEST(ShapeGroup, SetTextGoesToTheFirstShapeOfTheLastLayer)
{
    ShapeGroup group;
    group.SetText("nothing to hold it");  // no layer: nothing happens

    ShapeList* first = new ShapeList;
    first->AddText("title", nullptr, 10, 0, 0, 1, 1, 0);
    group.AddLayer(first);
    ShapeList* last = new ShapeList;
    last->AddText("a", nullptr, 10, 0, 0, 1, 1, 0);
    last->AddText("b", nullptr, 10, 0, 0, 1, 1, 0);
    group.AddLayer(last);
    group.SetText("-23.0");
    EXPECT_STREQ(last->Get(0)->text.Get(), "-23.0");
    EXPECT_STREQ(last->Get(1)->text.Get(), "b");
    EXPECT_STREQ(first->Get(0)->text.Get(), "title");

    group.AddLayer(new ShapeList);
    group.SetText("lost");  // the last layer is empty: nothing happens
    EXPECT_STREQ(last->Get(0)->text.Get(), "-23.0");
}

TEST(ShapeScene, ScalingSetsShapeScalesAndTruncatedTextSizes)
{
    ShapeScene scene;
    ASSERT_TRUE(scene.AddGroups(2));
    EXPECT_EQ(scene.Get(2), nullptr);
    ShapeList* layer = new ShapeList;
    Shape* text = layer->AddText("x", nullptr, 11, 0, 0, 1, 1, 0);
    scene.Get(0)->AddLayer(layer);
    ShapeList* fixedLayer = new ShapeList;
    Shape* fixed = fixedLayer->AddText("y", nullptr, 11, 0, 0, 1, 1, 0);
    scene.Get(1)->AddLayer(fixedLayer);
    scene.Get(1)->scalable = 0;

    LICE_CachedFont* someFont = reinterpret_cast<LICE_CachedFont*>(&scene);
    text->textStyle.font = someFont;
    scene.SetScale(1.0, 1.5);
    EXPECT_EQ(text->textStyle.size, 16);
    EXPECT_EQ(text->horizontalScale, 1.0);
    EXPECT_EQ(text->verticalScale, 1.5);
    EXPECT_EQ(text->textStyle.font, nullptr) << "the surface makes a font of the new size";
    EXPECT_EQ(fixed->verticalScale, 1.0);
    EXPECT_EQ(fixed->textStyle.size, 12) << "a group that is not scalable keeps everything";
}

TEST(ShapeScene, ScaleFactorsThatAreNotFiniteAndPositiveCountAsOne)
{
    ShapeScene scene;
    scene.AddGroups(1);
    ShapeList* layer = new ShapeList;
    Shape* text = layer->AddText("x", nullptr, 11, 0, 0, 1, 1, 0);
    scene.Get(0)->AddLayer(layer);
    const double inf = std::numeric_limits<double>::infinity();
    for (double bad : {std::nan(""), inf, -inf, 0.0, -2.0})
    {
        scene.SetScale(bad, bad);
        EXPECT_EQ(text->horizontalScale, 1.0);
        EXPECT_EQ(text->verticalScale, 1.0);
        EXPECT_EQ(text->textStyle.size, 11);
    }
}

TEST(ShapeScene, EffectSwitchesReachEveryShape)
{
    ShapeScene scene;
    scene.AddGroups(3);
    for (int32_t g = 0; g < 3; ++g)
        scene.Get(g)->AddLayer(LayerOf(g + 1));
    scene.Get(2)->scalable = 0;  // switches ignore the scalable flag
    scene.EnableBlur(false);
    scene.EnableShadowBlur(false);
    for (int32_t g = 0; g < 3; ++g)
        for (int32_t i = 0; i <= g; ++i)
        {
            EXPECT_EQ(scene.Get(g)->Layer(0)->Get(i)->effectsOn, 0);
            EXPECT_EQ(scene.Get(g)->Layer(0)->Get(i)->shadowBlurOn, 0);
        }
    scene.Get(1)->EnableShadowBlur(true);
    EXPECT_EQ(scene.Get(1)->Layer(0)->Get(1)->shadowBlurOn, 1);
    EXPECT_EQ(scene.Get(0)->Layer(0)->Get(0)->shadowBlurOn, 0);
}

}  // namespace
