// Native and glyph paths side by side, real faces, and a font's life: the
// GDI objects it makes and frees, and the input it must survive.

#include "graphics/raster/LICE_CachedFont.h"

#include "graphics/raster/LICE_MemBitmap.h"
#include "graphics/raster/LICE_PaintRect.h"
#include "graphics/raster/LICE_SysBitmap.h"
#include "support/TestBitmaps.h"
#include "support/TestFonts.h"

#include "platform/win32/Desktop.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>

namespace {

constexpr uint32_t kInk = 0xFFFFE080;
constexpr uint32_t kBackground = 0xFF203050;
constexpr FontFlags kNative = kFontNativeAllowed;

struct LiceTextPathsTest : ::testing::Test
{
    Desktop desktop;

    // Draws text on the background and answers the ink's bounding box.
    static RECT DrawnBox(LICE_IBitmap* bitmap, LICE_CachedFont& font, const char* text, RECT rect, uint32_t format)
    {
        LICE_PaintRect(bitmap, 0, 0, bitmap->Width(), bitmap->Height(), kBackground, 1.0f, kCombineCopy);
        font.SetInkColor(kInk);
        font.RenderText(bitmap, text, -1, &rect, format);
        return InkBox(bitmap, kBackground);
    }
};

TEST_F(LiceTextPathsTest, NativeAndGlyphPathsPutBlockTextInTheSamePlace)
{
    auto font = MakeFont(16, kNative);
    const RECT rect = {3, 2, 60, 40};
    struct Case
    {
        const char* text;
        uint32_t format;
    } cases[] = {{"AB", kTextCenter | kTextVCenter | kTextSingleLine},
                 {"AB", kTextRight | kTextBottom | kTextSingleLine},
                 {"AB\nC", 0}};
    for (const Case& c : cases)
    {
        LICE_SysBitmap withContext(64, 48);
        LICE_MemBitmap withoutContext(64, 48);
        TestBitmap glyphs(64, 48, 0);
        DrawnBox(&withContext, *font, c.text, rect, c.format);
        DrawnBox(&withoutContext, *font, c.text, rect, c.format);
        DrawnBox(glyphs.get(), *font, c.text, rect, c.format | kTextNeverNative);
        for (int32_t y = 0; y < 48; ++y)
        {
            const std::string expected = Mask(glyphs.get(), y, kInk);
            EXPECT_EQ(Mask(&withContext, y, kInk), expected) << c.text << " row " << y;
            EXPECT_EQ(Mask(&withoutContext, y, kInk), expected) << c.text << " row " << y;
        }
    }
}

TEST_F(LiceTextPathsTest, ARealFaceMeasuresAndDrawsAlikeBothWays)
{
    // DejaVu stands in for the face; only geometry is compared.
    for (int size : {12, 24})
    {
        auto font = MakeFont(size, kNative, "Verdana");
        const char* readout = "-23.4 LUFS";
        const RECT native = Measure(*font, readout, kTextSingleLine);
        const RECT glyphs = Measure(*font, readout, kTextSingleLine | kTextNeverNative);
        EXPECT_EQ(native.bottom, font->RowHeight());
        EXPECT_EQ(glyphs.bottom, font->RowHeight());
        EXPECT_NEAR(glyphs.right, native.right, 2) << "the last glyph may reach past its advance";
        EXPECT_GT(native.right, size * 3);
        EXPECT_EQ(Measure(*font, "-23.4\nLUFS", kTextNeverNative).bottom, 2 * font->RowHeight());

        LICE_SysBitmap a(300, 60);
        LICE_SysBitmap b(300, 60);
        const RECT rect = {10, 5, 290, 55};
        const uint32_t format = kTextCenter | kTextVCenter | kTextSingleLine;
        EXPECT_EQ(DrawnBox(&a, *font, readout, rect, format), DrawnBox(&b, *font, readout, rect, format | kTextNeverNative))
            << "size " << size;
    }
}

TEST_F(LiceTextPathsTest, AGlyphWiderThanTheGlyphBitmapIsNotCut)
{
    // U+2031 at 200 pixels is about 300 wide: more than the 256 the glyph
    // bitmap starts with.
    auto font = MakeFont(200, kNative, "Verdana");
    const char* wide = "\xE2\x80\xB1";
    LICE_MemBitmap native(400, 220);
    LICE_MemBitmap glyphs(400, 220);
    const RECT rect = {10, 10, 400, 220};
    const RECT box = DrawnBox(&native, *font, wide, rect, 0);
    EXPECT_GT(box.right, 10 + 256);
    EXPECT_EQ(DrawnBox(&glyphs, *font, wide, rect, kTextNeverNative), box);
}

TEST_F(LiceTextPathsTest, FontsOf256PixelsAndMoreAlwaysDrawNatively)
{
    // GDI leaves the alpha byte alone; stamped glyphs make it opaque.
    for (int height : {255, 256, 300})
    {
        auto font = MakeFont(height);  // native drawing not allowed
        font->SetInkColor(kInk);
        LICE_SysBitmap bitmap(8, 8);
        RECT rect = {0, 0, 8, 8};
        font->RenderText(&bitmap, "A", -1, &rect, 0);
        const uint32_t alpha = bitmap.PixelData()[0] >> 24;
        EXPECT_EQ(alpha, height < 256 ? 0xFFu : 0u) << "height " << height;
        EXPECT_EQ(bitmap.PixelData()[0] & 0xFFFFFF, kInk & 0xFFFFFF);
    }
}

TEST_F(LiceTextPathsTest, TheNativePathIsTakenOnlyWhenEverythingAllowsIt)
{
    struct Case
    {
        FontFlags flags;
        uint32_t format;
        bool native;
    } cases[] = {{kNative, 0, true},
                 {0, 0, false},
                 {kNative, kTextNeverNative, false},
                 {kNative, kTextColourAlpha, false},
                 {kNative | kFontPrerender, 0, false},
                 {kNative | kFontSoften, 0, false},
                 {kNative | kFontHardEdges, 0, false}};
    for (const Case& c : cases)
    {
        auto font = MakeFont(16, c.flags);
        font->SetInkColor(kInk);
        LICE_SysBitmap bitmap(8, 16);
        RECT rect = {0, 0, 8, 16};
        font->RenderText(&bitmap, "A", -1, &rect, c.format);
        EXPECT_EQ(bitmap.PixelData()[0] >> 24 == 0, c.native) << "flags " << c.flags << " format " << c.format;
    }
}

TEST_F(LiceTextPathsTest, NativeTextWithoutAContextComposesBackAtTheFontsAlpha)
{
    auto font = MakeFont(16, kNative);
    font->SetInkColor(0xFFFFFFFF);
    for (float alpha : {1.0f, 0.5f, std::numeric_limits<float>::quiet_NaN()})
    {
        font->SetBlend(kCombineCopy, alpha);
        LICE_MemBitmap bitmap(8, 16);
        LICE_PaintRect(&bitmap, 0, 0, 8, 16, 0x40000000, 1.0f, kCombineCopy);
        RECT rect = {0, 0, 8, 16};
        font->RenderText(&bitmap, "A", -1, &rect, 0);
        const uint32_t expected = alpha == 1.0f ? 0x40FFFFFF : alpha == 0.5f ? 0x407F7F7F : 0x40000000;
        EXPECT_EQ(bitmap.PixelData()[0], expected) << "alpha " << alpha;
        EXPECT_EQ(bitmap.PixelData()[7], 0x40000000u) << "the gap";
    }
}

TEST_F(LiceTextPathsTest, WideTextIsConvertedForGdi)
{
    // The block face draws U+00E9 as one box; read as two bytes it would be two.
    auto font = MakeFont(16, kNative);
    EXPECT_EQ(Measure(*font, "\xC3\xA9").right, 8);
    std::string long1500;
    for (int i = 0; i < 1500; ++i)
        long1500 += "\xC3\xA9";
    EXPECT_EQ(Measure(*font, long1500.c_str()).right, 1500 * 8) << "beyond the stack buffer";
    EXPECT_EQ(Measure(*font, "\xC3\xA9\xFF").right, 16) << "invalid UTF-8: the bytes as they are, U+FFFD for the bad one";
}

TEST_F(LiceTextPathsTest, TextOfAnyLengthMeasuresWithoutOverflow)
{
    // 17 million advances of 127 pass 2^31.
    auto font = MakeFont(254);
    const std::string text(17'000'000, 'A');
    RECT rect = {1000, 0, 0, 0};
    font->RenderText(nullptr, text.c_str(), -1, &rect, kTextMeasure);
    EXPECT_EQ(rect.right, INT32_MAX);
    EXPECT_EQ(rect.bottom, 254);

    TestBitmap bitmap(300, 260, 0);
    font->SetInkColor(kInk);
    rect = {0, 0, 300, 260};
    EXPECT_EQ(font->RenderText(bitmap.get(), text.c_str(), -1, &rect, kTextRight), 254);
    EXPECT_EQ(InkBox(bitmap.get(), 0), (RECT{0, 0, 299, 254})) << "the tail of the line, its gap last";
    EXPECT_TRUE(bitmap.PaddingUntouched());
}

TEST_F(LiceTextPathsTest, LineHeightsAbove1023RenderNoGlyphs)
{
    auto font = MakeFont(1100, kFontPrerender);
    EXPECT_EQ(font->RowHeight(), 1100);
    EXPECT_EQ(Measure(*font, "AB"), (RECT{0, 0, 1100, 1100})) << "measured by GDI";
}

TEST_F(LiceTextPathsTest, NothingIsDrawnWithoutPixelsTextOrRectangle)
{
    auto native = MakeFont(16, kNative);
    auto glyphs = MakeFont(16);
    for (LICE_CachedFont* font : {native.get(), glyphs.get()})
    {
        LICE_SysBitmap empty(0, 0);
        TestBitmap bitmap(8, 8, 0);
        RECT rect = {0, 0, 8, 8};
        EXPECT_EQ(font->RenderText(&empty, "A", -1, &rect, 0), 0);
        EXPECT_EQ(font->RenderText(nullptr, "A", -1, &rect, 0), 0);
        EXPECT_EQ(font->RenderText(bitmap.get(), nullptr, -1, &rect, 0), 0);
        EXPECT_EQ(font->RenderText(bitmap.get(), "A", -1, nullptr, 0), 0);
        EXPECT_EQ(font->RenderText(bitmap.get(), "A", -2, &rect, 0), 0);
        EXPECT_EQ(InkBox(bitmap.get(), 0), (RECT{0, 0, 0, 0}));
        EXPECT_EQ(rect, (RECT{0, 0, 8, 8}));
    }

    // Without an HFONT there are no lines at all.
    LICE_CachedFont none;
    none.AdoptGdiFont(nullptr, kNative);
    EXPECT_EQ(none.RowHeight(), 0);
    EXPECT_EQ(Measure(none, "AB"), (RECT{0, 0, 0, 0}));
}

TEST_F(LiceTextPathsTest, NoGdiObjectOutlivesTheFonts)
{
    const LiveCounts empty = desktop.Counts();
    {
        auto first = MakeFont(16, kNative);
        auto second = std::make_unique<LICE_CachedFont>();
        const HFONT borrowed = BlockHandle(12);
        second->AdoptGdiFont(borrowed, 0);
        LICE_MemBitmap bitmap(64, 32);
        RECT rect = {0, 0, 64, 32};
        first->RenderText(&bitmap, "native", -1, &rect, 0);
        second->RenderText(&bitmap, "glyphs", -1, &rect, 0);
        EXPECT_EQ(desktop.Counts().bitmaps, 2) << "the glyph and native-text bitmaps";

        // Adopting another font deletes an owned one, never a borrowed one.
        first->AdoptGdiFont(BlockHandle(20), kFontOwnsHandle);
        second->AdoptGdiFont(nullptr, 0);
        EXPECT_EQ(desktop.Counts().fonts, 2);
        second.reset();
        EXPECT_EQ(desktop.Counts().bitmaps, 2) << "kept while a font lives";
        EXPECT_TRUE(DeleteObject(borrowed));
    }
    EXPECT_EQ(desktop.Counts(), empty);
}

}  // namespace
