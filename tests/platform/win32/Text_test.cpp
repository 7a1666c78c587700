// Fonts, metrics, measured extents, text drawing, and UTF-8/UTF-16.

#include "platform/win32/Desktop.h"
#include "platform/win32/Win32.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;

HFONT Font(int height, const char* face, int weight = FW_NORMAL, DWORD italic = 0, DWORD quality = DEFAULT_QUALITY)
{
    return CreateFontA(height, 0, 0, 0, weight, italic, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       quality, DEFAULT_PITCH | FF_DONTCARE, face);
}

// A memory DC on a white DIB of its own, with a font selected.
struct Canvas
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr, oldFont = nullptr;
    HFONT font = nullptr;

    Canvas(int width, int height, HFONT f) : font(f)
    {
        BITMAPINFO info{};
        info.bmiHeader = {40, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        std::fill_n(static_cast<uint32_t*>(bits), width * height, kWhite);
        oldBitmap = SelectObject(dc, bitmap);
        oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
    }
    ~Canvas()
    {
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteDC(dc);
        DeleteObject(bitmap);
        DeleteObject(font);
    }
    RECT Measure(const char* text, UINT flags = DT_SINGLELINE | DT_NOPREFIX) const
    {
        RECT r = {10, 20, 10, 20};
        DrawTextA(dc, text, -1, &r, flags | DT_CALCRECT);
        return r;
    }
};

// The columns and rows of pixels that are not white, as a rectangle.
RECT Inked(const DesktopImage& image)
{
    RECT box = {image.width, image.height, 0, 0};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.At(x, y) != kWhite)
            {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

struct TextTest : ::testing::Test
{
    Desktop desktop;
};

TEST_F(TextTest, PositiveHeightIsTheCellAndNegativeTheCharacterHeight)
{
    for (int size : {9, 12, 16, 27, 40})
    {
        Canvas cell(4, 4, Font(size, "Verdana"));
        TEXTMETRICA m{};
        ASSERT_TRUE(GetTextMetricsA(cell.dc, &m));
        EXPECT_EQ(m.tmHeight, size);
        EXPECT_EQ(m.tmAscent + m.tmDescent, m.tmHeight);
        EXPECT_GT(m.tmInternalLeading, 0);

        Canvas em(4, 4, Font(-size, "Verdana"));
        ASSERT_TRUE(GetTextMetricsA(em.dc, &m));
        EXPECT_EQ(m.tmHeight - m.tmInternalLeading, size);
        EXPECT_GT(m.tmHeight, size);
        EXPECT_GT(m.tmAveCharWidth, 0);
    }
}

TEST_F(TextTest, WindowsFaceNamesFindAnInstalledFaceKeepingBoldAndItalic)
{
    Canvas regular(200, 40, Font(-24, "Verdana"));
    Canvas bold(200, 40, Font(-24, "Verdana", FW_BOLD));
    Canvas italic(200, 40, Font(-24, "Verdana", FW_NORMAL, TRUE));
    TEXTMETRICA m{};
    GetTextMetricsA(bold.dc, &m);
    EXPECT_EQ(m.tmWeight, FW_BOLD);
    GetTextMetricsA(italic.dc, &m);
    EXPECT_EQ(m.tmItalic, 1);

    const auto ink = [&](const Canvas& c) {
        RECT r = {0, 0, 200, 40};
        DrawTextA(c.dc, "Illumination", -1, &r, DT_SINGLELINE | DT_NOPREFIX);
        const DesktopImage image = desktop.BitmapImage(c.bitmap);
        long dark = 0;
        for (uint32_t p : image.pixels)
            dark += 255 - (p & 0xFF);
        return dark;
    };
    const long plain = ink(regular);
    EXPECT_GT(plain, 0);
    EXPECT_GT(ink(bold), plain * 5 / 4) << "bold strokes are heavier";
    EXPECT_GT(ink(italic), 0);
    EXPECT_NE(desktop.BitmapImage(italic.bitmap).pixels, desktop.BitmapImage(regular.bitmap).pixels)
        << "italic glyphs slant";
}

TEST_F(TextTest, TheBlockFaceDrawsExactBoxesWhereTheAlignmentPutsThem)
{
    Canvas c(60, 40, Font(16, kBlockFaceName));
    TEXTMETRICA m{};
    GetTextMetricsA(c.dc, &m);
    EXPECT_EQ(m.tmHeight, 16);
    EXPECT_EQ(m.tmAscent, 12);
    EXPECT_EQ(m.tmAveCharWidth, 8);
    RECT r = c.Measure("ab c");
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right, 10 + 32);
    EXPECT_EQ(r.bottom, 20 + 16);

    SetTextColor(c.dc, RGB(255, 0, 0));
    RECT area = {0, 0, 60, 40};
    EXPECT_EQ(DrawTextA(c.dc, "ab", -1, &area, DT_SINGLELINE | DT_CENTER | DT_BOTTOM), 40);
    const DesktopImage image = desktop.BitmapImage(c.bitmap);
    const RECT box = Inked(image);
    EXPECT_EQ(box.left, 22);  // (60 - 16) / 2
    EXPECT_EQ(box.right, 22 + 15);  // the last column of each advance stays empty
    EXPECT_EQ(box.top, 24);
    EXPECT_EQ(box.bottom, 40);
    EXPECT_EQ(image.At(22, 30), 0xFFFF0000u) << "full coverage is the text colour; alpha stays";
    EXPECT_EQ(image.At(29, 30), kWhite);
}

TEST_F(TextTest, RightAndVerticalCentreAndOpaqueBackground)
{
    Canvas c(60, 40, Font(-10, kBlockFaceName));
    SetBkMode(c.dc, OPAQUE);
    SetBkColor(c.dc, RGB(0, 0, 255));
    SetTextColor(c.dc, RGB(0, 0, 0));
    RECT area = {0, 0, 60, 40};
    EXPECT_EQ(DrawTextA(c.dc, "x ", 2, &area, DT_SINGLELINE | DT_RIGHT | DT_VCENTER), 25);
    const DesktopImage image = desktop.BitmapImage(c.bitmap);
    const RECT box = Inked(image);
    EXPECT_EQ(box.left, 50);
    EXPECT_EQ(box.right, 60);
    EXPECT_EQ(box.top, 15);
    EXPECT_EQ(box.bottom, 25);
    EXPECT_EQ(image.At(51, 20), 0xFF000000u);
    EXPECT_EQ(image.At(59, 20), 0xFF0000FFu) << "the line box behind the space is background";
}

TEST_F(TextTest, LinesBreakUnlessSingleLineAndPrefixesAreDropped)
{
    Canvas c(10, 10, Font(10, kBlockFaceName));
    RECT r = c.Measure("abc\r\nd\ref\n", DT_NOPREFIX);
    EXPECT_EQ(r.right - r.left, 15);
    EXPECT_EQ(r.bottom - r.top, 40) << "four lines, the last one empty";
    r = c.Measure("abc\r\nd");
    EXPECT_EQ(r.right - r.left, 30) << "single line: breaks are characters";
    EXPECT_EQ(r.bottom - r.top, 10);
    EXPECT_EQ(c.Measure("&&a&b", DT_SINGLELINE).right - 10, 15) << "\"&a b\" without the lone prefix";
    EXPECT_EQ(c.Measure("").bottom - 20, 10) << "an empty text is one empty line";
}

TEST_F(TextTest, DrawingClipsToTheRectangleUnlessTold)
{
    Canvas c(60, 20, Font(20, kBlockFaceName));
    RECT area = {5, 0, 25, 20};
    DrawTextA(c.dc, "abcdef", -1, &area, DT_SINGLELINE);
    EXPECT_EQ(Inked(desktop.BitmapImage(c.bitmap)).right, 24) << "the second box ends one column short";
    DrawTextA(c.dc, "abcdef", -1, &area, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(Inked(desktop.BitmapImage(c.bitmap)).right, 60) << "on to the bitmap's edge";
    RECT outside = {-1000, -1000, -900, -900};
    EXPECT_EQ(DrawTextA(c.dc, "abc", -1, &outside, DT_NOCLIP), 20);
}

TEST_F(TextTest, LongTextsMeasureWithoutOverflowAndDrawOnlyWhatShows)
{
    Canvas c(100, 100, Font(2000, kBlockFaceName));
    const std::string text(3000000, 'x');
    RECT r = {0, 0, 0, 0};
    EXPECT_EQ(DrawTextA(c.dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT), 2000);
    EXPECT_EQ(r.right, 2147483647) << "3e9 pixels saturate";
    RECT area = {0, 0, 100, 100};
    EXPECT_EQ(DrawTextA(c.dc, text.c_str(), static_cast<int>(text.size()), &area, DT_SINGLELINE | DT_RIGHT), 2000);
    EXPECT_EQ(CreateFontA(3000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Verdana"), nullptr) << "beyond the height limit";
}

TEST_F(TextTest, AntialiasedTextBlendsAndHardEdgedTextDoesNot)
{
    const auto shades = [&](DWORD quality) {
        Canvas c(120, 30, Font(-20, "Verdana", FW_NORMAL, 0, quality));
        RECT area = {0, 0, 120, 30};
        DrawTextW(c.dc, u"Sowing", -1, &area, DT_SINGLELINE | DT_NOPREFIX);
        std::set<uint32_t> seen;
        for (uint32_t p : desktop.BitmapImage(c.bitmap).pixels)
            seen.insert(p);
        return seen.size();
    };
    EXPECT_GT(shades(DEFAULT_QUALITY), 10u);
    EXPECT_EQ(shades(NONANTIALIASED_QUALITY), 2u);
}

TEST_F(TextTest, FontsThatCannotBeMadeFailAndTheCountsReturnToZero)
{
    EXPECT_EQ(CreateFontA(12, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Verdana"), nullptr);
    EXPECT_EQ(CreateFontA(12, 0, 900, 900, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Verdana"), nullptr);
    EXPECT_EQ(CreateFontA(12, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, "Verdana"), nullptr);
    const HFONT unknown = Font(12, "No Such Face Anywhere");
    ASSERT_NE(unknown, nullptr) << "an unknown name finds the nearest installed face";
    EXPECT_TRUE(DeleteObject(unknown));
    EXPECT_EQ(desktop.Counts(), LiveCounts{});
}

TEST_F(TextTest, Utf8AndUtf16ConvertBothWaysWithStrictAndLenientInvalidInput)
{
    const char* text = "a\xC3\xA9\xF0\x9F\x8E\xB5";  // a, e acute, a note beyond the BMP
    char16_t wide[8] = {};
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0), 5);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, wide, 8), 5);
    EXPECT_EQ(wide[1], 0xE9);
    EXPECT_EQ(wide[2], 0xD83C);
    EXPECT_EQ(wide[4], 0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, 4), 0) << "too small";
    char back[16] = {};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, -1, back, 16, nullptr, nullptr), 8);
    EXPECT_STREQ(back, text);

    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "\xE2\x82"})
    {
        EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bad, -1, wide, 8), 0) << bad;
        EXPECT_GT(MultiByteToWideChar(CP_UTF8, 0, bad, -1, wide, 8), 1);
        EXPECT_EQ(wide[0], 0xFFFD);
    }
    const char16_t lone[] = {u'x', 0xD800, 0};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, -1, back, 16, nullptr, nullptr), 0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, lone, -1, back, 16, nullptr, nullptr), 5);
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "a", -1, wide, 8), 0) << "other code pages are unknown";
    BOOL used = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, lone, -1, back, 16, "?", &used), 0);
}

}  // namespace
