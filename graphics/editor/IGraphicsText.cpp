#include "graphics/editor/IGraphics.h"

#include "graphics/editor/FontCache.h"
#include "graphics/editor/TruncToInt.h"
#include "graphics/raster/LICE_CachedFont.h"
#include "graphics/raster/LICE_SysBitmap.h"

namespace {

// The format flags of a style: never clipped to the area (only to the
// bitmap); the text colour's alpha weighs in when it is not opaque.
uint32_t FormatOf(const TextStyle& style)
{
    uint32_t format = kTextNoClip;
    if (style.colour.A < 255)
        format |= kTextColourAlpha;
    if (style.alignment == 1)
        format |= kTextCenter;
    else if (style.alignment != 0)
        format |= kTextRight;
    if (style.verticalPlacement == 2)
        format |= kTextBottom;
    else if (style.verticalPlacement == 3)
        format |= kTextVCenter | kTextSingleLine;
    return format;
}

}  // namespace

LICE_CachedFont* IGraphics::CacheFont(TextStyle& style) { return ::CacheFont(style); }

bool IGraphics::GetTextBox(TextStyle& style, const char* text, IBounds& box)
{
    return DrawStyledText(style, text, box, true);
}

bool IGraphics::DrawStyledText(TextStyle& style, const char* text, IBounds& area, bool measure)
{
    if (!text || !*text)
        return true;
    LICE_CachedFont* font = style.font ? style.font : CacheFont(style);
    if (!font)
        return false;
    font->SetInkColor(PackArgb(style.colour));
    const uint32_t format = FormatOf(style);
    if (!measure)
    {
        RECT r = {area.L, area.T, area.R, area.B};
        font->RenderText(backBuffer, text, -1, &r, format);
        return true;
    }
    RECT extent = {0, 0, 0, 0};
    font->RenderText(nullptr, text, -1, &extent, format | kTextMeasure);
    const int32_t w = extent.right - extent.left;
    const int32_t h = extent.bottom - extent.top;
    area.B = SaturatingAdd(area.T, h);
    if (style.alignment == 0)
    {
        area.R = SaturatingAdd(area.L, w);
    }
    else if (style.alignment == 1)
    {
        area.L = SaturatingAdd(TruncToInt((int64_t{area.L} + area.R) * 0.5), -(w / 2));
        area.R = SaturatingAdd(area.L, w);
    }
    else
    {
        area.L = SaturatingAdd(area.R, -int64_t{w});
    }
    return true;
}
