#include "graphics/raster/LICE_CachedFont.h"

#include "graphics/raster/LICE_FontScratch.h"
#include "graphics/raster/LICE_PixelRows.h"
#include "graphics/raster/RunningUnderWine.h"

#include "platform/win32/Win32Gdi.h"

#include <cmath>
#include <cstring>
#include <utility>

LICE_CachedFont::LICE_CachedFont() { LICE_FontBorn(); }

LICE_CachedFont::~LICE_CachedFont()
{
    if ((flags & kFontOwnsHandle) && hfont)
        DeleteObject(hfont);
    glyphs.Clear();
    LICE_FontGone();
}

void LICE_CachedFont::AdoptGdiFont(HFONT font, FontFlags newFlags)
{
    if ((flags & kFontOwnsHandle) && hfont && hfont != font)
        DeleteObject(hfont);
    flags = newFlags;
    hfont = font;
    glyphs.Clear();
    lineHeight = 0;
    if (!font)
        return;
    LICE_GrowGlyphBitmap(256, 256);
    if (LICE_SysBitmap* glyphBitmap = LICE_GlyphBitmap())
    {
        const HDC dc = glyphBitmap->DeviceContext();
        // A font GDI does not know has no metrics: it keeps a line height of 0.
        if (const HGDIOBJ previous = SelectObject(dc, font))
        {
            TEXTMETRICA metrics{};
            if (GetTextMetrics(dc, &metrics))
                lineHeight = metrics.tmHeight;
            SelectObject(dc, previous);
        }
    }
    if (flags & kFontPrerender)
    {
        LICE_GlyphRecord unused{};
        for (int32_t code = 0; code < LICE_GlyphCache::kDirectCodes; ++code)
            Glyph(code, &unused);
    }
}

uint32_t LICE_CachedFont::SetInkColor(uint32_t colour) { return std::exchange(inkColour, colour); }

uint32_t LICE_CachedFont::SetPaperColor(uint32_t colour) { return std::exchange(paperColour, colour); }

uint32_t LICE_CachedFont::SetAccentColor(uint32_t colour) { return std::exchange(accentColour, colour); }

int32_t LICE_CachedFont::SetPaperMode(int32_t newMode) { return std::exchange(paperMode, newMode); }

void LICE_CachedFont::SetBlend(CombineMode newMode, float newAlpha)
{
    mode = newMode;
    alpha = newAlpha;
}

bool LICE_CachedFont::NativeAllowed(uint32_t format) const
{
    return (flags & kFontNativeAllowed) && hfont && !(format & (kTextNeverNative | kTextColourAlpha)) &&
           !(flags & (kFontPrerender | kFontGlyphShaping)) && (lineSpacing == 0 || (format & kTextSingleLine)) &&
           !RunningUnderWine();
}

int32_t LICE_CachedFont::RenderText(LICE_IBitmap* bitmap, const char* text, int32_t length, RECT* rect,
                                    uint32_t format)
{
    if (!text || !rect || length < -1)
        return 0;
    LICE_PixelRows rows;
    if (!(format & kTextMeasure) && (!LICE_GetPixelRows(bitmap, &rows) || std::isnan(alpha)))
        return 0;
    if (length == -1)
    {
        const size_t bytes = std::strlen(text);
        length = bytes < INT32_MAX ? static_cast<int32_t>(bytes) : INT32_MAX;
    }
    // GDI draws fonts of 256 pixels and more whatever the flags say.
    if (NativeAllowed(format) || lineHeight >= 256)
        return RenderNative(bitmap, text, length, rect, format);
    return RenderGlyphs(bitmap, text, length, rect, format);
}
