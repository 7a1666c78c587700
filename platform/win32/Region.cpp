#include "platform/win32/Region.h"

namespace {

// Past this many pieces the region becomes its bounding box: it only ever
// grows what gets repainted, and keeps every operation cheap.
constexpr size_t kMostRects = 64;

// The parts of r outside cut (up to four).
void AppendDifference(const RECT& r, const RECT& cut, std::vector<RECT>& out)
{
    const RECT overlap = IntersectRects(r, cut);
    if (IsEmptyRect(overlap))
    {
        out.push_back(r);
        return;
    }
    if (r.top < overlap.top)
        out.push_back({r.left, r.top, r.right, overlap.top});
    if (overlap.bottom < r.bottom)
        out.push_back({r.left, overlap.bottom, r.right, r.bottom});
    if (r.left < overlap.left)
        out.push_back({r.left, overlap.top, overlap.left, overlap.bottom});
    if (overlap.right < r.right)
        out.push_back({overlap.right, overlap.top, r.right, overlap.bottom});
}

}  // namespace

void Region::Add(const RECT& r)
{
    if (IsEmptyRect(r))
        return;
    std::vector<RECT> pieces = {r};
    for (const RECT& have : rects)
    {
        std::vector<RECT> rest;
        for (const RECT& piece : pieces)
            AppendDifference(piece, have, rest);
        pieces.swap(rest);
        if (pieces.empty())
            return;
    }
    rects.insert(rects.end(), pieces.begin(), pieces.end());
    if (rects.size() > kMostRects)
        rects = {Bounds()};
}

void Region::Subtract(const RECT& r)
{
    if (IsEmptyRect(r))
        return;
    std::vector<RECT> rest;
    for (const RECT& have : rects)
        AppendDifference(have, r, rest);
    rects.swap(rest);
    // Collapsing here would give back what was just taken away; only a
    // region cut into very many pieces gives in.
    if (rects.size() > 16 * kMostRects)
        rects = {Bounds()};
}

void Region::Clip(const RECT& r)
{
    std::vector<RECT> kept;
    for (const RECT& have : rects)
    {
        const RECT piece = IntersectRects(have, r);
        if (!IsEmptyRect(piece))
            kept.push_back(piece);
    }
    rects.swap(kept);
}

RECT Region::Bounds() const
{
    RECT b = {0, 0, 0, 0};
    for (const RECT& r : rects)
        b = UnionRects(b, r);
    return b;
}
