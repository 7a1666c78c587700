#include "graphics/raster/LICE_Compose.h"

#include "graphics/raster/LICE_Hsv.h"
#include "graphics/raster/LICE_MemBitmap.h"
#include "support/TestBitmaps.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The result of composing source pixel s onto destination pixel d, over rows
// wide enough for the vectorised loops and their remainders (every pixel
// must come out the same).
uint32_t ComposeOne(uint32_t d, uint32_t s, float alpha, CombineMode mode)
{
    TestBitmap dest(37, 2, d);
    TestBitmap src(37, 2, s);
    LICE_Compose(dest.get(), src.get(), 0, 0, nullptr, alpha, mode);
    EXPECT_TRUE(dest.PaddingUntouched());
    return dest.Uniform();
}

constexpr CombineMode kSourceAlpha = kCombineSourceAlpha;

struct Case
{
    uint32_t d, s;
    float alpha;
    CombineMode mode;
    uint32_t expected;
    const char* why;
};

TEST(LiceCompose, FormulasOnChosenPixels)
{
    const Case cases[] = {
        {0x11223344, 0x80FF017F, 1.0f, kCombineCopy, 0x80FF017F, "exact copy, alpha byte included"},
        {0x00223344, 0xFFFF0103, 0.5f, kCombineCopy, 0x7F901923, "per-byte half-sum"},
        {0x00000000, 0x03030303, 0.5f, kCombineCopy, 0x01010101, "half-sum rounds toward 0"},
        {0x00000000, 0x03030303, 0.5000001f, kCombineCopy, 0x02020202, "ia 128, general formula: toward s"},
        {0x00C86400, 0xFF64C8FF, 0.25f, kCombineCopy, 0x40AF7D40, "255 - 191.25 truncated (a shift gives 63)"},
        {0x10203040, 0xFFFFFFFF, 0.003f, kCombineCopy, 0x10203040, "ia 0 draws nothing"},
        {0x01C80010, 0x02640020, 1.0f, kCombineAdd, 0x03FF0030, "add clamps"},
        {0x00C80010, 0x00640020, 0.5f, kCombineAdd, 0x00FA0020, "add half"},
        {0x64646400, 0x80FF8080, 1.0f, kCombineDodge, 0xC8FFC800, "k 128 doubles, k 1 clamps, 0 stays"},
        {0xC8C8C8C8, 0x80808080, 1.0f, kCombineMultiply, 0x64646464, "multiply by 128/256"},
        {0xC8C8C8C8, 0x80808080, 0.5f, kCombineMultiply, 0x96969696, "half weight: by 192/256"},
        {0x40C8FF40, 0xFF00FFFF, 1.0f, kCombineOverlay, 0x6F9CFF6F, "64 -> 111, 200 -> 156, 255 stays"},
        // Red 255 turns the hue by 190 of 384: red (0) to 190, blue (256) wraps to 62.
        {0xFFFF0000, 0x40FF8080, 1.0f, kCombineHsvAdjust, 0x4000FFF7, "hue turned, source alpha byte"},
        {0xFF0000FF, 0x40FF8080, 1.0f, kCombineHsvAdjust, 0x40FFF700, "hue wraps"},
        {0x40123456, 0x00FFFFFF, 1.0f, kCombineCopy | kSourceAlpha, 0x40123456, "transparent: unchanged"},
        {0x40123456, 0xFFABCDEF, 1.0f, kCombineCopy | kSourceAlpha, 0xFFABCDEF, "opaque: replaced, alpha 255"},
        {0x40000000, 0x80FF0000, 1.0f, kCombineCopy | kSourceAlpha, 0xC0810000, "127/256 kept, alpha + 128"},
        {0x40000000, 0xFFFF0000, 0.5f, kCombineCopy | kSourceAlpha, 0xC0800000, "w 128, alpha + w"},
        {0xF0000000, 0xFFFF0000, 0.5f, kCombineCopy | kSourceAlpha, 0xFF800000, "alpha limited to 255"},
        {0xFFFFFFFF, 0x00000000, 1.0f, kCombineMultiply | kSourceAlpha, 0xFFFFFFFF, "transparent skipped (w 1)"},
        {0xC8C8C8C8, 0xFF808080, 1.0f, kCombineMultiply | kSourceAlpha, 0xC7646464, "alpha 200 x 255/256"},
        {0x00101010, 0x7F404040, 1.0f, kCombineAdd | kSourceAlpha, 0x3F303030, "w 128"},
        {0x11223344, 0x00AB0000, 0.3f, kCombineChannelCopy | 3 << 2 | 2, 0xAB223344, "red into alpha"},
        {0x11223344, 0x000000CD, 1.0f, kCombineChannelCopy | 1 << 2 | 0, 0x1122CD44, "blue into green"},
        {0x11223344, 0x80FF017F, 7.0f, kCombineCopy, 0x80FF017F, "above 1 is 1"},
        {0x11223344, 0xFFFFFFFF, INFINITY, kCombineAdd, 0xFFFFFFFF, "infinity is 1"},
        {0x11223344, 0xFFFFFFFF, 1.0f, 6, 0x11223344, "unknown mode"},
        {0x11223344, 0xFFFFFFFF, 1.0f, 0x80 | kSourceAlpha, 0x11223344, "unknown mode"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComposeOne(c.d, c.s, c.alpha, c.mode), c.expected) << c.why;
}

TEST(LiceCompose, NeutralHsvSourceKeepsHueSaturationAndValue)
{
    const LICE_HsvColour hsv = LICE_PixelToHsv(0xA0, 0x70, 0x30);
    EXPECT_EQ(ComposeOne(0xFF3070A0, 0x20808080, 1.0f, kCombineHsvAdjust),
              LICE_HsvToPixel(hsv.hue, hsv.saturation, hsv.value, 0x20));
}

TEST(LiceCompose, ZeroNegativeAndNanWeightsDrawNothingInAnyMode)
{
    for (CombineMode mode : {kCombineCopy, kCombineAdd, kCombineDodge, kCombineMultiply, kCombineOverlay,
                             kCombineHsvAdjust, kCombineCopy | kSourceAlpha, kCombineChannelCopy})
        for (float alpha : {0.0f, -0.5f, NAN})
            EXPECT_EQ(ComposeOne(0x11223344, 0xFFFFFFFF, alpha, mode), 0x11223344u) << mode << " " << alpha;
}

// A 4 x 3 source, stored bottom-up, whose pixels name their position: 0xYX.
struct NamedSource : TestBitmap
{
    NamedSource() : TestBitmap(4, 3, 0, true)
    {
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 4; ++x)
                At(x, y) = static_cast<uint32_t>(y << 4 | x);
    }
};

TEST(LiceCompose, DrawsOnlyTheOverlapAtTheShiftedPosition)
{
    NamedSource src;
    // Source rectangle from (-1, -1): its inside part is drawn one pixel right
    // and down of (1, 0); the bottom is limited to the source.
    TestBitmap dest(5, 4, 0xEE);
    const LICE_Rect rect{-1, -1, 2, 9};
    LICE_Compose(dest.get(), src.get(), 1, 0, &rect, 1.0f, kCombineCopy);
    EXPECT_EQ(dest.At(1, 0), 0xEEu);
    EXPECT_EQ(dest.At(2, 1), 0x00u);
    EXPECT_EQ(dest.At(3, 3), 0x21u);
    EXPECT_EQ(dest.At(4, 1), 0xEEu);
    EXPECT_TRUE(dest.PaddingUntouched());

    // Negative destination position: the source's left and top are cut.
    TestBitmap small(3, 2, 0xEE, true);
    LICE_Compose(small.get(), src.get(), -2, -1, nullptr, 1.0f, kCombineCopy);
    EXPECT_EQ(small.At(0, 0), 0x12u);
    EXPECT_EQ(small.At(1, 1), 0x23u);
    EXPECT_EQ(small.At(2, 0), 0xEEu);

    // Wholly outside, empty, beyond the destination, or with coordinates whose
    // sums pass 32 bits: nothing.
    TestBitmap untouched(3, 2, 0xEE);
    for (const LICE_Rect& r : {LICE_Rect{4, 0, 8, 3}, LICE_Rect{2, 1, 2, 3}, LICE_Rect{0, -5, 4, 0}})
        LICE_Compose(untouched.get(), src.get(), 0, 0, &r, 1.0f, kCombineCopy);
    LICE_Compose(untouched.get(), src.get(), 3, 0, nullptr, 1.0f, kCombineCopy);
    LICE_Compose(untouched.get(), src.get(), -4, 0, nullptr, 1.0f, kCombineCopy);
    LICE_Compose(untouched.get(), src.get(), 0, 2, 0, 0, 4, 3, 1.0f, kCombineCopy);
    LICE_Compose(untouched.get(), src.get(), INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 1.0f,
                 kCombineCopy);
    EXPECT_EQ(untouched.Uniform(), 0xEEu);

    // srcX + srcWidth beyond 32 bits is limited to the source.
    LICE_Compose(untouched.get(), src.get(), 0, 0, 2, 1, INT32_MAX, INT32_MAX, 0.75f, kCombineCopy);
    EXPECT_EQ(untouched.At(1, 1), 0x23u + (0xEEu - 0x23u) * 64 / 256);
    EXPECT_EQ(untouched.At(2, 0), 0xEEu);
}

TEST(LiceCompose, NullEmptyAndMalformedBitmapsDrawNothing)
{
    TestBitmap pixels(2, 2, 0x55);
    LICE_MemBitmap empty(0, 0, 4);
    LICE_WrapperBitmap noPixels(nullptr, 2, 2, 2, false);
    uint32_t word = 0x77;
    LICE_WrapperBitmap shortSpan(&word, 2, 1, 1, false);  // span below width
    for (LICE_IBitmap* other : std::initializer_list<LICE_IBitmap*>{nullptr, &empty, &noPixels, &shortSpan})
    {
        LICE_Compose(pixels.get(), other, 0, 0, nullptr, 1.0f, kCombineCopy);
        LICE_Compose(other, pixels.get(), 0, 0, nullptr, 0.3f, kCombineAdd);
    }
    EXPECT_EQ(pixels.Uniform(), 0x55u);
    EXPECT_EQ(word, 0x77u);
}

TEST(LiceCompose, OverlappingCopyWithinOneBitmap)
{
    NamedSource bitmap;
    LICE_Compose(bitmap.get(), bitmap.get(), 1, 0, 0, 0, 3, 3, 1.0f, kCombineCopy);
    EXPECT_EQ(bitmap.At(1, 1), 0x10u);
    EXPECT_EQ(bitmap.At(3, 1), 0x12u);
}

}  // namespace
