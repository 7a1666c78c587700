// Changed areas of a window: merged where one send of their bounding box is
// cheaper, kept apart where it is not.

#include "platform/x11/DirtyAreas.h"

#include <gtest/gtest.h>

namespace {

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(DirtyAreasTest, NearOrOverlappingAreasMergeDistantOnesStayApart)
{
    DirtyAreas dirty;
    dirty.Add({0, 0, 0, 10});
    EXPECT_TRUE(dirty.Empty()) << "an empty area counts for nothing";

    dirty.Add({0, 0, 10, 10});
    dirty.Add({12, 0, 20, 10});  // a narrow gap
    dirty.Add({2, 2, 5, 5});  // inside
    ASSERT_EQ(dirty.Areas().size(), 1u);
    EXPECT_TRUE(Same(dirty.Areas()[0], {0, 0, 20, 10}));

    dirty.Add({500, 400, 510, 410});
    dirty.Add({0, 400, 10, 410});
    EXPECT_EQ(dirty.Areas().size(), 3u) << "far apart";

    // One that reaches two of them joins them all.
    dirty.Add({0, 10, 20, 400});
    ASSERT_EQ(dirty.Areas().size(), 2u);
    EXPECT_TRUE(Same(dirty.Areas()[0], {500, 400, 510, 410}));
    EXPECT_TRUE(Same(dirty.Areas()[1], {0, 0, 20, 410}));

    dirty.Clear();
    EXPECT_TRUE(dirty.Empty());
}

TEST(DirtyAreasTest, PastTheMostAreasTheyBecomeTheirBoundingBox)
{
    DirtyAreas dirty;
    for (int i = 0; i < static_cast<int>(DirtyAreas::kMostAreas); ++i)
        dirty.Add({i * 200, i * 200, i * 200 + 4, i * 200 + 4});
    EXPECT_EQ(dirty.Areas().size(), DirtyAreas::kMostAreas);
    dirty.Add({5000, 0, 5004, 4});
    ASSERT_EQ(dirty.Areas().size(), 1u);
    EXPECT_TRUE(Same(dirty.Areas()[0], {0, 0, 5004, 1404}));
}

}  // namespace
