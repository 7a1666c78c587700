// Changed areas are painted apart unless one paint of their union costs
// less than two.
#include "graphics/editor/AreaClusters.h"

#include <gtest/gtest.h>

namespace {

std::vector<IBounds> Clusters(std::initializer_list<IBounds> areas)
{
    std::vector<IBounds> clusters;
    for (const IBounds& a : areas)
        AddToClusters(clusters, a);
    return clusters;
}

TEST(AreaClusters, AreasJoinOnlyWhenTheirUnionAddsLittle)
{
    // Two 16 x 216 bars 16 apart: the union would add 3456 pixels.
    EXPECT_EQ(Clusters({{0, 0, 16, 216}, {32, 0, 48, 216}}).size(), 2u);
    // Side by side, overlapping in a band or nearly touching: one.
    EXPECT_EQ(Clusters({{0, 0, 16, 216}, {16, 0, 32, 216}}), (std::vector<IBounds>{{0, 0, 32, 216}}));
    EXPECT_EQ(Clusters({{0, 0, 100, 100}, {50, 0, 150, 100}}), (std::vector<IBounds>{{0, 0, 150, 100}}));
    EXPECT_EQ(Clusters({{0, 0, 16, 16}, {20, 20, 36, 36}}), (std::vector<IBounds>{{0, 0, 36, 36}}));
    // Overlapping at a corner only: the union would add 5000 pixels.
    EXPECT_EQ(Clusters({{0, 0, 100, 100}, {50, 50, 150, 150}}).size(), 2u);
}

TEST(AreaClusters, AJoinThatGrowsAClusterJoinsTheOthersItNowMeets)
{
    // Apart until the third covers the gap between them.
    const std::vector<IBounds> clusters = Clusters({{0, 0, 100, 100}, {200, 0, 300, 100}, {90, 0, 210, 100}});
    EXPECT_EQ(clusters, (std::vector<IBounds>{{0, 0, 300, 100}}));
    // Contained: the cluster stays as it is.
    EXPECT_EQ(Clusters({{0, 0, 100, 100}, {10, 10, 20, 20}}), (std::vector<IBounds>{{0, 0, 100, 100}}));
}

}  // namespace
