#include "editor/FaceArt.h"
#include "graphics/vector/ShapeRenderer.h"
#include "tests/support/CairoStaticData.h"
#include "tests/support/PixelSink.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

class FaceArt : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(BuildFaceArt(scene)); }

    // Every shape of the scene.
    void ForEachShape(const std::function<void(int32_t group, Shape&)>& f)
    {
        for (int32_t g = 0; g < scene.Count(); ++g)
            for (int32_t l = 0; l < scene.Get(g)->LayerCount(); ++l)
                for (int32_t i = 0; i < scene.Get(g)->Layer(l)->Count(); ++i)
                    f(g, *scene.Get(g)->Layer(l)->Get(i));
    }

    ShapeScene scene;
};

TEST_F(FaceArt, SixtyGroupsOfWhichTheUnusedStayEmpty)
{
    ASSERT_EQ(scene.Count(), kFaceGroupCount);
    const std::set<int32_t> unused = {0,  3,  9,  14, 15, 16, 17, 18, 19, 27, 28, 29, 36, 37,
                                      38, 39, 42, 44, 49, 50, 56, 57, 58, 59};
    for (int32_t g = 0; g < kFaceGroupCount; ++g)
    {
        const ShapeGroup* group = scene.Get(g);
        EXPECT_EQ(group->LayerCount() == 0, unused.count(g) == 1) << "group " << g;
        EXPECT_EQ(group->visible, 1) << "group " << g;
    }
}

TEST_F(FaceArt, FrameCountsFollowWhenLayersWereAdded)
{
    // Layers added before they were filled do not count: the lamp has two
    // frames, the bar and its value text none.
    const std::pair<int32_t, int32_t> frames[] = {
        {2, 0},  {54, 0}, {51, 0}, {55, 0}, {10, 0}, {11, 0}, {12, 0}, {7, 0},  {8, 0},  {4, 0},  {5, 2},
        {6, 2},  {1, 0},  {13, 2}, {23, 0}, {24, 0}, {25, 0}, {26, 0}, {21, 2}, {22, 1}, {20, 0}, {30, 1},
        {34, 1}, {31, 1}, {52, 1}, {32, 1}, {53, 1}, {33, 1}, {35, 2}, {40, 0}, {41, 1}, {47, 1}, {48, 1},
        {43, 2}, {45, 0}, {46, 0}};
    for (auto [group, count] : frames)
        EXPECT_EQ(scene.Get(group)->frameCount, count) << "group " << group;
}

TEST_F(FaceArt, ASceneThatIsNotEmptyIsLeftAlone)
{
    EXPECT_FALSE(BuildFaceArt(scene));
    EXPECT_EQ(scene.Count(), kFaceGroupCount);
    EXPECT_EQ(scene.Get(kGroupRmsBand)->LayerCount(), 1);
}

TEST_F(FaceArt, IndexesWithoutAGroupBuildNothing)
{
    BuildPeakBarArt(scene, kFaceGroupCount);
    BuildLampArt(scene, -1);
    EXPECT_EQ(AddTextLayer(scene, 1000), nullptr);
    EXPECT_EQ(scene.Count(), kFaceGroupCount);

    ShapeScene empty;
    BuildLampArt(empty, kGroupLamp);
    EXPECT_EQ(empty.Count(), 0);
}

TEST_F(FaceArt, ScaleTwoScalesEveryGroupButTheGrip)
{
    scene.SetScale(2.0, 2.0);
    const Shape* title = scene.Get(kGroupTitle)->Layer(0)->Get(0);
    EXPECT_EQ(title->baseSize, 14);
    EXPECT_EQ(title->textStyle.size, 28);
    ForEachShape([](int32_t g, Shape& s) {
        const double expected = g == kGroupResizeGrip ? 1.0 : 2.0;
        EXPECT_EQ(s.horizontalScale, expected) << "group " << g;
        EXPECT_EQ(s.verticalScale, expected) << "group " << g;
    });
}

TEST_F(FaceArt, EffectsAndShadowBlurAreOffForEveryShape)
{
    int32_t blurredShadows = 0;
    ForEachShape([&](int32_t g, Shape& s) {
        EXPECT_EQ(s.effectsOn, 0) << "group " << g;
        EXPECT_EQ(s.shadowBlurOn, 0) << "group " << g;
        if (s.shadowBlur == 20.0)
            ++blurredShadows;
    });
    EXPECT_EQ(blurredShadows, 7);

    // The stored blur of 20 changes no pixel.
    for (int32_t g : {kGroupRmsBand, kGroupReadoutBoxLight, kGroupReadoutBoxYellow, kGroupBarFrame,
                      kGroupEbuBand, kGroupRmsPanel, kGroupEbuPanel})
    {
        PixelSink stored(140, 120);
        ShapeRenderer::DrawGroup(scene.Get(g), stored, IBounds{4, 4, 134, 110}, 0, nullptr);
        scene.Get(g)->Layer(0)->Get(0)->shadowBlur = 0.0;
        PixelSink none(140, 120);
        ShapeRenderer::DrawGroup(scene.Get(g), none, IBounds{4, 4, 134, 110}, 0, nullptr);
        EXPECT_EQ(stored.pixels, none.pixels) << "group " << g;
        EXPECT_GT(stored.blendCalls, 0);
    }
}

// The bar of 16 x 216 at a value, over a white buffer.
PixelSink DrawBar(ShapeScene& scene, double value)
{
    PixelSink sink(16, 216, 0xFFFFFFFF);
    EXPECT_TRUE(ShapeRenderer::DrawGroupAtValue(scene.Get(kGroupBar), sink, IBounds{0, 0, 16, 216}, value, nullptr));
    return sink;
}

constexpr uint32_t kCover = 0xFF3E3E3E;
constexpr uint32_t kOrange = 0xFFF0A938;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kRed = 0xFFED5A5A;

TEST_F(FaceArt, TheBarUncoversItsGradientFromTheBottom)
{
    {
        PixelSink empty = DrawBar(scene, 0.0);
        for (uint32_t p : empty.pixels)
            ASSERT_EQ(p, kCover);
    }
    {
        PixelSink half = DrawBar(scene, 0.5);
        EXPECT_EQ(half.Pixel(8, 107), kCover);
        EXPECT_EQ(half.Pixel(8, 108), kOrange);
        EXPECT_EQ(half.Pixel(8, 215), kOrange);
        EXPECT_EQ(half.Pixel(0, 0), kCover);
    }
    {
        // Red above 0 dB (the top 12 / 72 = 36 pixels), white from -6 dB
        // (54 pixels from the top), orange below.
        PixelSink full = DrawBar(scene, 1.0);
        EXPECT_EQ(full.Pixel(8, 0), kRed);
        EXPECT_EQ(full.Pixel(8, 34), kRed);
        EXPECT_EQ(full.Pixel(8, 37), kWhite);
        EXPECT_EQ(full.Pixel(8, 52), kWhite);
        EXPECT_EQ(full.Pixel(8, 56), kOrange);
        EXPECT_EQ(full.Pixel(8, 215), kOrange);
    }
}

TEST_F(FaceArt, TheLampShowsItsBaseUnlitAndTheAmberLit)
{
    for (int32_t frame : {0, 1})
    {
        PixelSink sink(16, 5, 0xFFFFFFFF);
        EXPECT_TRUE(ShapeRenderer::DrawGroup(scene.Get(kGroupLamp), sink, IBounds{0, 0, 16, 5}, frame, nullptr));
        for (uint32_t p : sink.pixels)
            ASSERT_EQ(p, frame ? 0xFFFFC245u : kCover) << "frame " << frame;
    }
}

}  // namespace
