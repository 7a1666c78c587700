#include "graphics/raster/LICE_SoftenGlyphBitmap.h"

#include "graphics/raster/LICE_PixelRows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t kStackRowPixels = 1024;

// Per-byte fractions of whole words: no carry crosses a byte, and every sum
// below stays under 256 per byte.
uint32_t Half(uint32_t x) { return (x >> 1) & 0x7F7F7F7Fu; }
uint32_t Quarter(uint32_t x) { return (x >> 2) & 0x3F3F3F3Fu; }
uint32_t Eighth(uint32_t x) { return (x >> 3) & 0x1F1F1F1Fu; }

// One row from its unfiltered copy `centre`. The vertical share comes in as
// `vertical` (above/8 + below/8 inside, the one neighbour's /4 at an edge).
void SoftenRow(uint32_t* out, const uint32_t* centre, int32_t w, const uint32_t* above, const uint32_t* below,
               bool edgeRow)
{
    const auto vertical = [=](int32_t i) {
        if (!edgeRow)
            return Eighth(above[i]) + Eighth(below[i]);
        return Quarter(above ? above[i] : below[i]);
    };
    out[0] = Half(centre[0]) + Quarter(centre[1]) + vertical(0);
    for (int32_t i = 1; i < w - 1; ++i)
        out[i] = Half(centre[i]) + Eighth(centre[i - 1]) + Eighth(centre[i + 1]) + vertical(i);
    out[w - 1] = Half(centre[w - 1]) + Quarter(centre[w - 2]) + vertical(w - 1);
}

}  // namespace

void LICE_SoftenGlyphBitmap(LICE_IBitmap* glyphs, int32_t w, int32_t h)
{
    LICE_PixelRows rows;
    if (!LICE_GetPixelRows(glyphs, &rows))
        return;
    w = std::min(w, rows.width);
    h = std::min(h, rows.height);
    if (w < 2 || h < 2)
        return;

    // Unfiltered copies of the current and the previous row: row r in half
    // r & 1, the row above in the other.
    uint32_t onStack[2 * kStackRowPixels];
    uint32_t* saved = onStack;
    void* onHeap = nullptr;
    if (w > kStackRowPixels)
    {
        onHeap = std::malloc(static_cast<size_t>(w) * 8);
        if (!onHeap)
            return;
        saved = static_cast<uint32_t*>(onHeap);
    }
    const size_t rowBytes = static_cast<size_t>(w) * sizeof(uint32_t);
    for (int32_t r = 0; r < h; ++r)
    {
        uint32_t* row = rows.Row(r);
        uint32_t* copy = saved + (r & 1) * w;
        std::memcpy(copy, row, rowBytes);
        if (r == 0)
            SoftenRow(row, copy, w, nullptr, rows.Row(1), true);
        else if (r == h - 1)
            SoftenRow(row, copy, w, rows.Row(r - 1), nullptr, true);
        else
            SoftenRow(row, copy, w, saved + ((r + 1) & 1) * w, rows.Row(r + 1), false);
    }
    std::free(onHeap);
}
