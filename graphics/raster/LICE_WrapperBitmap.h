#pragma once
// Presents pixels that belong to someone else (an image surface) as a
// bitmap. It never owns or frees them, cannot be resized and has no device
// context. The owner keeps the pixels alive and unmoved while the wrapper is
// used. Drawing code treats a wrapper whose row span is below its width, or
// whose size is below 1, as holding no pixels.

#include "graphics/raster/LICE_IBitmap.h"

#include <cstdint>

class LICE_WrapperBitmap final : public LICE_IBitmap
{
public:
    LICE_WrapperBitmap(uint32_t* pixels, int32_t width, int32_t height, int32_t rowPixels, bool bottomUp)
        : pixels(pixels), width(width), height(height), rowPixels(rowPixels), bottomUp(bottomUp)
    {
    }

    uint32_t* PixelData() const override { return pixels; }
    int32_t Width() const override { return width; }
    int32_t Height() const override { return height; }
    int32_t RowPixels() const override { return rowPixels; }
    bool IsBottomUp() const override { return bottomUp; }
    // The wrapped pixels have a fixed size: never any change.
    bool SetSize(int32_t, int32_t) override { return false; }

private:
    uint32_t* pixels;
    int32_t width;
    int32_t height;
    int32_t rowPixels;
    bool bottomUp;
};
