#include "graphics/raster/LICE_Hsv.h"

#include "graphics/raster/LICE_PixelForms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

uint32_t RoundTrip(int r, int g, int b)
{
    const LICE_HsvColour hsv = LICE_PixelToHsv(b, g, r);
    return LICE_HsvToPixel(hsv.hue, hsv.saturation, hsv.value, 255);
}

TEST(LiceHsv, PrimaryColoursAndGreys)
{
    const LICE_HsvColour red = LICE_PixelToHsv(0, 0, 255);
    EXPECT_EQ(red.hue, 0);
    EXPECT_EQ(red.saturation, 255);
    EXPECT_EQ(red.value, 255);
    EXPECT_EQ(LICE_HsvToPixel(0, 255, 255, 255), 0xFFFF0000u);
    EXPECT_EQ(LICE_PixelToHsv(0, 255, 0).hue, 128);
    EXPECT_EQ(LICE_PixelToHsv(255, 0, 0).hue, 256);
    EXPECT_EQ(RoundTrip(0, 255, 0), 0xFF00FF00u);
    EXPECT_EQ(RoundTrip(0, 0, 255), 0xFF0000FFu);
    for (int level : {0, 1, 128, 255})
    {
        EXPECT_EQ(LICE_PixelToHsv(level, level, level).saturation, 0);
        EXPECT_EQ(RoundTrip(level, level, level), 0xFF000000u | 0x010101u * static_cast<uint32_t>(level));
    }
    // Arguments outside their ranges are limited to them.
    EXPECT_EQ(LICE_HsvToPixel(500, 300, -4, 256), 0xFF000000u);
}

TEST(LiceHsv, RoundTripStaysWithinTheQuantisation)
{
    // 64 hue steps per sixth of the circle and 8-bit saturation: a channel
    // comes back at most 5 off, every hue in 0-383.
    for (int r = 0; r < 256; r += 3)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 7)
            {
                const LICE_HsvColour hsv = LICE_PixelToHsv(b, g, r);
                ASSERT_TRUE(hsv.hue >= 0 && hsv.hue < 384) << hsv.hue;
                const uint32_t p = RoundTrip(r, g, b);
                const int error = std::max({std::abs(LICE_PixelByte(p, 2) - r), std::abs(LICE_PixelByte(p, 1) - g),
                                            std::abs(LICE_PixelByte(p, 0) - b)});
                ASSERT_LE(error, 5) << r << " " << g << " " << b;
            }
}

}  // namespace
