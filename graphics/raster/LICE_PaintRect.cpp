#include "graphics/raster/LICE_PaintRect.h"

#include "graphics/raster/LICE_AlphaWeight.h"
#include "graphics/raster/LICE_ByteLanes.h"
#include "graphics/raster/LICE_PixelForms.h"
#include "graphics/raster/LICE_PixelRows.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace {

struct FillArea
{
    LICE_PixelRows rows;
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

// Cuts the rectangle to the bitmap; false when nothing is left.
bool ClipArea(int64_t x, int64_t y, int64_t width, int64_t height, FillArea* area)
{
    if (x < 0)
    {
        width += x;
        x = 0;
    }
    if (y < 0)
    {
        height += y;
        y = 0;
    }
    if (width < 1 || height < 1 || x >= area->rows.width || y >= area->rows.height)
        return false;
    area->x = static_cast<int32_t>(x);
    area->y = static_cast<int32_t>(y);
    area->width = static_cast<int32_t>(std::min(width, area->rows.width - x));
    area->height = static_cast<int32_t>(std::min(height, area->rows.height - y));
    return true;
}

// d = pixelOp(d) for every pixel of the area.
template <class PixelOp>
void ForEachPixel(const FillArea& a, PixelOp pixelOp)
{
    // Locals: a store through d could alias the area's int32_t fields.
    const int32_t width = a.width;
    const int32_t height = a.height;
    for (int32_t r = 0; r < height; ++r)
    {
        uint32_t* d = a.rows.Row(a.y + r) + a.x;
        for (int32_t i = 0; i < width; ++i)
            d[i] = pixelOp(d[i]);
    }
}

// The colour's blue, green and red, and the weight ia, which is also the
// source of the alpha channel.
struct FillSource
{
    int blue;
    int green;
    int red;
    int weight;
};

template <int (*Channel)(int, int, int)>
void FillFour(const FillArea& a, const FillSource& source)
{
    const FillSource c = source;
    ForEachPixel(a, [c](uint32_t d) {
        return static_cast<uint32_t>(Channel(LICE_PixelByte(d, 3), c.weight, c.weight)) << 24 |
               static_cast<uint32_t>(Channel(LICE_PixelByte(d, 2), c.red, c.weight)) << 16 |
               static_cast<uint32_t>(Channel(LICE_PixelByte(d, 1), c.green, c.weight)) << 8 |
               static_cast<uint32_t>(Channel(LICE_PixelByte(d, 0), c.blue, c.weight));
    });
}

// Copy reaches here at weights 1-255 only (256 is a fast path), so every
// source, the weight as alpha source included, is a byte: the compose byte
// loop in 16-bit lanes, against a stretch of the colour with that alpha byte.
void FillCopy(const FillArea& a, const FillSource& source)
{
    constexpr int32_t kStretch = 256;
    uint32_t stretch[kStretch];
    std::fill_n(stretch, kStretch,
                static_cast<uint32_t>(source.weight) << 24 | static_cast<uint32_t>(source.red) << 16 |
                    static_cast<uint32_t>(source.green) << 8 | static_cast<uint32_t>(source.blue));
    const auto* s = reinterpret_cast<const uint8_t*>(stretch);
    const auto w = static_cast<uint16_t>(source.weight);
    const int32_t width = a.width;
    for (int32_t r = 0; r < a.height; ++r)
    {
        uint32_t* row = a.rows.Row(a.y + r) + a.x;
        for (int32_t x = 0; x < width; x += kStretch)
        {
            const int32_t n = std::min(kStretch, width - x);
            LICE_CombineBytes<LICE_CopyLane>(reinterpret_cast<uint8_t*>(row + x), s, ptrdiff_t{n} * 4, w);
        }
    }
}

// The weight (up to 256) is the alpha byte written; the pixel forms limit it to 255.
void FillHsvAdjust(const FillArea& a, const FillSource& source)
{
    ForEachPixel(a, [&source](uint32_t d) {
        LICE_HsvAdjustPixel(&d, source.red, source.green, source.blue, source.weight, source.weight);
        return d;
    });
}

using FillWorker = void (*)(const FillArea&, const FillSource&);

// One worker per mode (low byte 0-5); the source-alpha bit only scales the weight.
constexpr FillWorker kWorkers[] = {
    FillCopy,                   FillFour<LICE_AddChannel>, FillFour<LICE_DodgeChannel>,
    FillFour<LICE_MultiplyChannel>, FillFour<LICE_OverlayChannel>, FillHsvAdjust,
};
constexpr int32_t kWorkerCount = static_cast<int32_t>(std::size(kWorkers));

// Copy at the weights that need no per-channel arithmetic: whole words with
// per-byte masks, the alpha byte included.
bool FillCopyFast(const FillArea& a, uint32_t c, int ia)
{
    constexpr uint32_t kHalf = 0x7F7F7F7Fu;
    constexpr uint32_t kQuarter = 0x3F3F3F3Fu;
    switch (ia)
    {
    case 256:
        ForEachPixel(a, [c](uint32_t) { return c; });
        return true;
    case 128:
        ForEachPixel(a, [c](uint32_t d) { return ((d >> 1) & kHalf) + ((c >> 1) & kHalf); });
        return true;
    case 64:
        ForEachPixel(a, [c](uint32_t d) { return ((d >> 2) & kQuarter) + ((d >> 1) & kHalf) + ((c >> 2) & kQuarter); });
        return true;
    case 192:
        ForEachPixel(a, [c](uint32_t d) { return ((d >> 2) & kQuarter) + ((c >> 2) & kQuarter) + ((c >> 1) & kHalf); });
        return true;
    default:
        return false;
    }
}

}  // namespace

void LICE_PaintRect(LICE_IBitmap* dest, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour,
                    float alpha, CombineMode mode)
{
    if (!LICE_ClampAlpha(&alpha))
        return;
    double weight = alpha;
    if (mode & kCombineSourceAlpha)
        weight = ((colour >> 24) / 255.0) * weight;
    FillArea area{};
    if (weight == 0.0 || !LICE_GetPixelRows(dest, &area.rows) || !ClipArea(x, y, width, height, &area))
        return;

    const int ia = LICE_AlphaWeight(weight);
    const int32_t low = mode & kCombineModeMask;
    if (low == kCombineCopy && FillCopyFast(area, colour, ia))
        return;
    if (ia == 0 || low >= kWorkerCount)
        return;
    const FillSource source{LICE_PixelByte(colour, 0), LICE_PixelByte(colour, 1), LICE_PixelByte(colour, 2), ia};
    kWorkers[low](area, source);
}
