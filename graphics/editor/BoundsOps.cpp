#include "graphics/editor/BoundsOps.h"

#include <algorithm>

IBounds BoundsUnion(const IBounds& a, const IBounds& b)
{
    if (IsEmptyBounds(a))
        return b;
    if (IsEmptyBounds(b))
        return a;
    return {std::min(a.L, b.L), std::min(a.T, b.T), std::max(a.R, b.R), std::max(a.B, b.B)};
}

bool BoundsIntersect(const IBounds& a, const IBounds& b)
{
    if (IsEmptyBounds(a) || IsEmptyBounds(b))
        return false;
    return !(a.R < b.L || a.L >= b.R || a.B < b.T || a.T >= b.B);
}

IBounds BoundsIntersection(const IBounds& a, const IBounds& b)
{
    if (!BoundsIntersect(a, b))
        return {};
    return {std::max(a.L, b.L), std::max(a.T, b.T), std::min(a.R, b.R), std::min(a.B, b.B)};
}

IBounds BoundsClip(const IBounds& a, const IBounds& b)
{
    const IBounds o = BoundsIntersection(a, b);
    if (o.R <= o.L || o.B <= o.T)
        return {};
    return o;
}
