#include "graphics/raster/LICE_MemBitmap.h"

#include "graphics/raster/LICE_PaintRect.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

bool Empty(const LICE_MemBitmap& bitmap)
{
    return !bitmap.PixelData() && bitmap.Width() == 0 && bitmap.Height() == 0 && bitmap.Capacity() == 0;
}

// Writes every stored pixel: a short block would overrun (sanitizer builds).
void TouchAll(LICE_MemBitmap* bitmap)
{
    LICE_PaintRect(bitmap, 0, 0, bitmap->Width(), bitmap->Height(), 0xFF00FF00, 1.0f, kCombineCopy);
    bitmap->PixelData()[int64_t{bitmap->RowPixels()} * bitmap->Height() - 1] = 1;
}

TEST(LiceMemBitmap, RowSpanFollowsTheLineAlignment)
{
    EXPECT_TRUE(Empty(LICE_MemBitmap(0, 0, 4)));
    EXPECT_TRUE(Empty(LICE_MemBitmap(-3, 7, 4)));
    LICE_MemBitmap four(5, 3, 4);
    EXPECT_EQ(four.RowPixels(), 8);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(four.PixelData()) % 64, 0u);
    EXPECT_EQ(LICE_MemBitmap(5, 3, 1).RowPixels(), 5);
    EXPECT_EQ(LICE_MemBitmap(5, 3, 6).RowPixels(), 6) << "lowest set bit 2";
    // From 32 on the mask is 16: the span is the width or the width + 16.
    EXPECT_EQ(LICE_MemBitmap(5, 1, 64).RowPixels(), 5);
    EXPECT_EQ(LICE_MemBitmap(16, 1, 64).RowPixels(), 32);
}

TEST(LiceMemBitmap, SetSizeKeepsGrowsByAQuarterAndFrees)
{
    LICE_MemBitmap bitmap(5, 3, 4);
    uint32_t* pixels = bitmap.PixelData();
    EXPECT_FALSE(bitmap.SetSize(5, 3));
    EXPECT_TRUE(bitmap.SetSize(2, 2));
    EXPECT_EQ(bitmap.PixelData(), pixels) << "a smaller size keeps the block";
    EXPECT_EQ(bitmap.Capacity(), 8 * 3 * 4);
    EXPECT_TRUE(bitmap.SetSize(9, 3));
    EXPECT_EQ(bitmap.Capacity(), 144 + 36);
    TouchAll(&bitmap);
    EXPECT_TRUE(bitmap.SetSize(11, 3));
    EXPECT_EQ(bitmap.Capacity(), 180) << "fits the grown block";
    TouchAll(&bitmap);
    EXPECT_TRUE(bitmap.SetSize(0, 7));
    EXPECT_TRUE(Empty(bitmap));
}

TEST(LiceMemBitmap, SizesBeyondThirtyTwoBitsAreRefusedWhole)
{
    // Each of these wraps to a small or zero byte count in 32-bit arithmetic.
    const int32_t sizes[][2] = {{65536, 65537}, {(1 << 28) + 4, (1 << 22) + 1}, {INT32_MAX, 1}, {1, INT32_MAX},
                                {INT32_MAX, INT32_MAX}};
    for (const auto& size : sizes)
    {
        LICE_MemBitmap bitmap(8, 8, 4);
        EXPECT_TRUE(bitmap.SetSize(size[0], size[1])) << size[0] << " x " << size[1];
        EXPECT_TRUE(Empty(bitmap)) << size[0] << " x " << size[1];
        LICE_PaintRect(&bitmap, 0, 0, size[0], size[1], 0, 1.0f, kCombineCopy);  // draws nothing
        EXPECT_TRUE(Empty(LICE_MemBitmap(size[0], size[1], 4)));
        EXPECT_TRUE(bitmap.SetSize(4, 4));
        TouchAll(&bitmap);
    }
}

}  // namespace
