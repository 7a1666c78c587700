#include "graphics/raster/LICE_SysBitmap.h"

#include "graphics/raster/LICE_Compose.h"
#include "graphics/raster/LICE_MemBitmap.h"
#include "graphics/raster/LICE_PaintRect.h"

#include "platform/win32/Desktop.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct LiceSysBitmapTest : ::testing::Test
{
    Desktop desktop;

    static bool Empty(const LICE_SysBitmap& bitmap)
    {
        return !bitmap.PixelData() && bitmap.Width() == 0 && bitmap.Height() == 0;
    }
};

TEST_F(LiceSysBitmapTest, RowSpanRoundsUpToFourAndASmallerSizeReusesTheDib)
{
    LICE_SysBitmap bitmap;
    EXPECT_TRUE(Empty(bitmap));
    ASSERT_NE(bitmap.DeviceContext(), nullptr);
    EXPECT_TRUE(bitmap.SetSize(101, 50));
    EXPECT_EQ(bitmap.RowPixels(), 104);
    uint32_t* pixels = bitmap.PixelData();
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(desktop.Counts().bitmaps, 1);

    EXPECT_TRUE(bitmap.SetSize(90, 40));
    EXPECT_EQ(bitmap.PixelData(), pixels);
    EXPECT_EQ(bitmap.RowPixels(), 104) << "the DIB's span stays";
    EXPECT_EQ(bitmap.Width(), 90);
    EXPECT_FALSE(bitmap.SetSize(90, 40));

    EXPECT_TRUE(bitmap.SetSize(105, 40)) << "wider than the DIB";
    EXPECT_EQ(bitmap.RowPixels(), 108);
    EXPECT_EQ(desktop.Counts().bitmaps, 1) << "the old DIB is deleted";
}

TEST_F(LiceSysBitmapTest, ZeroOrNegativeSizesGiveAnEmptyBitmapThatNothingDrawsInto)
{
    const int32_t sizes[][2] = {{0, 0}, {-4, 10}, {10, -4}, {0, 10}, {10, 0}, {INT32_MIN, INT32_MIN}};
    LICE_MemBitmap source(4, 4);
    for (const auto& size : sizes)
    {
        LICE_SysBitmap fresh(size[0], size[1]);
        EXPECT_TRUE(Empty(fresh)) << size[0] << " x " << size[1];

        LICE_SysBitmap bitmap(8, 8);
        EXPECT_FALSE(bitmap.SetSize(size[0], size[1]));
        EXPECT_TRUE(Empty(bitmap)) << size[0] << " x " << size[1];
        EXPECT_EQ(bitmap.RowPixels(), 0);
        LICE_PaintRect(&bitmap, 0, 0, 8, 8, 0xFFFFFFFF, 1.0f, kCombineCopy);
        LICE_Compose(&bitmap, &source, 0, 0, nullptr, 1.0f, kCombineCopy);

        EXPECT_TRUE(bitmap.SetSize(3, 3)) << "usable again";
        ASSERT_NE(bitmap.PixelData(), nullptr);
        EXPECT_EQ(bitmap.RowPixels(), 4);
    }
    EXPECT_EQ(desktop.Counts().bitmaps, 0);
}

TEST_F(LiceSysBitmapTest, ASizeTheDibCannotHoldLeavesItEmpty)
{
    LICE_SysBitmap bitmap(8, 8);
    EXPECT_TRUE(bitmap.SetSize(INT32_MAX, 2));
    EXPECT_TRUE(Empty(bitmap));
    EXPECT_TRUE(bitmap.SetSize(1 << 15, 1 << 15));
    EXPECT_TRUE(Empty(bitmap));
    EXPECT_TRUE(bitmap.SetSize(8, 8));
    EXPECT_NE(bitmap.PixelData(), nullptr);
}

TEST_F(LiceSysBitmapTest, NoGdiObjectOutlivesTheBitmap)
{
    const LiveCounts before = desktop.Counts();
    {
        LICE_SysBitmap bitmap(16, 16);
        bitmap.SetSize(40, 4);
        bitmap.SetSize(0, 0);
        bitmap.SetSize(7, 7);
        EXPECT_EQ(desktop.Counts().dcs, before.dcs + 1);
    }
    EXPECT_EQ(desktop.Counts(), before);
}

}  // namespace
