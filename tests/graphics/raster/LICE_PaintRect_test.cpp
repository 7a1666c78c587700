#include "graphics/raster/LICE_PaintRect.h"

#include "graphics/raster/LICE_MemBitmap.h"
#include "support/TestBitmaps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// The result of filling over destination pixel d, on rows wide enough for the
// vectorised loops and their remainders.
uint32_t FillOne(uint32_t d, uint32_t colour, float alpha, CombineMode mode)
{
    TestBitmap dest(37, 2, d);
    LICE_PaintRect(dest.get(), 0, 0, 37, 2, colour, alpha, mode);
    EXPECT_TRUE(dest.PaddingUntouched());
    return dest.Uniform();
}

TEST(LicePaintRect, FormulasOnChosenPixels)
{
    const struct
    {
        uint32_t d, colour;
        float alpha;
        CombineMode mode;
        uint32_t expected;
        const char* why;
    } cases[] = {
        {0xFFFFFFFF, 0x12345678, 1.0f, kCombineCopy, 0x12345678, "ia 256 stores the colour word"},
        {0x10203040, 0xF0E0D0C1, 0.5f, kCombineCopy, 0x80808080, "ia 128: d/2 + c/2"},
        {0x80808080, 0xFFFFFFFF, 0.25f, kCombineCopy, 0x9F9F9F9F, "ia 64: d/4 + d/2 + c/4"},
        {0xFFFFFFFF, 0x00000000, 0.75f, kCombineCopy, 0x3F3F3F3F, "ia 192: d/4 + c/4 + c/2"},
        {0x00000000, 0x80FFFFFF, 1.0f, kCombineCopy | kCombineSourceAlpha, 0x407F7F7F, "128/255 is ia 128"},
        {0x00000000, 0xFFFF0000, 0.3f, kCombineCopy, 0x174C0000, "ia 76, the weight as alpha source"},
        {0x10101010, 0x00204080, 1.0f, kCombineAdd, 0xFF305090, "add: alpha source 256"},
        {0x9AC8C8C8, 0x00808080, 1.0f, kCombineMultiply, 0x9A646464, "multiply by 256 keeps alpha"},
        {0x10101010, 0xFFFFFFFF, 0.003f, kCombineAdd, 0x10101010, "ia 0 draws nothing"},
        {0x00FF0000, 0x00808080, 1.0f, kCombineHsvAdjust, 0xFFFF0000, "weight 256 as alpha byte is 255"},
        {0x11223344, 0x87654321, 9.0f, kCombineCopy, 0x87654321, "above 1 is 1"},
        {0x11223344, 0xFFFFFFFF, 1.0f, 6, 0x11223344, "unknown mode"},
        {0x11223344, 0xFFFFFFFF, 1.0f, kCombineChannelCopy, 0x11223344, "channel copy is compose only"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillOne(c.d, c.colour, c.alpha, c.mode), c.expected) << c.why;
    for (CombineMode mode : {kCombineCopy, kCombineAdd, kCombineDodge, kCombineMultiply, kCombineOverlay,
                             kCombineHsvAdjust})
    {
        for (float alpha : {0.0f, -3.0f, NAN})
            EXPECT_EQ(FillOne(0x11223344, 0xFFFFFFFF, alpha, mode), 0x11223344u) << mode << " " << alpha;
        EXPECT_EQ(FillOne(0x11223344, 0x00FFFFFF, 1.0f, mode | kCombineSourceAlpha), 0x11223344u) << mode;
    }
}

TEST(LicePaintRect, FillsOnlyTheOverlap)
{
    for (bool bottomUp : {false, true})
    {
        TestBitmap bitmap(5, 4, 0, bottomUp);
        LICE_PaintRect(bitmap.get(), -2, -1, 4, 3, 1, 1.0f, kCombineCopy);
        LICE_PaintRect(bitmap.get(), 3, 2, INT32_MAX, INT32_MAX, 1, 1.0f, kCombineCopy);
        LICE_PaintRect(bitmap.get(), 5, 0, 1, 1, 1, 1.0f, kCombineCopy);
        LICE_PaintRect(bitmap.get(), 0, 4, 1, 1, 1, 1.0f, kCombineCopy);
        LICE_PaintRect(bitmap.get(), 2, 0, 0, 4, 1, 1.0f, kCombineCopy);
        LICE_PaintRect(bitmap.get(), INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 1, 1.0f, kCombineCopy);
        std::string marked;
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 5; ++x)
                marked += bitmap.At(x, y) ? '#' : '.';
        EXPECT_EQ(marked, "##..." "##..." "...##" "...##") << "bottom-up " << bottomUp;
        EXPECT_TRUE(bitmap.PaddingUntouched());
    }
    LICE_PaintRect(nullptr, 0, 0, 10, 10, 0xFFFFFFFF, 1.0f, kCombineCopy);
    LICE_MemBitmap empty(0, 0, 4);
    LICE_PaintRect(&empty, 0, 0, 10, 10, 0xFFFFFFFF, 0.5f, kCombineAdd);
    EXPECT_EQ(empty.PixelData(), nullptr);
}

}  // namespace
