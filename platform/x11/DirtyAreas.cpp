#include "platform/x11/DirtyAreas.h"

namespace {

// What a send costs beyond its pixels, in pixels: the request, its
// dispatch in the server and the damage it reports there.
constexpr long long kSendCost = 4096;

long long Area(const RECT& r) { return static_cast<long long>(r.right - r.left) * (r.bottom - r.top); }

bool CheaperTogether(const RECT& a, const RECT& b)
{
    return Area(UnionRects(a, b)) <= Area(a) + Area(b) + kSendCost;
}

}  // namespace

void DirtyAreas::Add(const RECT& r)
{
    if (IsEmptyRect(r))
        return;
    RECT grown = r;
    // A grown area may reach one it passed over before: look again.
    for (size_t i = 0; i < areas.size();)
        if (CheaperTogether(areas[i], grown))
        {
            grown = UnionRects(areas[i], grown);
            areas[i] = areas.back();
            areas.pop_back();
            i = 0;
        }
        else
            ++i;
    if (areas.size() == kMostAreas)
    {
        for (const RECT& a : areas)
            grown = UnionRects(grown, a);
        areas.clear();
    }
    areas.push_back(grown);
}
