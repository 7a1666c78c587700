// The glyph path on the block face: measuring, placing, and the combine
// formulas and glyph flags on chosen pixels.

#include "graphics/raster/LICE_CachedFont.h"

#include "support/TestBitmaps.h"
#include "support/TestFonts.h"

#include "platform/win32/Desktop.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr uint32_t kInk = 0xFF402010;
constexpr uint32_t kGrey = 0x80808080;

struct LiceCachedFontTest : ::testing::Test
{
    Desktop desktop;

    // Draws text at the origin of a 24 x 16 bitmap of the fill, with the
    // font's combine mode and weight; answers the bitmap.
    static std::unique_ptr<TestBitmap> Draw(LICE_CachedFont& font, const char* text, uint32_t fill,
                                            uint32_t format = 0)
    {
        auto bitmap = std::make_unique<TestBitmap>(24, 16, fill);
        RECT rect = {0, 0, 24, 16};
        font.RenderText(bitmap->get(), text, -1, &rect, format);
        EXPECT_TRUE(bitmap->PaddingUntouched());
        return bitmap;
    }

    // Pixel (x, 5) after "A" is drawn in ink over the fill at the mode and alpha.
    static uint32_t Stamped(CombineMode mode, float alpha, uint32_t fill, uint32_t ink = kInk, FontFlags flags = 0,
                            int32_t x = 0)
    {
        auto font = MakeFont(16, flags);
        font->SetInkColor(ink);
        font->SetBlend(mode, alpha);
        return Draw(*font, "A", fill)->At(x, 5);
    }
};

TEST_F(LiceCachedFontTest, OneAndTwoLinesMeasureTheWiderLineAndEveryLine)
{
    auto font = MakeFont(16);
    EXPECT_EQ(font->RowHeight(), 16);
    EXPECT_EQ(Measure(*font, "AB"), (RECT{0, 0, 16, 16}));
    EXPECT_EQ(Measure(*font, "AB\nCDE"), (RECT{0, 0, 24, 32}));
    EXPECT_EQ(Measure(*font, "A\r\nB"), (RECT{0, 0, 8, 32})) << "'\\r' is skipped";
    EXPECT_EQ(Measure(*font, "AB\nCDE", kTextSingleLine), (RECT{0, 0, 48, 16})) << "the line feed is a glyph";
    EXPECT_EQ(Measure(*font, ""), (RECT{0, 0, 0, 0}));

    RECT rect = {5, 7, 0, 0};
    EXPECT_EQ(font->RenderText(nullptr, "ABC\nD", -1, &rect, kTextMeasure), 32) << "answers the height";
    EXPECT_EQ(rect, (RECT{5, 7, 29, 39}));
    rect = {0, 0, 0, 0};
    font->RenderText(nullptr, "ABCDEF", 2, &rect, kTextMeasure);
    EXPECT_EQ(rect.right, 16) << "only the given length";
}

TEST_F(LiceCachedFontTest, AlignmentPlacesTheTextInItsRectangle)
{
    auto font = MakeFont(16);
    font->SetInkColor(kInk);
    struct Case
    {
        uint32_t format;
        int32_t x;
        int32_t y;
    } cases[] = {{0, 10, 20}, {kTextCenter, 52, 20}, {kTextRight, 94, 20}, {kTextVCenter, 10, 32},
                 {kTextBottom, 10, 44}, {kTextCenter | kTextBottom, 52, 44}};
    for (const Case& c : cases)
    {
        TestBitmap bitmap(120, 70, 0);
        RECT rect = {10, 20, 110, 60};  // 100 x 40 around "AB", 16 x 16
        font->RenderText(bitmap.get(), "AB", -1, &rect, c.format);
        EXPECT_EQ(InkBox(bitmap.get(), 0), (RECT{c.x, c.y, c.x + 15, c.y + 16})) << "format " << c.format;
    }
}

TEST_F(LiceCachedFontTest, ClippedToTheRectangleUnlessToldNot)
{
    auto font = MakeFont(16);
    font->SetInkColor(kInk);
    for (uint32_t format : {0u, kTextNoClip})
    {
        TestBitmap bitmap(40, 20, 0);
        RECT rect = {-4, 2, 10, 12};
        font->RenderText(bitmap.get(), "ABCD", -1, &rect, format);
        const RECT expected = format ? RECT{0, 2, 27, 18} : RECT{0, 2, 10, 12};
        EXPECT_EQ(InkBox(bitmap.get(), 0), expected) << "format " << format;
        EXPECT_TRUE(bitmap.PaddingUntouched());
    }
}

TEST_F(LiceCachedFontTest, EveryModeStampsItsFormula)
{
    // Ink (R 0x40, G 0x20, B 0x10) over grey 0x80 at full coverage.
    EXPECT_EQ(Stamped(kCombineCopy, 1.0f, kGrey), kInk);
    EXPECT_EQ(Stamped(kCombineCopy | kCombineSourceAlpha, 1.0f, kGrey), kInk) << "no source alpha for text";
    // Weight 127 = 255 x 128 / 256: each channel keeps 129 / 256 of its
    // distance to the ink; alpha moves toward 255 alike.
    EXPECT_EQ(Stamped(kCombineCopy, 0.5f, kGrey), 0xC0605048u);
    EXPECT_EQ(Stamped(kCombineAdd, 1.0f, kGrey), 0xFFC0A090u);
    EXPECT_EQ(Stamped(kCombineMultiply, 1.0f, kGrey), 0xFF201008u);
    EXPECT_EQ(Stamped(kCombineDodge, 1.0f, kGrey), 0xFFAA9288u);
    EXPECT_EQ(Stamped(kCombineOverlay, 1.0f, kGrey), 0xFF605048u);
    // Neutral HSV adjustment: only the alpha changes.
    EXPECT_EQ(Stamped(kCombineHsvAdjust, 1.0f, 0x00FF0000, 0xFF808080), 0xFFFF0000u);
    for (CombineMode nothing : {6, kCombineChannelCopy, 0xFF})
        EXPECT_EQ(Stamped(nothing, 1.0f, kGrey), kGrey) << "mode " << nothing;
    EXPECT_EQ(Stamped(kCombineCopy, 1.0f, kGrey, kInk, 0, 7), kGrey) << "the gap between boxes";
}

TEST_F(LiceCachedFontTest, AlphaIsLimitedAndNaNDrawsNothing)
{
    EXPECT_EQ(Stamped(kCombineCopy, 2.0f, kGrey), kInk);
    EXPECT_EQ(Stamped(kCombineCopy, -0.5f, kGrey), kGrey);
    EXPECT_EQ(Stamped(kCombineCopy, std::numeric_limits<float>::quiet_NaN(), kGrey), kGrey);
    EXPECT_EQ(Stamped(kCombineCopy, std::numeric_limits<float>::infinity(), kGrey), kInk);

    // The text colour's alpha weighs in only when asked: 0x80 / 255 of 1.0
    // is weight 128, as alpha 0.5.
    auto font = MakeFont(16);
    font->SetInkColor(0x80402010);
    EXPECT_EQ(Draw(*font, "A", kGrey)->At(0, 5), kInk);
    EXPECT_EQ(Draw(*font, "A", kGrey, kTextColourAlpha)->At(0, 5), 0xC0605048u);
    font->SetInkColor(0x00402010);
    EXPECT_EQ(Draw(*font, "A", kGrey, kTextColourAlpha)->At(0, 5), kGrey);
}

TEST_F(LiceCachedFontTest, SoftenedCoverageWeighsTheInk)
{
    // Softened, column 6 (the box's last) keeps coverage 220 and column 7
    // (the gap) gets 31. At full weight a pixel takes coverage + 1; below
    // it coverage x ia / 256.
    constexpr uint32_t kBlack = 0xFF000000;
    constexpr uint32_t kWhite = 0xFFFFFFFF;
    EXPECT_EQ(Stamped(kCombineCopy, 1.0f, kBlack, kWhite, kFontSoften, 6), 0xFFDDDDDDu);
    EXPECT_EQ(Stamped(kCombineCopy, 1.0f, kBlack, kWhite, kFontSoften, 7), 0xFF202020u);
    EXPECT_EQ(Stamped(kCombineCopy, 0.5f, kBlack, kWhite, kFontSoften, 6), 0xFF6E6E6Eu);
    EXPECT_EQ(Stamped(kCombineCopy, 0.5f, kBlack, kWhite, kFontSoften, 7), 0xFF0F0F0Fu);
    // Hard edges: 220 becomes full coverage, 31 none.
    EXPECT_EQ(Stamped(kCombineCopy, 1.0f, kBlack, kWhite, kFontSoften | kFontHardEdges, 6), kWhite);
    EXPECT_EQ(Stamped(kCombineCopy, 1.0f, kBlack, kWhite, kFontSoften | kFontHardEdges, 7), kBlack);
    EXPECT_EQ(Stamped(kCombineCopy, 0.5f, kBlack, kWhite, kFontSoften | kFontHardEdges, 6), 0xFF808080u)
        << "weight 128 itself, where smooth coverage 255 gives 127";
}

TEST_F(LiceCachedFontTest, InvertShadowAndOutlineShapeTheCoverage)
{
    constexpr uint32_t kAccent = 0xFF00FF00;
    struct Case
    {
        FontFlags flags;
        const char* row;  // '#' ink, '+' accent, '.' untouched
    } cases[] = {
        {0, "#######................."},
        {kFontInvert, ".......####............."},  // the glyph cell beyond the box
        {kFontShadow, "#######+................"},
        {kFontOutline, "#######+................"},
        {kFontInvert | kFontOutline, "......+####............."},
        {kFontInvert | kFontShadow, ".......####............."},  // no ink left or above any gap pixel
    };
    for (const Case& c : cases)
    {
        auto font = MakeFont(16, c.flags);
        font->SetInkColor(kInk);
        font->SetAccentColor(kAccent);
        auto bitmap = Draw(*font, "A", 0);
        std::string row = Mask(bitmap->get(), 5, kInk);
        const std::string accent = Mask(bitmap->get(), 5, kAccent);
        for (size_t i = 0; i < row.size(); ++i)
            if (accent[i] == '#')
                row[i] = '+';
        EXPECT_EQ(row, c.row) << "flags " << c.flags;
    }
}

TEST_F(LiceCachedFontTest, VerticalTextTurnsEachGlyphAndRunsDownOrUp)
{
    // Each glyph turns into 16 x 8 (its empty column becomes an empty row):
    // below the box turning clockwise, above it the other way, where the
    // text starts at the bottom.
    struct Case
    {
        FontFlags flags;
        const char* column;  // rows 0-15 at x = 3
    } cases[] = {{kFontVertical, "#######.#######."}, {kFontVertical | kFontVerticalUp, ".#######.#######"}};
    for (const Case& c : cases)
    {
        auto font = MakeFont(16, c.flags);
        font->SetInkColor(kInk);
        EXPECT_EQ(Measure(*font, "AB"), (RECT{0, 0, 16, 16}));
        TestBitmap bitmap(16, 16, 0);
        RECT rect = {0, 0, 16, 16};
        font->RenderText(bitmap.get(), "AB", -1, &rect, 0);
        std::string column;
        for (int32_t y = 0; y < 16; ++y)
            column += bitmap.At(3, y) == kInk ? '#' : '.';
        EXPECT_EQ(column, c.column) << "flags " << c.flags;
    }
}

TEST_F(LiceCachedFontTest, AnOpaqueBackgroundFillsEachGlyphBox)
{
    auto font = MakeFont(16);
    font->SetInkColor(kInk);
    EXPECT_EQ(font->SetPaperMode(OPAQUE), TRANSPARENT);
    EXPECT_EQ(font->SetPaperColor(0xFF0000FF), 0xFFFFFFFFu);
    auto bitmap = Draw(*font, "A ", kGrey);
    EXPECT_EQ(bitmap->At(0, 5), kInk);
    EXPECT_EQ(bitmap->At(7, 5), 0xFF0000FFu) << "the gap in the glyph's box";
    EXPECT_EQ(bitmap->At(12, 15), 0xFF0000FFu) << "the space's box";
    EXPECT_EQ(bitmap->At(16, 5), kGrey);
}

TEST_F(LiceCachedFontTest, PrerenderedFontsNeverAddCodesAbove127)
{
    auto plain = MakeFont(16);
    auto prerendered = MakeFont(16, kFontPrerender);
    EXPECT_EQ(Measure(*plain, "A\xC3\xA9").right, 16);
    EXPECT_EQ(Measure(*prerendered, "A\xC3\xA9").right, 8) << "U+00E9 has no glyph";
    EXPECT_EQ(Measure(*plain, "\xF0\x9F\x8E\xB5" "A").right, 16) << "a 4-byte character stands as a space";
}

}  // namespace
