#pragma once
// A bitmap whose pixels live in a 32-bit DIB section selected into a memory
// device context of its own, so that GDI can draw into it (native text) and
// blit it to a window. Rows are top-down, the row span a multiple of 4
// pixels. UI thread, like every bitmap.

#include "graphics/raster/LICE_IBitmap.h"

#include "platform/win32/Win32Types.h"

#include <cstdint>

class LICE_SysBitmap : public LICE_IBitmap
{
public:
    // A width or height below 1 makes an empty bitmap (0 x 0, no pixels).
    LICE_SysBitmap(int32_t width = 0, int32_t height = 0);
    ~LICE_SysBitmap() override;
    LICE_SysBitmap(const LICE_SysBitmap&) = delete;
    LICE_SysBitmap& operator=(const LICE_SysBitmap&) = delete;

    uint32_t* PixelData() const override { return pixels; }
    int32_t Width() const override { return width; }
    int32_t Height() const override { return height; }
    // The allocated width: it stays when a smaller size reuses the DIB.
    int32_t RowPixels() const override { return allocatedWidth; }
    // The memory context, also while the bitmap is empty (its pixels are then
    // not this bitmap's: draw nothing through it without PixelData).
    HDC DeviceContext() const override { return dc; }

    // Same size as now: false. A size that fits the DIB (width and height
    // at least 1, not above the allocated ones) reuses it: true. Otherwise
    // the DIB is replaced by one of width rounded up to a multiple of 4 and
    // the given height: true, also when the DIB cannot be made (then the
    // bitmap is empty). A width or height below 1 leaves an empty bitmap
    // (0 x 0, no pixels) and answers false; so does a bitmap whose context
    // could not be made.
    bool SetSize(int32_t width, int32_t height) override;

private:
    void ReleaseDib();
    void MakeEmpty();

    int32_t width = 0;
    int32_t height = 0;
    HDC dc = nullptr;
    uint32_t* pixels = nullptr;
    int32_t allocatedWidth = 0;
    int32_t allocatedHeight = 0;
    HBITMAP dib = nullptr;
    HGDIOBJ previousObject = nullptr;  // selected in dc before the DIB
};
