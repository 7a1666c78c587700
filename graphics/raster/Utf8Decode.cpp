#include "graphics/raster/Utf8Decode.h"

namespace {

bool IsContinuation(unsigned char b) { return b >= 128 && b <= 191; }

// Byte i is within length and a continuation byte. With length -1 the
// bytes before i were continuation bytes, so none of them was the NUL.
bool ContinuationAt(const unsigned char* t, int32_t length, int32_t i)
{
    return (length < 0 || i < length) && IsContinuation(t[i]);
}

bool Ends(const unsigned char* t, int32_t length, int32_t i) { return length < 0 ? t[i] == 0 : i >= length; }

}  // namespace

int32_t Utf8Decode(const char* text, int32_t* code, int32_t length)
{
    int32_t unused = 0;
    int32_t& out = code ? *code : unused;
    out = 0;
    if (!text || length == 0 || length < -1)
        return 0;
    const auto* t = reinterpret_cast<const unsigned char*>(text);
    const int32_t lead = t[0];
    if (lead >= 194 && lead <= 223 && ContinuationAt(t, length, 1))
    {
        out = (lead & 0x1F) << 6 | (t[1] & 0x3F);
        return 2;
    }
    if (lead >= 224 && lead <= 239 && ContinuationAt(t, length, 1) && ContinuationAt(t, length, 2))
    {
        out = ((lead & 0x0F) << 12 | (t[1] & 0x3F) << 6 | (t[2] & 0x3F)) & 0xFFFF;
        return 3;
    }
    if (lead >= 240 && lead <= 244 && ContinuationAt(t, length, 1) && ContinuationAt(t, length, 2) &&
        ContinuationAt(t, length, 3))
    {
        out = ' ';  // beyond 16 bits: no glyph can stand for it
        return 4;
    }
    out = lead;
    return 1;
}

bool HasUtf8(const char* text, int32_t length)
{
    if (!text || length < -1)
        return false;
    const auto* t = reinterpret_cast<const unsigned char*>(text);
    for (int32_t i = 0; !Ends(t, length, i); ++i)
    {
        const int32_t b = t[i];
        if (b < 194 || b > 244 || !ContinuationAt(t, length, i + 1))
            continue;
        if (b <= 223 || ContinuationAt(t, length, i + 2))
            return true;
    }
    return false;
}
