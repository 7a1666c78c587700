#pragma once
// The flag words of the font layer: how a font renders its glyphs
// (FontFlags, given to AdoptGdiFont) and how one RenderText call lays out and
// draws its text (the format flags; the GDI DrawText values where they
// coincide).

#include <cstdint>

using FontFlags = int32_t;

constexpr FontFlags kFontVertical = 0x1;        // glyphs rotated a quarter turn, text runs down
constexpr FontFlags kFontVerticalUp = 0x2;      // with kFontVertical: the other way round, text runs up
constexpr FontFlags kFontPrerender = 0x4;       // render codes 0-127 on adoption; never add codes above 127
constexpr FontFlags kFontSoften = 0x10;         // soften each glyph before its coverage is taken
constexpr FontFlags kFontInvert = 0x20;         // coverage = 255 - rendered value
constexpr FontFlags kFontHardEdges = 0x40;      // coverage above 130 becomes 255, the rest 0
constexpr FontFlags kFontShadow = 0x80;         // hard edges plus a shadow below right in the accent colour
constexpr FontFlags kFontOutline = 0x100;       // hard edges plus an outline in the accent colour
constexpr FontFlags kFontOwnsHandle = 0x200;    // the font deletes its HFONT
constexpr FontFlags kFontNativeAllowed = 0x400; // GDI may draw the text straight into the bitmap

// Flags that keep text off the native path: every glyph-shaping flag.
constexpr FontFlags kFontGlyphShaping = kFontVertical | kFontVerticalUp | kFontSoften | kFontInvert |
                                        kFontHardEdges | kFontShadow | kFontOutline;

// Format flags of RenderText.
constexpr uint32_t kTextCenter = 0x1;          // centre horizontally in the rectangle
constexpr uint32_t kTextRight = 0x2;           // right-align
constexpr uint32_t kTextVCenter = 0x4;         // centre vertically
constexpr uint32_t kTextBottom = 0x8;          // align to the bottom
constexpr uint32_t kTextSingleLine = 0x20;     // line feeds are characters, not line breaks
constexpr uint32_t kTextNoClip = 0x100;        // draw beyond the rectangle (never beyond the bitmap)
constexpr uint32_t kTextMeasure = 0x400;       // set the rectangle's right and bottom to the extent; draw nothing
constexpr uint32_t kTextColourAlpha = 0x40000000;  // weight by the text colour's alpha too
constexpr uint32_t kTextNeverNative = 0x80000000;  // never let GDI draw this text
