#include "graphics/raster/LICE_SoftenGlyphBitmap.h"

#include "support/TestBitmaps.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;

// The w x h pixels from (x0, y0), row by row.
std::vector<uint32_t> Region(TestBitmap& bitmap, int32_t x0, int32_t y0, int32_t w, int32_t h)
{
    std::vector<uint32_t> pixels;
    for (int32_t y = y0; y < y0 + h; ++y)
        for (int32_t x = x0; x < x0 + w; ++x)
            pixels.push_back(bitmap.At(x, y));
    return pixels;
}

TEST(LiceSoftenGlyphBitmap, InteriorPixelSpreadsAnEighthToEachNeighbour)
{
    // Beside it, 1500 pixels wide: rows beyond the stack buffer.
    TestBitmap bitmap(1500, 5, 0);
    bitmap.At(2, 2) = kWhite;
    bitmap.At(1499, 0) = kWhite;
    LICE_SoftenGlyphBitmap(bitmap.get(), 1500, 5);
    EXPECT_EQ(Region(bitmap, 1, 1, 3, 3), (std::vector<uint32_t>{0, 0x1F1F1F1F, 0, 0x1F1F1F1F, 0x7F7F7F7F,
                                                                 0x1F1F1F1F, 0, 0x1F1F1F1F, 0}));
    EXPECT_EQ(Region(bitmap, 1498, 0, 2, 2), (std::vector<uint32_t>{0x1F1F1F1F, 0x7F7F7F7F, 0, 0x1F1F1F1F}));
    EXPECT_TRUE(bitmap.PaddingUntouched());
}

TEST(LiceSoftenGlyphBitmap, EdgesDoubleTheOppositeNeighbourAndTheLastRowReadsSoftenedPixels)
{
    // Each byte alike; the bottom row reads the softened row above (0x7F and
    // 0x3F quartered), not the original (which would give 0, 0x3F, 0).
    for (bool bottomUp : {false, true})
    {
        TestBitmap bitmap(3, 3, 0, bottomUp);
        bitmap.At(1, 1) = 0xFF80FF00;
        LICE_SoftenGlyphBitmap(bitmap.get(), 3, 3);
        EXPECT_EQ(Region(bitmap, 0, 0, 3, 3),
                  (std::vector<uint32_t>{0, 0x3F203F00, 0, 0x3F203F00, 0x7F407F00, 0x3F203F00, 0x0F080F00,
                                         0x1F101F00, 0x0F080F00}));
    }
}

TEST(LiceSoftenGlyphBitmap, AreaLimitedToTheBitmapAndNothingBelowTwo)
{
    TestBitmap bitmap(3, 3, kWhite);
    LICE_SoftenGlyphBitmap(bitmap.get(), 1, 3);
    LICE_SoftenGlyphBitmap(bitmap.get(), 3, 1);
    LICE_SoftenGlyphBitmap(nullptr, 3, 3);
    EXPECT_EQ(bitmap.Uniform(), kWhite);
    LICE_SoftenGlyphBitmap(bitmap.get(), 2, 2);  // c/2 + two quarters each
    EXPECT_EQ(Region(bitmap, 0, 0, 3, 2),
              (std::vector<uint32_t>{0xFDFDFDFD, 0xFDFDFDFD, kWhite, 0xFDFDFDFD, 0xFDFDFDFD, kWhite}));
    LICE_SoftenGlyphBitmap(bitmap.get(), 100, 100);
    EXPECT_TRUE(bitmap.PaddingUntouched());
}

}  // namespace
