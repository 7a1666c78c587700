// Changed areas of a window: merged where one send of their bounding box is
// cheaper, kept apart where it is not, one box past the most areas.

#include "platform/x11/DirtyAreas.h"

#include <gtest/gtest.h>

namespace {

TEST(DirtyAreasTest, NearAreasMergeDistantOnesStayApartUntilThereAreTooMany)
{
    DirtyAreas dirty;
    dirty.Add({0, 0, 0, 10});
    dirty.Add({0, 0, 10, 10});
    dirty.Add({12, 0, 20, 10});  // a narrow gap
    dirty.Add({500, 400, 510, 410});
    dirty.Add({0, 400, 10, 410});
    EXPECT_EQ(dirty.Areas().size(), 3u);
    dirty.Add({0, 10, 20, 400});  // reaches two: all three become one
    ASSERT_EQ(dirty.Areas().size(), 2u);
    const RECT joined = dirty.Areas()[1];
    EXPECT_TRUE(joined.left == 0 && joined.top == 0 && joined.right == 20 && joined.bottom == 410);

    int x = 600;
    for (; dirty.Areas().size() < DirtyAreas::kMostAreas; x += 600)
        dirty.Add({x, x, x + 4, x + 4});
    dirty.Add({x, x, x + 4, x + 4});
    ASSERT_EQ(dirty.Areas().size(), 1u);
    const RECT all = dirty.Areas()[0];
    EXPECT_TRUE(all.left == 0 && all.top == 0 && all.right == x + 4 && all.bottom == x + 4);
}

}  // namespace
