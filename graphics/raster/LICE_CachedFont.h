#pragma once
// A font over a GDI font. Two ways to draw:
// - native: GDI draws the text straight into the bitmap's device context
//   (or into a scratch bitmap composed back when the bitmap has none);
// - glyphs: each character is rendered once with GDI into a shared glyph
//   bitmap, kept as 8-bit coverage and then stamped into the bitmap with the
//   font's combine mode and weight, the text colour as source.
// RenderText takes the native way when the font allows it (kFontNativeAllowed,
// no glyph-shaping flags, no kFontPrerender), the call does not forbid it
// (kTextNeverNative, kTextColourAlpha) and the process does not run under
// Wine; otherwise the glyph way, except for fonts of 256 pixels or more,
// which GDI always draws.
//
// Glyph path details: '\r' is skipped; '\n' starts a new line unless
// kTextSingleLine; lines are RowHeight apart. Vertical text (kFontVertical)
// runs down, or up with kFontVerticalUp; its lines stack to the right. A
// glyph is rendered only for fonts of at most 1023 pixels (kFontPrerender
// can ask for larger ones: they render nothing). Text of any length is
// measured and drawn without overflow; extents beyond 32 bits saturate.
//
// Every font shares two scratch bitmaps with the others (the glyph bitmap
// and the native-text bitmap), made on first use and deleted with the last
// font. UI thread.

#include "graphics/raster/LICE_GlyphCache.h"
#include "graphics/raster/LICE_IFont.h"

#include <cstdint>

class LICE_CachedFont : public LICE_IFont
{
public:
    LICE_CachedFont();
    // Deletes the HFONT when it owns it (kFontOwnsHandle); the last font
    // also deletes the shared scratch bitmaps.
    ~LICE_CachedFont() override;
    LICE_CachedFont(const LICE_CachedFont&) = delete;
    LICE_CachedFont& operator=(const LICE_CachedFont&) = delete;

    // Reads the line height from hfont's metrics; kFontPrerender renders
    // codes 0-127 now.
    void AdoptGdiFont(HFONT hfont, FontFlags flags) override;

    uint32_t SetInkColor(uint32_t colour) override;
    uint32_t SetPaperColor(uint32_t colour) override;
    uint32_t SetAccentColor(uint32_t colour) override;
    int32_t SetPaperMode(int32_t mode) override;
    void SetBlend(CombineMode mode, float alpha) override;

    int32_t RenderText(LICE_IBitmap* bitmap, const char* text, int32_t length, RECT* rect,
                       uint32_t format) override;

    uint32_t InkColor() const override { return inkColour; }
    HFONT GdiFont() const override { return hfont; }
    int32_t RowHeight() const override { return lineHeight; }

private:
    struct TextRun;

    bool NativeAllowed(uint32_t format) const;
    int32_t RenderNative(LICE_IBitmap* bitmap, const char* text, int32_t length, RECT* rect, uint32_t format);
    int32_t RenderGlyphs(LICE_IBitmap* bitmap, const char* text, int32_t length, RECT* rect, uint32_t format);
    // The rendered glyph of code (rendered now when it was not yet); false
    // when it renders nothing.
    bool Glyph(int32_t code, LICE_GlyphRecord* glyph);
    void RenderGlyph(int32_t code, LICE_GlyphRecord* record);
    template <class Visit>
    void WalkText(const TextRun& run, Visit visit);

    uint32_t inkColour = 0;
    uint32_t paperColour = 0xFFFFFFFF;
    uint32_t accentColour = 0xFFFFFFFF;
    int32_t paperMode = 1;
    CombineMode mode = kCombineCopy;
    float alpha = 1.0f;
    FontFlags flags = 0;
    int32_t lineHeight = 0;
    int32_t lineSpacing = 0;  // extra pixels between lines
    LICE_GlyphCache glyphs;
    HFONT hfont = nullptr;
};
