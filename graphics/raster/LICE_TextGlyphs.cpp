// The glyph path of RenderText: laying text out from cached glyphs, measuring
// it and stamping it.

#include "graphics/raster/LICE_CachedFont.h"

#include "graphics/raster/LICE_AlphaWeight.h"
#include "graphics/raster/LICE_GlyphStamp.h"
#include "graphics/raster/LICE_PaintRect.h"
#include "graphics/raster/LICE_PixelRows.h"
#include "graphics/raster/Utf8Decode.h"

#include "platform/win32/Win32Gdi.h"

#include <algorithm>

struct LICE_CachedFont::TextRun
{
    const char* text;
    int32_t length;
    bool singleLine;
};

namespace {

constexpr uint32_t kTextAlignment = kTextCenter | kTextRight | kTextVCenter | kTextBottom;

LONG Saturate(int64_t v) { return static_cast<LONG>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The text's size along its flow (the pen's way) and across it (the lines'
// way), grown glyph by glyph.
struct TextExtent
{
    bool vertical = false;
    int64_t along = 0;
    int64_t across = 0;

    void Add(const LICE_GlyphRecord& glyph, int64_t pen, int64_t line)
    {
        const int64_t alongSize = vertical ? glyph.height : glyph.width;
        const int64_t acrossSize = vertical ? glyph.width : glyph.height;
        along = std::max(along, pen + std::max<int64_t>(glyph.advance, alongSize));
        across = std::max(across, line + acrossSize);
    }
    int64_t Width() const { return vertical ? across : along; }
    int64_t Height() const { return vertical ? along : across; }
};

struct ClipBox
{
    int64_t left;
    int64_t top;
    int64_t right;
    int64_t bottom;
};

}  // namespace

// visit(glyph, pen, line): pen along the flow, line across it, both from the
// text's origin.
template <class Visit>
void LICE_CachedFont::WalkText(const TextRun& run, Visit visit)
{
    int64_t pen = 0;
    int64_t line = 0;
    for (int32_t at = 0; at < run.length;)
    {
        int32_t code = 0;
        at += Utf8Decode(run.text + at, &code, run.length - at);
        if (code == '\r')
            continue;
        if (code == '\n' && !run.singleLine)
        {
            pen = 0;
            line += int64_t{lineHeight} + lineSpacing;
            continue;
        }
        LICE_GlyphRecord glyph;
        if (!Glyph(code, &glyph))
            continue;
        visit(glyph, pen, line);
        pen += glyph.advance;
    }
}

int32_t LICE_CachedFont::RenderGlyphs(LICE_IBitmap* bitmap, const char* text, int32_t length, RECT* rect,
                                      uint32_t format)
{
    const TextRun run{text, length, (format & kTextSingleLine) != 0};
    const bool vertical = (flags & kFontVertical) != 0;
    const bool upward = vertical && (flags & kFontVerticalUp);
    const auto measure = [&] {
        TextExtent extent{vertical};
        WalkText(run, [&](const LICE_GlyphRecord& glyph, int64_t pen, int64_t line) { extent.Add(glyph, pen, line); });
        return extent;
    };
    if (format & kTextMeasure)
    {
        const TextExtent extent = measure();
        rect->right = Saturate(rect->left + extent.Width());
        rect->bottom = Saturate(rect->top + extent.Height());
        return Saturate(extent.Height());
    }

    float weight = alpha;
    if (format & kTextColourAlpha)
        weight *= static_cast<float>((inkColour >> 24) / 255.0);
    LICE_PixelRows rows;
    if (!LICE_ClampAlpha(&weight) || weight == 0.0f || !LICE_GetPixelRows(bitmap, &rows))
        return 0;
    const int ia = LICE_AlphaWeight(weight);

    int64_t x = rect->left;
    int64_t y = rect->top;
    if ((format & kTextAlignment) || upward)
    {
        const TextExtent extent = measure();
        if (format & kTextCenter)
            x = (int64_t{rect->right} - rect->left - extent.Width()) / 2 + rect->left;
        else if (format & kTextRight)
            x = rect->right - extent.Width();
        if (format & kTextVCenter)
            y = (int64_t{rect->bottom} - rect->top - extent.Height()) / 2 + rect->top;
        else if (format & kTextBottom)
            y = rect->bottom - extent.Height();
        // Upward text starts at the bottom.
        if (upward)
            y += extent.Height();
    }

    ClipBox clip = {0, 0, rows.width, rows.height};
    if (!(format & kTextNoClip))
        clip = {std::max<int64_t>(0, rect->left), std::max<int64_t>(0, rect->top),
                std::min<int64_t>(rows.width, rect->right), std::min<int64_t>(rows.height, rect->bottom)};
    const LICE_GlyphLook look = (flags & (kFontShadow | kFontOutline)) ? LICE_GlyphLook::Effects
                                : (flags & kFontHardEdges)            ? LICE_GlyphLook::Hard
                                                                       : LICE_GlyphLook::Smooth;
    const CombineMode paperMix = mode & ~kCombineSourceAlpha;
    const bool opaque = paperMode == OPAQUE;

    const auto stamp = [&](const LICE_GlyphRecord& glyph, int64_t gx, int64_t gy) {
        const int64_t left = std::max(gx, clip.left);
        const int64_t top = std::max(gy, clip.top);
        const int64_t right = std::min(gx + glyph.width, clip.right);
        const int64_t bottom = std::min(gy + glyph.height, clip.bottom);
        if (right <= left || bottom <= top)
            return;
        const auto w = static_cast<int32_t>(right - left);
        const auto h = static_cast<int32_t>(bottom - top);
        if (opaque)
            LICE_PaintRect(bitmap, static_cast<int32_t>(left), static_cast<int32_t>(top), w, h, paperColour, weight,
                           paperMix);
        const uint8_t* coverage = glyphs.Coverage(glyph) + (top - gy) * glyph.width + (left - gx);
        const LICE_GlyphStamp area = {rows,     static_cast<int32_t>(left), static_cast<int32_t>(top), w, h,
                                      coverage, glyph.width, inkColour, accentColour, ia};
        LICE_StampGlyph(area, look, mode);
    };

    TextExtent drawn{vertical};
    WalkText(run, [&](const LICE_GlyphRecord& glyph, int64_t pen, int64_t line) {
        drawn.Add(glyph, pen, line);
        if (!vertical)
            stamp(glyph, x + pen, y + line);
        else if (!upward)
            stamp(glyph, x + line, y + pen);
        else
            stamp(glyph, x + line, y - pen - glyph.height);
    });
    return Saturate(drawn.Height());
}
