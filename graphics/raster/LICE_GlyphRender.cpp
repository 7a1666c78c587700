// Rendering one glyph with GDI into the shared glyph bitmap and keeping its
// coverage.

#include "graphics/raster/LICE_CachedFont.h"

#include "graphics/raster/LICE_FontScratch.h"
#include "graphics/raster/LICE_GlyphShape.h"
#include "graphics/raster/LICE_NtKernel.h"
#include "graphics/raster/LICE_PaintRect.h"
#include "graphics/raster/LICE_PixelForms.h"
#include "graphics/raster/LICE_PixelRows.h"
#include "graphics/raster/LICE_SoftenGlyphBitmap.h"

#include "platform/win32/Win32Gdi.h"

#include <algorithm>
#include <vector>

namespace {

// Fonts taller than this render no glyphs.
constexpr int32_t kMostGlyphLineHeight = 1023;

int32_t ToInt32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, INT32_MAX)); }

}  // namespace

bool LICE_CachedFont::Glyph(int32_t code, LICE_GlyphRecord* glyph)
{
    // Without the NT kernel GDI draws single bytes only.
    if (code >= LICE_GlyphCache::kDirectCodes && !LICE_NtKernel())
        return false;
    LICE_GlyphRecord* record = glyphs.Find(code, !(flags & kFontPrerender));
    if (!record)
        return false;
    if (record->coverage == LICE_GlyphRecord::kNotRendered && hfont)
        RenderGlyph(code, record);
    if (record->coverage <= 0)
        return false;
    *glyph = *record;
    return true;
}

void LICE_CachedFont::RenderGlyph(int32_t code, LICE_GlyphRecord* record)
{
    if (lineHeight > kMostGlyphLineHeight)
        return;
    const LICE_GlyphRecord nothing = {LICE_GlyphRecord::kRendersNothing, 0, 0, 0, code};
    const int32_t size = std::max(1, lineHeight);
    LICE_SysBitmap* bitmap = LICE_GlyphBitmap();
    if (!bitmap || !LICE_GrowGlyphBitmap(size, size))
        return;
    const HDC dc = bitmap->DeviceContext();
    const HGDIOBJ previous = SelectObject(dc, hfont);
    if (!previous)
    {
        *record = nothing;
        return;
    }
    const int32_t margin = size < 16 ? 0 : size / 16;
    const bool nt = LICE_NtKernel();
    const auto wide = static_cast<char16_t>(code);
    const auto narrow = static_cast<char>(code);
    const auto draw = [&](RECT* r, UINT format) {
        return nt ? DrawTextW(dc, &wide, 1, r, format) : DrawTextA(dc, &narrow, 1, r, format);
    };

    RECT measured = {0, 0, 0, 0};
    draw(&measured, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    const int32_t advance = ToInt32(int64_t{measured.right} - measured.left);
    int64_t width = int64_t{advance} + margin + 2;
    int64_t height = int64_t{measured.bottom} - measured.top;
    if (height >= 1)
    {
        // A glyph larger than the bitmap makes it grow rather than be cut.
        LICE_GrowGlyphBitmap(ToInt32(width), ToInt32(height));
        width = std::min<int64_t>(width, bitmap->Width());
        height = std::min<int64_t>(height, bitmap->Height());
    }
    const auto w = static_cast<int32_t>(width);
    const auto h = static_cast<int32_t>(height);
    if (w >= 1 && h >= 1)
    {
        LICE_PaintRect(bitmap, 0, 0, w, h, 0, 1.0f, kCombineCopy);
        RECT at = {0, 0, w, h};
        draw(&at, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
    }
    SelectObject(dc, previous);
    LICE_PixelRows rows;
    if (w < 1 || h < 1 || !LICE_GetPixelRows(bitmap, &rows))
    {
        *record = nothing;
        return;
    }
    if (flags & kFontSoften)
        LICE_SoftenGlyphBitmap(bitmap, w, h);

    // White on black: the red byte is the coverage.
    const int invert = (flags & kFontInvert) ? 255 : 0;
    const auto cover = [&](int32_t x, int32_t y) {
        return static_cast<uint8_t>(invert ^ LICE_PixelByte(rows.Row(y)[x], 2));
    };
    // Columns past the advance count only as far as something is drawn there.
    int32_t used = std::min(advance, w);
    for (int32_t x = w - 1; x >= used; --x)
    {
        bool inked = false;
        for (int32_t y = 0; y < h && !inked; ++y)
            inked = cover(x, y) != 0;
        if (inked)
            used = x + 1;
    }
    const int64_t bytes = int64_t{used} * h;
    int32_t offsetPlusOne = 0;
    uint8_t* stored = used >= 1 ? glyphs.Reserve(bytes, &offsetPlusOne) : nullptr;
    if (!stored)
    {
        *record = nothing;
        return;
    }
    const bool vertical = (flags & kFontVertical) != 0;
    std::vector<uint8_t> upright;
    uint8_t* out = stored;
    if (vertical)
    {
        upright.resize(static_cast<size_t>(bytes));
        out = upright.data();
    }
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < used; ++x)
            out[static_cast<ptrdiff_t>(y) * used + x] = cover(x, y);
    int32_t storedWidth = used;
    int32_t storedHeight = h;
    if (vertical)
    {
        LICE_TurnGlyph(upright.data(), used, h, (flags & kFontVerticalUp) != 0, stored);
        std::swap(storedWidth, storedHeight);
    }
    if (flags & (kFontHardEdges | kFontShadow | kFontOutline))
        LICE_HardenGlyph(stored, storedWidth, storedHeight);
    if (flags & (kFontShadow | kFontOutline))
        LICE_EdgeGlyph(stored, storedWidth, storedHeight, !(flags & kFontShadow));
    *record = {offsetPlusOne, storedWidth, storedHeight, advance, code};
}
