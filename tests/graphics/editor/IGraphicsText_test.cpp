// Styled text through the surface, in the built-in block face (a character
// of cell height H is a box H high and H / 2 - 1 wide, advancing H / 2).
// The editor's font cache and the glyph bitmap its fonts share live as long
// as the process, their handles as long as the test desktop: one desktop
// serves every test here.

#include "graphics/editor/IGraphics.h"

#include "graphics/raster/LICE_CachedFont.h"
#include "graphics/raster/LICE_SysBitmap.h"
#include "platform/win32/Desktop.h"
#include "platform/win32/Win32Gdi.h"
#include "graphics/editor/IGraphicsWin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class Text : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { desktop = new Desktop; }
    static void TearDownTestSuite()
    {
        delete desktop;
        desktop = nullptr;
    }
    void SetUp() override { surface.CreateDrawBitmaps(); }

    TextStyle Block(int32_t size, int32_t alignment = 0)
    {
        TextStyle style;
        std::strcpy(style.face, kBlockFaceName);
        style.size = size;
        style.alignment = alignment;
        style.colour = {255, 255, 255, 255};
        return style;
    }
    // Row y of the back buffer from x0 to x1: '#' lit, '.' dark.
    std::string Row(int32_t y, int32_t x0, int32_t x1) const
    {
        const LICE_SysBitmap* b = surface.BackBuffer();
        std::string s;
        for (int32_t x = x0; x < x1; ++x)
            s += (b->PixelData()[y * b->RowPixels() + x] & 0xFFFFFF) ? '#' : '.';
        return s;
    }

    static Desktop* desktop;
    IGraphicsWin surface{nullptr, 120, 60, 30};
};

Desktop* Text::desktop = nullptr;

TEST_F(Text, MeasuringPlacesTheBoxByTheAlignment)
{
    TextStyle left = Block(16, 0);
    IBounds box = {10, 5, 100, 40};
    EXPECT_TRUE(surface.GetTextBox(left, "abc", box));
    EXPECT_EQ(box, (IBounds{10, 5, 34, 21})) << "left stays, right = left + 3 x 8, bottom = top + 16";
    EXPECT_NE(left.font, nullptr) << "the cached font is kept in the style";

    TextStyle right = Block(16, 2);
    box = {10, 5, 100, 40};
    surface.DrawStyledText(right, "abc", box, true);
    EXPECT_EQ(box, (IBounds{76, 5, 100, 21}));

    TextStyle centre = Block(16, 1);
    box = {-11, 0, 0, 0};
    surface.DrawStyledText(centre, "abc", box, true);  // trunc(-5.5) = -5, 24 / 2 = 12
    EXPECT_EQ(box, (IBounds{-17, 0, 7, 16}));

    // Nothing to draw is no failure; no font is.
    EXPECT_TRUE(surface.DrawStyledText(centre, "", box, true));
    EXPECT_EQ(box, (IBounds{-17, 0, 7, 16}));
    TextStyle huge = Block(5000);
    EXPECT_FALSE(surface.GetTextBox(huge, "a", box));
}

TEST_F(Text, DrawingIsPlacedButNotClippedToTheArea)
{
    TextStyle left = Block(12, 0);
    IBounds area = {2, 2, 8, 20};
    EXPECT_TRUE(surface.DrawStyledText(left, "ab", area, false));
    EXPECT_EQ(area, (IBounds{2, 2, 8, 20})) << "drawing leaves the area as it is";
    EXPECT_EQ(Row(5, 0, 16), "..#####.#####...") << "the second character passes the area's right";

    TextStyle middle = Block(12, 0);
    middle.verticalPlacement = 3;
    IBounds band = {50, 0, 70, 30};
    surface.DrawStyledText(middle, "a", band, false);
    EXPECT_EQ(Row(8, 50, 56), "......");
    EXPECT_EQ(Row(9, 50, 56), "#####.");
    EXPECT_EQ(Row(20, 50, 56), "#####.");
    EXPECT_EQ(Row(21, 50, 56), "......");

    // Past the buffer's edge only what lies inside is drawn.
    IBounds edge = {115, 55, 200, 100};
    surface.DrawStyledText(left, "abc", edge, false);
    EXPECT_EQ(Row(59, 112, 120), "...#####");
}

}  // namespace
