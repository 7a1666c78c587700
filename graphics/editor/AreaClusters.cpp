#include "graphics/editor/AreaClusters.h"

#include "graphics/editor/BoundsOps.h"

#include <algorithm>

namespace {

int64_t Pixels(const IBounds& b)
{
    return std::max<int64_t>(0, int64_t{b.R} - b.L) * std::max<int64_t>(0, int64_t{b.B} - b.T);
}

// Whether one paint of both costs no more than two.
bool Join(const IBounds& a, const IBounds& b)
{
    const int64_t apart = Pixels(a) + Pixels(b) - Pixels(BoundsClip(a, b));
    return Pixels(BoundsUnion(a, b)) - apart <= kPaintCostPixels;
}

}  // namespace

void AddToClusters(std::vector<IBounds>& clusters, const IBounds& area)
{
    IBounds grown = area;
    for (size_t i = 0; i < clusters.size();)
    {
        if (Join(grown, clusters[i]))
        {
            // The grown area may now join clusters passed before: start again.
            grown = BoundsUnion(grown, clusters[i]);
            clusters.erase(clusters.begin() + static_cast<std::ptrdiff_t>(i));
            i = 0;
        }
        else
        {
            ++i;
        }
    }
    clusters.push_back(grown);
}
