#pragma once
// Fonts of the built-in block face for pixel-exact text tests, and readers
// of what text left in a bitmap. Block face of cell height H: every visible
// character is a box H high and H / 2 - 1 wide, advancing H / 2.

#include "graphics/raster/LICE_CachedFont.h"
#include "graphics/raster/LICE_PixelRows.h"

#include "platform/win32/Win32Gdi.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

inline HFONT BlockHandle(int height, const char* face = kBlockFaceName)
{
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
}

// A font that owns its HFONT.
inline std::unique_ptr<LICE_CachedFont> MakeFont(int height, FontFlags flags = 0, const char* face = kBlockFaceName)
{
    auto font = std::make_unique<LICE_CachedFont>();
    font->AdoptGdiFont(BlockHandle(height, face), flags | kFontOwnsHandle);
    return font;
}

// The text's extent from (0, 0).
inline RECT Measure(LICE_IFont& font, const char* text, uint32_t format = 0)
{
    RECT rect = {0, 0, 0, 0};
    font.RenderText(nullptr, text, -1, &rect, format | kTextMeasure);
    return rect;
}

inline uint32_t PixelAt(const LICE_IBitmap* bitmap, int32_t x, int32_t y)
{
    LICE_PixelRows rows;
    return LICE_GetPixelRows(bitmap, &rows) ? rows.Row(y)[x] : 0;
}

// Row y of the bitmap: '#' where red, green and blue are the colour's, '.'
// elsewhere.
inline std::string Mask(const LICE_IBitmap* bitmap, int32_t y, uint32_t colour)
{
    std::string mask;
    for (int32_t x = 0; x < bitmap->Width(); ++x)
        mask += ((PixelAt(bitmap, x, y) ^ colour) & 0xFFFFFF) ? '.' : '#';
    return mask;
}

// The smallest rectangle holding every pixel whose red, green and blue differ
// from the background's; all zero when there is none.
inline RECT InkBox(const LICE_IBitmap* bitmap, uint32_t background)
{
    RECT box = {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int32_t y = 0; y < bitmap->Height(); ++y)
        for (int32_t x = 0; x < bitmap->Width(); ++x)
            if ((PixelAt(bitmap, x, y) ^ background) & 0xFFFFFF)
            {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box.left == INT32_MAX ? RECT{0, 0, 0, 0} : box;
}

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
