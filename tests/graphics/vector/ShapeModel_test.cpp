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
    EXPECT_EQ(ColorFromHex("", 100), (IArgb{255, 0, 0, 0})) << "opaque black whatever the alpha";
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

}  // namespace
