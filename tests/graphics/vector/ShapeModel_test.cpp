#include "graphics/vector/ColorFromHex.h"
#include "graphics/vector/ShapeScene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(ColorFromHex, ReadsTheDigitsAfterTheFirstCharacter)
{
    EXPECT_EQ(ColorFromHex("#f09135", 255), (IArgb{255, 240, 145, 53}));
    EXPECT_EQ(ColorFromHex("#4e79a3", 100), (IArgb{100, 78, 121, 163}));
    EXPECT_EQ(ColorFromHex("#zz", 7), (IArgb{7, 0, 0, 0}));
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
