#include "graphics/raster/LICE_Compose.h"

#include "graphics/raster/LICE_AlphaWeight.h"
#include "graphics/raster/LICE_ByteLanes.h"
#include "graphics/raster/LICE_PixelForms.h"
#include "graphics/raster/LICE_PixelRows.h"
#include "graphics/raster/LICE_SourceAlphaCopy.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <cstring>

namespace {

// The clipped area: width x height pixels from (srcX, srcY) of the source to
// (destX, destY) of the destination, both inside their bitmaps.
struct ComposeArea
{
    LICE_PixelRows dest;
    LICE_PixelRows src;
    int32_t destX;
    int32_t destY;
    int32_t srcX;
    int32_t srcY;
    int32_t width;
    int32_t height;
};

// A negative *edge becomes 0 and moves *other forward by as much.
void MoveToZero(int64_t* edge, int64_t* other)
{
    if (*edge < 0)
    {
        *other -= *edge;
        *edge = 0;
    }
}

// Cuts the source rectangle to the source and the destination; false when
// nothing is left. 64-bit, so no coordinate overflows.
bool ClipArea(int64_t x, int64_t y, int64_t left, int64_t top, int64_t right, int64_t bottom, ComposeArea* area)
{
    MoveToZero(&left, &x);
    MoveToZero(&top, &y);
    right = std::min<int64_t>(right, area->src.width);
    bottom = std::min<int64_t>(bottom, area->src.height);
    MoveToZero(&x, &left);
    MoveToZero(&y, &top);
    if (right <= left || bottom <= top || x >= area->dest.width || y >= area->dest.height)
        return false;
    right = std::min(right, left + (area->dest.width - x));
    bottom = std::min(bottom, top + (area->dest.height - y));
    if (right <= left || bottom <= top)
        return false;
    area->destX = static_cast<int32_t>(x);
    area->destY = static_cast<int32_t>(y);
    area->srcX = static_cast<int32_t>(left);
    area->srcY = static_cast<int32_t>(top);
    area->width = static_cast<int32_t>(right - left);
    area->height = static_cast<int32_t>(bottom - top);
    return true;
}

// rowOp(destRow, srcRow, pixels) for every row of the area, top-down.
template <class RowOp>
void ForEachRow(const ComposeArea& a, RowOp rowOp)
{
    for (int32_t r = 0; r < a.height; ++r)
        rowOp(a.dest.Row(a.destY + r) + a.destX, a.src.Row(a.srcY + r) + a.srcX, a.width);
}

// d = pixelOp(d, s) for every pixel.
template <class PixelOp>
void ForEachPixel(const ComposeArea& a, PixelOp pixelOp)
{
    ForEachRow(a, [&pixelOp](uint32_t* d, const uint32_t* s, int32_t n) {
        for (int32_t i = 0; i < n; ++i)
            d[i] = pixelOp(d[i], s[i]);
    });
}

// One formula on all four bytes alike, as a plain byte loop the compiler
// vectorises. Channel(d, s, w) is a byte lane or a channel formula.
template <auto Channel>
void ComposeBytes(const ComposeArea& a, int ia)
{
    const auto w = static_cast<uint16_t>(ia);
    ForEachRow(a, [w](uint32_t* d, const uint32_t* s, int32_t n) {
        LICE_CombineBytes<Channel>(reinterpret_cast<uint8_t*>(d), reinterpret_cast<const uint8_t*>(s),
                                   ptrdiff_t{n} * 4, w);
    });
}

// The formula on all four bytes of one pixel.
template <int (*Channel)(int, int, int)>
uint32_t CombineFour(uint32_t d, uint32_t s, int w)
{
    uint32_t out = 0;
    for (int i = 0; i < 4; ++i)
        out |= static_cast<uint32_t>(Channel(LICE_PixelByte(d, i), LICE_PixelByte(s, i), w)) << (8 * i);
    return out;
}

uint32_t SourceAlpha(uint32_t s) { return s >> 24; }

// Source-alpha weight: w = ((sa + 1) x ia) / 256.
int SourceWeight(uint32_t s, int ia) { return (static_cast<int>(SourceAlpha(s)) + 1) * ia / 256; }

void ComposeHsvAdjust(const ComposeArea& a, int ia)
{
    ForEachPixel(a, [ia](uint32_t d, uint32_t s) {
        LICE_HsvAdjustPixel(&d, LICE_PixelByte(s, 2), LICE_PixelByte(s, 1), LICE_PixelByte(s, 0),
                            LICE_PixelByte(s, 3), ia);
        return d;
    });
}

// Copy by source alpha: blue, green and red move toward the source by
// w / 256, alpha gains w (sa at full weight); a transparent source pixel
// leaves the destination alone.
void ComposeCopySourceAlpha(const ComposeArea& a, int ia)
{
    ForEachRow(a, [ia](uint32_t* d, const uint32_t* s, int32_t n) { LICE_CopySourceAlphaRow(d, s, n, ia); });
}

// Add and multiply by source alpha skip transparent source pixels; dodge
// and overlay do not.
template <int (*Channel)(int, int, int), bool kSkipTransparent>
void ComposeFourSourceAlpha(const ComposeArea& a, int ia)
{
    ForEachPixel(a, [ia](uint32_t d, uint32_t s) {
        const uint32_t combined = CombineFour<Channel>(d, s, SourceWeight(s, ia));
        return kSkipTransparent && !SourceAlpha(s) ? d : combined;
    });
}

void ComposeHsvAdjustSourceAlpha(const ComposeArea& a, int ia)
{
    ForEachPixel(a, [ia](uint32_t d, uint32_t s) {
        LICE_HsvAdjustPixel(&d, LICE_PixelByte(s, 2), LICE_PixelByte(s, 1), LICE_PixelByte(s, 0),
                            static_cast<int>(SourceAlpha(s)), SourceWeight(s, ia));
        return d;
    });
}

using ComposeWorker = void (*)(const ComposeArea&, int ia);

// One worker per mode (low byte 0-5), without and with source alpha.
constexpr ComposeWorker kPlainWorkers[] = {
    ComposeBytes<LICE_CopyLane>, ComposeBytes<LICE_AddLane>,     ComposeBytes<LICE_DodgeChannel>,
    ComposeBytes<LICE_MultiplyLane>, ComposeBytes<LICE_OverlayChannel>, ComposeHsvAdjust,
};
constexpr ComposeWorker kSourceAlphaWorkers[] = {
    ComposeCopySourceAlpha,
    ComposeFourSourceAlpha<LICE_AddChannel, true>,
    ComposeFourSourceAlpha<LICE_DodgeChannel, false>,
    ComposeFourSourceAlpha<LICE_MultiplyChannel, true>,
    ComposeFourSourceAlpha<LICE_OverlayChannel, false>,
    ComposeHsvAdjustSourceAlpha,
};
constexpr int32_t kWorkerCount = static_cast<int32_t>(std::size(kPlainWorkers));
static_assert(std::size(kSourceAlphaWorkers) == std::size(kPlainWorkers));

void ComposeChannel(const ComposeArea& a, CombineMode mode)
{
    const int destShift = 8 * ((mode >> 2) & 3);
    const int srcShift = 8 * (mode & 3);
    const uint32_t keep = ~(0xFFu << destShift);
    ForEachPixel(a, [=](uint32_t d, uint32_t s) { return (d & keep) | ((s >> srcShift) & 0xFF) << destShift; });
}

void CopyRows(const ComposeArea& a)
{
    // memmove: the source may be the destination itself.
    ForEachRow(a, [](uint32_t* d, const uint32_t* s, int32_t n) {
        std::memmove(d, s, static_cast<size_t>(n) * sizeof(uint32_t));
    });
}

void HalfSumRows(const ComposeArea& a)
{
    ForEachPixel(a, [](uint32_t d, uint32_t s) { return ((s >> 1) & 0x7F7F7F7Fu) + ((d >> 1) & 0x7F7F7F7Fu); });
}

void Compose(LICE_IBitmap* dest, const LICE_IBitmap* src, int64_t x, int64_t y, int64_t left, int64_t top,
             int64_t right, int64_t bottom, float alpha, CombineMode mode)
{
    if (!LICE_ClampAlpha(&alpha) || alpha == 0.0f)
        return;
    ComposeArea area{};
    if (!LICE_GetPixelRows(dest, &area.dest) || !LICE_GetPixelRows(src, &area.src) ||
        !ClipArea(x, y, left, top, right, bottom, &area))
        return;

    const int32_t low = mode & kCombineModeMask;
    if (low >= kCombineChannelCopy)
    {
        ComposeChannel(area, mode);
        return;
    }
    const bool sourceAlpha = (mode & kCombineSourceAlpha) != 0;
    if (!sourceAlpha && low == kCombineCopy)
    {
        if (alpha == 1.0f)
        {
            CopyRows(area);
            return;
        }
        if (alpha == 0.5f)
        {
            HalfSumRows(area);
            return;
        }
    }
    const int ia = LICE_AlphaWeight(alpha);
    if (ia == 0 || low >= kWorkerCount)
        return;
    (sourceAlpha ? kSourceAlphaWorkers : kPlainWorkers)[low](area, ia);
}

}  // namespace

void LICE_Compose(LICE_IBitmap* dest, const LICE_IBitmap* src, int32_t x, int32_t y, const LICE_Rect* srcRect,
                  float alpha, CombineMode mode)
{
    if (srcRect)
        Compose(dest, src, x, y, srcRect->left, srcRect->top, srcRect->right, srcRect->bottom, alpha, mode);
    else if (src)
        Compose(dest, src, x, y, 0, 0, src->Width(), src->Height(), alpha, mode);
}

void LICE_Compose(LICE_IBitmap* dest, const LICE_IBitmap* src, int32_t destX, int32_t destY, int32_t srcX,
                  int32_t srcY, int32_t srcWidth, int32_t srcHeight, float alpha, CombineMode mode)
{
    Compose(dest, src, destX, destY, srcX, srcY, int64_t{srcX} + srcWidth, int64_t{srcY} + srcHeight, alpha, mode);
}
