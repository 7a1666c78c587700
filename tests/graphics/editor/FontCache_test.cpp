// The cache is the process's: its fonts stay until exit, so every test asks
// for sizes of its own.

#include "graphics/editor/FontCache.h"

#include "graphics/raster/LICE_CachedFont.h"
#include "graphics/raster/LICE_SysBitmap.h"

#include "platform/win32/Win32Gdi.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TextStyle Style(const char* face, int32_t size, int32_t style = 0, int32_t quality = 0)
{
    TextStyle s;
    std::strncpy(s.face, face, sizeof s.face);
    s.size = size;
    s.style = style;
    s.quality = quality;
    return s;
}

TEST(FontCache, TheFirstFontAnswersWhateverTheQuality)
{
    TextStyle first = Style(kBlockFaceName, 20, 0, 1);
    LICE_CachedFont* font = CacheFont(first);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(first.font, font);
    EXPECT_EQ(font->RowHeight(), 20);
    for (int32_t quality : {0, 2, 3, 9})
    {
        TextStyle again = Style(kBlockFaceName, 20, 0, quality);
        EXPECT_EQ(CacheFont(again), font) << "quality " << quality;
        EXPECT_EQ(again.font, font);
    }
}

TEST(FontCache, FaceSizeStyleAndOrientationEachMakeAFontOfTheirOwn)
{
    TextStyle base = Style(kBlockFaceName, 21);
    LICE_CachedFont* font = CacheFont(base);
    TextStyle bigger = Style(kBlockFaceName, 22);
    TextStyle bold = Style(kBlockFaceName, 21, 1);
    TextStyle other = Style("Verdana", 21);
    TextStyle lower = Style("sonvarek blocks", 21);  // faces compare exactly
    for (TextStyle* s : {&bigger, &bold, &other, &lower})
    {
        LICE_CachedFont* made = CacheFont(*s);
        ASSERT_NE(made, nullptr);
        EXPECT_NE(made, font) << s->face << " " << s->size << " " << s->style;
    }
    EXPECT_EQ(CacheFont(bold), bold.font);
}

TEST(FontCache, AFontThatCannotBeMadeAnswersNull)
{
    // Rotated text is beyond the windowing layer: CreateFontA fails.
    TextStyle turned = Style(kBlockFaceName, 23);
    turned.orientation = 90;
    EXPECT_EQ(CacheFont(turned), nullptr);
    EXPECT_EQ(turned.font, nullptr);
    turned.orientation = 0;
    EXPECT_NE(CacheFont(turned), nullptr) << "nothing was cached for the failure";
}

TEST(FontCache, AFaceFillingItsWholeFieldIsCachedOnce)
{
    TextStyle full = Style("", 24);
    std::memset(full.face, 'x', sizeof full.face);  // no NUL within the field
    LICE_CachedFont* font = CacheFont(full);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(CacheFont(full), font);
}

TEST(FontCache, CachedFontsMayDrawNatively)
{
    TextStyle style = Style(kBlockFaceName, 16);
    LICE_CachedFont* font = CacheFont(style);
    ASSERT_NE(font, nullptr);
    font->SetInkColor(0xFFFFFFFF);
    LICE_SysBitmap bitmap(8, 16);
    RECT rect = {0, 0, 8, 16};
    font->RenderText(&bitmap, "A", -1, &rect, 0);
    EXPECT_EQ(bitmap.PixelData()[0], 0x00FFFFFFu) << "GDI's text leaves the alpha byte alone";
}

}  // namespace
