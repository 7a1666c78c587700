// A small fixed scene of every kind the face uses, against a reference image.
// A moved edge passes; a wrong colour, place or size fails.
// SONVAREK_UPDATE_GOLDEN=1 rewrites the reference (look at it before
// committing it).

#include "graphics/vector/ShapeRenderer.h"
#include "graphics/vector/ShapeScene.h"
#include "platform/win32/PngWriter.h"
#include "tests/support/ImageCompare.h"
#include "tests/support/CairoStaticData.h"
#include "tests/support/PixelSink.h"
#include "tests/support/PngImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr int32_t kWidth = 160;
constexpr int32_t kHeight = 100;
constexpr int32_t kTolerance = 16;

std::string GoldenPath()
{
    const std::string here = __FILE__;
    return here.substr(0, here.find_last_of('/')) + "/golden/shapes.png";
}

void AddStops(Shape* s)
{
    s->fill.gradientOn = 1;
    s->fill.gradientHorizontal = 0;
    s->fill.AddStop("#f0a938", 255, 0.0);
    s->fill.AddStop("#f0a938", 255, 0.75);
    s->fill.AddStop("#ffffff", 255, 0.7501);
    s->fill.AddStop("#ffffff", 255, 60.0 / 72.0);
    s->fill.AddStop("#ed5a5a", 255, 60.0 / 72.0 + 0.0001);
    s->fill.AddStop("#ed5a5a", 255, 1.0);
}

void DrawScene(PixelSink& sink)
{
    ShapeScene scene;
    scene.AddGroups(5);

    ShapeList* card = new ShapeList;
    Shape* rect = card->AddShape(0.0, 30.0);
    rect->fill.colour = IArgb{255, 78, 121, 163};
    rect->cornerTopRight = 0;
    rect->shadowOn = 1;
    rect->shadowOffsetX = 6.0;
    rect->shadowOffsetY = 10.0;
    rect->shadowOpacity = 40.0;
    scene.Get(0)->AddLayer(card);

    ShapeList* ring = new ShapeList;
    Shape* ellipse = ring->AddShapeKind2(20.0);
    ellipse->fill.colour = IArgb{255, 255, 255, 255};
    ellipse->filled = 0;
    ellipse->strokeWidth = 12.0;
    scene.Get(1)->AddLayer(ring);

    ShapeList* ladder = new ShapeList;
    Shape* marks = ladder->AddShapeKind8(-20.0, 60.0, 25.0, 0);
    marks->fill.colour = IArgb{255, 60, 60, 58};
    marks->strokeWidth = 8.0;
    marks->lineCap = 0;
    scene.Get(2)->AddLayer(ladder);

    ShapeList* bar = new ShapeList;
    AddStops(bar->AddShape(0.0, 0.0));
    scene.Get(3)->AddLayer(bar);
    ShapeList* cover = new ShapeList;
    Shape* dark = cover->AddShape(0.0, 0.0);
    dark->fill.colour = IArgb{255, 62, 62, 62};
    dark->offsetOn = 1;
    dark->offsetAnimated = 1;
    dark->offsetTargetX = 0.0;
    dark->offsetTargetY = -100.0;
    scene.Get(3)->AddLayer(cover);

    ShapeList* label = new ShapeList;
    Shape* text = label->AddText("Sv 12", nullptr, 16, 1, 0, 1, 1, 0);
    text->fill.colour = IArgb{255, 255, 255, 255};
    text->shadowOn = 1;
    text->shadowOffsetX = 2.0;
    text->shadowOffsetY = 8.0;
    text->shadowOpacity = 50.0;
    Shape* turned = label->AddText("dB", nullptr, 12, 0, 1, 0, 1, 0);
    turned->fill.colour = IArgb{255, 60, 60, 58};
    turned->rotationOn = 1;
    turned->angle = -90.0;
    scene.Get(4)->AddLayer(label);

    scene.SetScale(1.0, 1.0);
    ShapeRenderer::DrawGroup(scene.Get(0), sink, IBounds{10, 10, 70, 50}, 0, nullptr);
    ShapeRenderer::DrawGroup(scene.Get(1), sink, IBounds{80, 10, 140, 50}, 0, nullptr);
    ShapeRenderer::DrawGroup(scene.Get(2), sink, IBounds{10, 55, 40, 95}, 0, nullptr);
    ShapeRenderer::DrawGroupAtValue(scene.Get(3), sink, IBounds{50, 55, 66, 95}, 0.9, nullptr);
    ShapeRenderer::DrawGroup(scene.Get(4), sink, IBounds{75, 60, 155, 90}, 0, nullptr);
    ShapeRenderer::DrawGroup(scene.Get(4), sink, IBounds{140, 10, 158, 50}, 1, nullptr);
}

TEST(ShapeGolden, FixedSceneMatchesItsReferenceImage)
{
    PixelSink sink(kWidth, kHeight, 0xFFF09135);
    DrawScene(sink);

    const char* update = std::getenv("SONVAREK_UPDATE_GOLDEN");
    if (update && *update == '1')
    {
        ASSERT_TRUE(WritePngFile(GoldenPath().c_str(), sink.pixels.data(), kWidth, kHeight, kWidth, false));
        GTEST_SKIP() << "reference rewritten: " << GoldenPath();
    }
    PngImage golden;
    ASSERT_TRUE(ReadPng(GoldenPath(), &golden)) << GoldenPath();
    ASSERT_EQ(golden.width, kWidth);
    ASSERT_EQ(golden.height, kHeight);
    EXPECT_EQ(CompareImages(sink.pixels, golden.pixels, kWidth, kHeight, kTolerance), "");
}

TEST(ShapeGolden, TheComparisonForgivesAMovedEdgeButNotAMovedOrRecolouredShape)
{
    PixelSink sink(kWidth, kHeight, 0xFFF09135);
    DrawScene(sink);
    auto shiftedBy = [&](int32_t dx) {
        std::vector<uint32_t> moved(sink.pixels.size(), 0xFFF09135);
        for (size_t i = static_cast<size_t>(dx); i < moved.size(); ++i)
            moved[i] = sink.pixels[i - static_cast<size_t>(dx)];
        return CompareImages(moved, sink.pixels, kWidth, kHeight, kTolerance);
    };
    EXPECT_EQ(shiftedBy(1), "");
    EXPECT_NE(shiftedBy(2), "");
    std::vector<uint32_t> recoloured = sink.pixels;
    recoloured[static_cast<size_t>(30) * kWidth + 30] ^= 0x00300000;  // inside the blue card
    EXPECT_NE(CompareImages(recoloured, sink.pixels, kWidth, kHeight, kTolerance), "");
}

}  // namespace
