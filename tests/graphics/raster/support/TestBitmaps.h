#pragma once
// Small bitmaps for the raster tests: filled, read and written by (x, y) from
// the top whatever the storage order.

#include "graphics/raster/LICE_MemBitmap.h"
#include "graphics/raster/LICE_WrapperBitmap.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// A bitmap over a vector, top-down or bottom-up, its span wider than its
// width so that writes past a row's end would show in the padding.
class TestBitmap
{
public:
    static constexpr int32_t kPadding = 3;
    static constexpr uint32_t kPaddingValue = 0xDEADBEEFu;

    TestBitmap(int32_t width, int32_t height, uint32_t fill, bool bottomUp = false)
        : pixels(static_cast<size_t>((width + kPadding) * height), kPaddingValue),
          bitmap(pixels.data(), width, height, width + kPadding, bottomUp)
    {
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                At(x, y) = fill;
    }

    uint32_t& At(int32_t x, int32_t y)
    {
        const int32_t row = bitmap.IsBottomUp() ? bitmap.Height() - 1 - y : y;
        return pixels[static_cast<size_t>(row * bitmap.RowPixels() + x)];
    }

    // The value every pixel holds; a test failure naming the first pixel that
    // differs from pixel (0, 0) otherwise.
    uint32_t Uniform()
    {
        for (int32_t y = 0; y < bitmap.Height(); ++y)
            for (int32_t x = 0; x < bitmap.Width(); ++x)
                if (At(x, y) != At(0, 0))
                {
                    ADD_FAILURE() << "pixel " << x << ", " << y << " differs from pixel 0, 0";
                    return At(0, 0);
                }
        return At(0, 0);
    }

    bool PaddingUntouched() const
    {
        for (int32_t row = 0; row < bitmap.Height(); ++row)
            for (int32_t x = bitmap.Width(); x < bitmap.RowPixels(); ++x)
                if (pixels[static_cast<size_t>(row * bitmap.RowPixels() + x)] != kPaddingValue)
                    return false;
        return true;
    }

    LICE_WrapperBitmap* get() { return &bitmap; }

private:
    std::vector<uint32_t> pixels;
    LICE_WrapperBitmap bitmap;
};
