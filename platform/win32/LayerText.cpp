// DrawTextA and DrawTextW: lines, placement, background and glyph blending.

#include "platform/win32/PixelTarget.h"
#include "platform/win32/Utf.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// Reads code points from UTF-8 or UTF-16 text, dropping mnemonic prefixes
// ("&&" gives '&', a single '&' is dropped) unless told not to.
class TextReader
{
public:
    TextReader(const char* text, size_t length, bool prefixes) : narrow(text), size(length), prefix(prefixes) {}
    TextReader(const char16_t* text, size_t length, bool prefixes) : wide(text), size(length), prefix(prefixes) {}

    bool Next(char32_t& code)
    {
        if (!Raw(code))
            return false;
        if (prefix && code == U'&')
            return Raw(code);
        return true;
    }

private:
    bool Raw(char32_t& code)
    {
        if (at >= size)
            return false;
        bool valid = true;
        at += narrow ? DecodeUtf8(narrow + at, size - at, code, valid) : DecodeUtf16(wide + at, size - at, code, valid);
        return true;
    }

    const char* narrow = nullptr;
    const char16_t* wide = nullptr;
    size_t size = 0;
    size_t at = 0;
    bool prefix = true;
};

bool IsBreak(char32_t c) { return c == U'\r' || c == U'\n'; }

// After a '\r', a following '\n' belongs to the same break.
void TakeLineFeedAfter(char32_t c, TextReader& reader)
{
    if (c != U'\r')
        return;
    TextReader peek = reader;
    char32_t d = 0;
    if (peek.Next(d) && d == U'\n')
        reader = peek;
}

// Reads up to the end of the line and its break, handing each character
// to visit until it answers false. Answers false when the text ended
// instead of a break.
template <class Visit>
bool WalkLine(TextReader& reader, bool singleLine, Visit visit)
{
    char32_t c = 0;
    bool visiting = true;
    while (reader.Next(c))
    {
        if (!singleLine && IsBreak(c))
        {
            TakeLineFeedAfter(c, reader);
            return true;
        }
        if (visiting)
            visiting = visit(c);
    }
    return false;
}

// Reads a line as WalkLine does into width, the sum of its advances.
bool MeasureLine(TextReader& reader, bool singleLine, FontFace& face, int64_t& width)
{
    width = 0;
    return WalkLine(reader, singleLine, [&](char32_t c) {
        width += face.Advance(c);
        return true;
    });
}

LONG Saturate(int64_t v) { return static_cast<LONG>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// dest moves toward colour by coverage / 255; alpha stays.
inline uint32_t Blend(uint32_t dest, uint32_t colour, unsigned coverage)
{
    const unsigned keep = 255 - coverage;
    uint32_t out = dest & 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8)
    {
        const unsigned d = (dest >> shift) & 0xFF, c = (colour >> shift) & 0xFF;
        out |= ((d * keep + c * coverage + 127) / 255) << shift;
    }
    return out;
}

RECT StampGlyph(const PixelTarget& target, const std::vector<RECT>& clip, const GlyphImage& glyph, int64_t x,
                int64_t y, uint32_t colour)
{
    RECT changed = {0, 0, 0, 0};
    const RECT box = {Saturate(x), Saturate(y), Saturate(x + glyph.width), Saturate(y + glyph.height)};
    for (const RECT& c : clip)
    {
        const RECT area = IntersectRects(box, c);
        if (IsEmptyRect(area))
            continue;
        for (int row = area.top; row < area.bottom; ++row)
        {
            const uint8_t* cover = glyph.coverage.data() + static_cast<size_t>(row - box.top) * glyph.width;
            uint32_t* pixels = target.Row(row);
            for (int col = area.left; col < area.right; ++col)
                if (const unsigned k = cover[col - box.left])
                    pixels[col] = k == 255 ? ((pixels[col] & 0xFF000000u) | colour) : Blend(pixels[col], colour, k);
        }
        changed = UnionRects(changed, area);
    }
    return changed;
}

template <class Char>
int DrawTextOf(HDC hdc, const Char* text, int count, RECT* rect, UINT format)
{
    DcObject* dc = Find<DcObject>(hdc);
    FontObject* font = dc ? Find<FontObject>(dc->font) : nullptr;
    if (!font || !text || !rect || count < -1)
        return 0;
    size_t length = static_cast<size_t>(count);
    if (count == -1)
    {
        length = 0;
        while (text[length])
            ++length;
    }
    FontFace& face = FaceOf(*font);
    const TEXTMETRICA& m = face.Metrics();
    const bool single = (format & DT_SINGLELINE) != 0;
    const bool prefixes = (format & DT_NOPREFIX) == 0;

    if (format & DT_CALCRECT)
    {
        TextReader reader(text, length, prefixes);
        int64_t widest = 0, lines = 0;
        bool more = true;
        while (more)
        {
            int64_t width = 0;
            more = MeasureLine(reader, single, face, width);
            widest = std::max(widest, width);
            ++lines;
        }
        const int64_t height = lines * m.tmHeight;
        rect->right = Saturate(int64_t(rect->left) + widest);
        rect->bottom = Saturate(int64_t(rect->top) + height);
        return Saturate(height);
    }

    PixelTarget target;
    if (!TargetOf(*dc, target))
        return 0;
    std::vector<RECT> clip;
    for (const RECT& c : target.clip)
    {
        const RECT piece = (format & DT_NOCLIP) ? c : IntersectRects(c, *rect);
        if (!IsEmptyRect(piece))
            clip.push_back(piece);
    }
    RECT bounds = {0, 0, 0, 0};
    for (const RECT& c : clip)
        bounds = UnionRects(bounds, c);

    int64_t top = rect->top;
    const int64_t lineHeight = m.tmHeight;
    if (single && (format & DT_VCENTER))
        top = rect->top + (int64_t(rect->bottom) - rect->top - lineHeight) / 2;
    else if (single && (format & DT_BOTTOM))
        top = rect->bottom - lineHeight;

    const uint32_t colour = PixelOf(dc->textColour);
    const bool opaque = dc->bkMode == OPAQUE;
    RECT changed = {0, 0, 0, 0};
    TextReader reader(text, length, prefixes);
    int64_t y = top, lines = 0;
    bool more = true;
    while (more)
    {
        const TextReader lineStart = reader;
        int64_t width = 0;
        more = MeasureLine(reader, single, face, width);
        ++lines;
        int64_t x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (int64_t(rect->right) - rect->left - width) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - width;
        const bool visible = !clip.empty() && y < bounds.bottom && y + lineHeight > bounds.top;
        if (visible)
        {
            if (opaque)
            {
                PixelTarget box = target;
                box.clip = clip;
                const RECT line = {Saturate(x), Saturate(y), Saturate(x + width), Saturate(y + lineHeight)};
                changed = UnionRects(changed, FillTarget(box, line, dc->bkColour));
            }
            // Glyphs wholly left of the clipping only advance the pen; past
            // its right edge the line is done.
            const int64_t reach = int64_t(m.tmMaxCharWidth) + lineHeight;
            TextReader glyphs = lineStart;
            int64_t pen = x;
            const int64_t baseline = y + m.tmAscent;
            WalkLine(glyphs, single, [&](char32_t c) {
                if (pen > bounds.right + reach)
                    return false;
                if (pen + reach < bounds.left)
                {
                    pen += face.Advance(c);
                    return true;
                }
                const GlyphImage& g = face.Glyph(c);
                if (g.width > 0)
                    changed = UnionRects(changed, StampGlyph(target, clip, g, pen + g.left, baseline - g.top, colour));
                pen += g.advance;
                return true;
            });
        }
        y += lineHeight;
    }
    ReportChange(target, changed);
    if (single && (format & (DT_VCENTER | DT_BOTTOM)))
        return Saturate(top + lineHeight - rect->top);
    return Saturate(lines * lineHeight);
}

}  // namespace

int DrawTextA(HDC hdc, LPCSTR text, int count, RECT* rect, UINT format)
{
    return DrawTextOf(hdc, text, count, rect, format);
}

int DrawTextW(HDC hdc, LPCWSTR text, int count, RECT* rect, UINT format)
{
    return DrawTextOf(hdc, text, count, rect, format);
}
