#pragma once
// A bitmap's pixels addressed top-down whatever its storage order: the walk
// every drawing routine uses.

#include "graphics/raster/LICE_IBitmap.h"

#include <cstddef>
#include <cstdint>

struct LICE_PixelRows
{
    uint32_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    ptrdiff_t rowPixels = 0;
    bool bottomUp = false;

    // Row y (0 = top) of the image.
    uint32_t* Row(int32_t y) const { return pixels + (bottomUp ? height - 1 - y : y) * rowPixels; }
};

// The rows of bitmap; false for a null bitmap, one without pixels, a size
// below 1 or a row span below the width (nothing can be drawn there).
inline bool LICE_GetPixelRows(const LICE_IBitmap* bitmap, LICE_PixelRows* rows)
{
    if (!bitmap)
        return false;
    uint32_t* pixels = bitmap->PixelData();
    const int32_t width = bitmap->Width();
    const int32_t height = bitmap->Height();
    const int32_t rowPixels = bitmap->RowPixels();
    if (!pixels || width < 1 || height < 1 || rowPixels < width)
        return false;
    *rows = {pixels, width, height, rowPixels, bitmap->IsBottomUp()};
    return true;
}
