// A group drawn at two values differs only inside the area that
// GroupValueChangeArea names, pixel by pixel, over sizes and values.
#include "graphics/vector/ValueChangeArea.h"

#include "graphics/vector/ShapeRenderer.h"
#include "tests/support/CairoStaticData.h"
#include "tests/support/PixelSink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A meter's bar: a gradient under a dark cover that the value slides up by
// its height, over a static label.
struct Bar
{
    Bar()
    {
        auto* gradientLayer = new ShapeList;
        Shape* gradient = gradientLayer->AddShape(0.0, 0.0);
        gradient->fill.gradientOn = 1;
        gradient->fill.gradientHorizontal = 0;
        gradient->fill.AddStop("#f0a938", 255, 0.0);
        gradient->fill.AddStop("#f0a938", 255, 0.75);
        gradient->fill.AddStop("#ffffff", 255, 0.7501);
        gradient->fill.AddStop("#ed5a5a", 255, 1.0);
        group.AddLayer(gradientLayer);
        auto* coverLayer = new ShapeList;
        cover = coverLayer->AddShape(0.0, 0.0);
        cover->fill.colour = IArgb{255, 62, 62, 62};
        cover->offsetOn = 1;
        cover->offsetAnimated = 1;
        cover->offsetX = cover->offsetTargetX = 0.0;
        cover->offsetY = 0.0;
        cover->offsetTargetY = -100.0;
        group.AddLayer(coverLayer);
    }

    std::vector<uint32_t> At(double t, int32_t w, int32_t h)
    {
        PixelSink sink(w, h, 0xFF102030u);
        ShapeRenderer::DrawGroupAtValue(&group, sink, IBounds{0, 0, w, h}, t, nullptr);
        return sink.pixels;
    }

    // Every pixel that differs between t0 and t1 lies in the named area.
    void ExpectChangesInside(double t0, double t1, int32_t w, int32_t h)
    {
        const IBounds area = GroupValueChangeArea(&group, IBounds{0, 0, w, h}, t0, t1);
        const std::vector<uint32_t> a = At(t0, w, h);
        const std::vector<uint32_t> b = At(t1, w, h);
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
            {
                const bool differs = a[static_cast<size_t>(y) * w + x] != b[static_cast<size_t>(y) * w + x];
                ASSERT_TRUE(!differs || (x >= area.L && x < area.R && y >= area.T && y < area.B))
                    << t0 << " to " << t1 << " in " << w << " x " << h << ": " << x << "," << y << " outside rows "
                    << area.T << "-" << area.B;
            }
    }

    ShapeGroup group;
    Shape* cover = nullptr;
};

TEST(GroupValueChangeArea, ASlidingCoverChangesOnlyTheRowsItsEdgeCrosses)
{
    Bar bar;
    const double values[] = {0.0, 0.001, 0.0139, 0.25, 0.2501, 0.5, 0.62, 0.9999, 1.0, std::nan("")};
    for (const auto& size : {std::pair<int32_t, int32_t>{16, 216}, {48, 648}, {17, 213}, {3, 5}})
        for (double t0 : values)
            for (double t1 : values)
                ASSERT_NO_FATAL_FAILURE(bar.ExpectChangesInside(t0, t1, size.first, size.second));

    // Few rows for a small move; none at all when the edge stays put.
    const IBounds small = GroupValueChangeArea(&bar.group, IBounds{100, 10, 116, 226}, 0.5, 0.52);
    EXPECT_EQ(small.L, 100);
    EXPECT_EQ(small.R, 116);
    EXPECT_LE(small.B - small.T, 8);
    EXPECT_EQ(GroupValueChangeArea(&bar.group, IBounds{0, 0, 16, 216}, 0.3, 0.3), IBounds{});
    EXPECT_EQ(GroupValueChangeArea(&bar.group, IBounds{0, 0, 16, 216}, 1.0, 1.5), IBounds{})
        << "the cover moved on above the bar";

    // Inset and design-pixel offsets slide too.
    bar.cover->inset = -20.0;
    bar.cover->absoluteUnits = 1;
    bar.cover->verticalScale = 2.0;
    bar.cover->offsetTargetY = -150.0;
    for (double t0 : {0.0, 0.3, 0.61})
        for (double t1 : {0.0, 0.05, 0.7, 1.0})
            ASSERT_NO_FATAL_FAILURE(bar.ExpectChangesInside(t0, t1, 16, 216));
}

TEST(GroupValueChangeArea, WhatItCannotBoundIsTheWholeTarget)
{
    Bar bar;
    const IBounds target = {5, 5, 21, 221};
    bar.cover->offsetTargetX = 10.0;  // moves sideways too
    EXPECT_EQ(GroupValueChangeArea(&bar.group, target, 0.1, 0.2), target);
    bar.cover->offsetTargetX = 0.0;
    bar.cover->cornerRadius = 20.0;
    EXPECT_EQ(GroupValueChangeArea(&bar.group, target, 0.1, 0.2), target);
    bar.cover->cornerRadius = 0.0;
    bar.cover->shadowOn = 1;
    EXPECT_EQ(GroupValueChangeArea(&bar.group, target, 0.1, 0.2), target);
    bar.cover->shadowOn = 0;
    bar.cover->fill.animated = 1;  // its colour follows the value
    EXPECT_EQ(GroupValueChangeArea(&bar.group, target, 0.1, 0.2), target);

    // Nothing that depends on the value: nothing changes.
    bar.cover->fill.animated = 0;
    bar.cover->offsetAnimated = 0;
    EXPECT_EQ(GroupValueChangeArea(&bar.group, target, 0.1, 0.9), IBounds{});
    EXPECT_EQ(GroupValueChangeArea(nullptr, target, 0.1, 0.9), IBounds{});
}

}  // namespace
