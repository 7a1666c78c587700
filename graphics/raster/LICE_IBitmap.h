#pragma once
// A 32-bit pixel bitmap: one word 0xAARRGGBB per pixel, not premultiplied
// (in memory byte 0 is blue, 1 green, 2 red, 3 alpha). Rows are addressed in
// pixels: RowPixels is the distance between two stored rows.
//
// Everything that draws (compose, fill, softening, text) reads a bitmap only
// through PixelData, Width, Height, RowPixels and IsBottomUp. Bitmaps carry no
// lock: they belong to the thread that draws the editor (UI thread).

#include <cstdint>

// The GDI device context a bitmap may have selected its pixels into.
struct HDC__;
using HDC = HDC__*;

class LICE_IBitmap
{
public:
    virtual ~LICE_IBitmap() = default;

    // The first stored row, or null when the bitmap holds no pixels.
    virtual uint32_t* PixelData() const = 0;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    // Distance between two stored rows in pixels; at least Width.
    virtual int32_t RowPixels() const = 0;
    // True when the first stored row is the bottom row of the image.
    virtual bool IsBottomUp() const { return false; }
    // Resizes (the pixels' content is then undefined); answers whether the
    // size changed.
    virtual bool SetSize(int32_t width, int32_t height) = 0;
    // A device context with the pixels selected, or null.
    virtual HDC DeviceContext() const { return nullptr; }
    // Extension query; no bitmap here answers any.
    virtual intptr_t ExtraQuery(int32_t /*query*/, intptr_t /*argument*/) { return 0; }

protected:
    LICE_IBitmap() = default;
    LICE_IBitmap(const LICE_IBitmap&) = default;
    LICE_IBitmap& operator=(const LICE_IBitmap&) = default;
};
