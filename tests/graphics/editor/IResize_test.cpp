#include "graphics/editor/IResize.h"

#include "support/TestControl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

IBounds Resolve(const ILayoutBox& box, double scale, int32_t w = 616, int32_t h = 352)
{
    IResize layout(box);
    layout.SetLayoutFrame(w, h, scale, scale);
    return layout.ResolveBounds();
}

struct Case
{
    const char* what;
    ILayoutBox box;
    IBounds at[4];  // scales 1, 1.5, 2, 3
};

TEST(IResize, EveryModeAtTheEditorScales)
{
    const double scales[4] = {1.0, 1.5, 2.0, 3.0};
    const Case cases[] = {
        {"absolute stays", {12, 0, 34, 0, 56, 0, 78, 0},
         {{12, 34, 68, 112}, {12, 34, 68, 112}, {12, 34, 68, 112}, {12, 34, 68, 112}}},
        {"right and bottom anchors move with the edges", {-100, 1, -50, 2, 40, 0, 20, 0},
         {{516, 302, 556, 322}, {824, 478, 864, 498}, {1132, 654, 1172, 674}, {1748, 1006, 1788, 1026}}},
        {"scaled, truncated toward zero", {-7, 3, 7, 3, 33, 3, 15, 3},
         {{-7, 7, 26, 22}, {-10, 10, 39, 33}, {-14, 14, 52, 44}, {-21, 21, 78, 66}}},
        {"absolute origin, anchored size: stretches", {20, 0, 10, 0, -40, 1, -30, 2},
         {{20, 10, 596, 332}, {20, 10, 904, 508}, {20, 10, 1212, 684}, {20, 10, 1828, 1036}}},
        {"axes crossed: x by the height, y by the width", {5, 2, 6, 1, 10, 2, 10, 1},
         {{357, 622, 719, 1248}, {533, 930, 1071, 1864}, {709, 1238, 1423, 2480}, {1061, 1854, 2127, 3712}}},
        {"an unknown mode places as absolute", {3, 9, 4, -1, 5, 42, 6, 4},
         {{3, 4, 8, 10}, {3, 4, 8, 10}, {3, 4, 8, 10}, {3, 4, 8, 10}}},
    };
    for (const Case& c : cases)
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Resolve(c.box, scales[i]), c.at[i]) << c.what << " at scale " << scales[i];
}

TEST(IResize, ProductsAreTruncatedOneByOne)
{
    // trunc(616 x 2.0) and trunc(30 x 2.0): the layout of a right-anchored read-out.
    EXPECT_EQ(Resolve({-100, 1, 10, 0, 50, 0, 20, 3}, 2.0), (IBounds{1132, 10, 1182, 60}));
    // 616 x 1.15 = 708.4 and (10 + 11) x 1.15 = 24.15: each truncated on its own.
    EXPECT_EQ(Resolve({0, 1, 10, 3, 5, 1, 11, 3}, 1.15), (IBounds{708, 11, 1421, 24}));
}

TEST(IResize, RawValuesUntilTheFirstLayout)
{
    TestControl control(nullptr, {-100, 1, 10, 0, 50, 0, 20, 3});
    EXPECT_EQ(control.DrawArea(), (IBounds{-100, 10, -50, 30}));
    EXPECT_EQ(control.TargetArea(), control.DrawArea());
}

TEST(IResize, HostileScalesAndSizesStayDefined)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Resolve({10, 3, 10, 1, 10, 3, 10, 0}, nan), (IBounds{0, 10, 0, 20}));
    EXPECT_EQ(Resolve({10, 3, -10, 3, 10, 1, 10, 2}, inf),
              (IBounds{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN + 10 + INT32_MAX}));
    EXPECT_EQ(Resolve({INT32_MAX, 1, INT32_MIN, 2, INT32_MAX, 0, INT32_MIN, 0}, 3.0),
              (IBounds{INT32_MAX, INT32_MIN + 1056, INT32_MAX, INT32_MIN}));
    TestControl huge(nullptr, {INT32_MAX, 0, INT32_MIN, 0, 5, 0, -5, 0});
    EXPECT_EQ(huge.DrawArea(), (IBounds{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN}));
}

}  // namespace
