#pragma once
// Text onto a bitmap. A font wraps a GDI font (HFONT) and draws UTF-8 text
// with it, in a colour, combined into the bitmap by a combine mode at a
// weight. UI thread: fonts carry no lock.
//
// Colours are 0xAARRGGBB words. Setters answer the previous value.

#include "graphics/raster/CombineMode.h"
#include "graphics/raster/LICE_IBitmap.h"
#include "graphics/raster/LICE_TextFlags.h"

#include "platform/win32/Win32Types.h"

#include <cstdint>

class LICE_IFont
{
public:
    virtual ~LICE_IFont() = default;

    // Takes hfont (null: none) with the flags (FontFlags); every glyph made
    // before is forgotten. The font deletes an HFONT it owned before
    // (kFontOwnsHandle) when it is not hfont.
    virtual void AdoptGdiFont(HFONT hfont, FontFlags flags) = 0;

    virtual uint32_t SetInkColor(uint32_t colour) = 0;     // the text colour
    virtual uint32_t SetPaperColor(uint32_t colour) = 0;   // the background colour
    virtual uint32_t SetAccentColor(uint32_t colour) = 0;  // the shadow and outline colour
    // 1 transparent (TRANSPARENT), 2 opaque (OPAQUE): with an opaque
    // background each glyph's box is filled with the background colour first.
    virtual int32_t SetPaperMode(int32_t mode) = 0;
    // How glyphs are combined into the bitmap, and at what weight (0 to 1;
    // values outside are limited to it, NaN draws nothing).
    virtual void SetBlend(CombineMode mode, float alpha) = 0;

    // Draws length bytes of UTF-8 text (-1: up to its NUL) into rect of
    // bitmap, as the format flags (kText*) say. With kTextMeasure nothing is
    // drawn (bitmap may be null): rect's right and bottom become left and
    // top plus the text's width and height. Answers the text's height in
    // pixels; 0 when nothing was drawn or measured (a null text or rect, a
    // null bitmap or one without pixels when drawing, a length below -1).
    virtual int32_t RenderText(LICE_IBitmap* bitmap, const char* text, int32_t length, RECT* rect,
                               uint32_t format) = 0;

    virtual uint32_t InkColor() const = 0;
    virtual HFONT GdiFont() const = 0;
    // Line height in pixels (the font's cell height; 0 without an HFONT).
    virtual int32_t RowHeight() const = 0;

protected:
    LICE_IFont() = default;
    LICE_IFont(const LICE_IFont&) = default;
    LICE_IFont& operator=(const LICE_IFont&) = default;
};
