// The native path of RenderText: GDI draws the text, into the bitmap's own
// device context or, for a bitmap without one, into the shared native-text
// bitmap that is then composed back.

#include "graphics/raster/LICE_CachedFont.h"

#include "graphics/raster/LICE_Compose.h"
#include "graphics/raster/LICE_FontScratch.h"
#include "graphics/raster/LICE_NtKernel.h"
#include "graphics/raster/Utf8Decode.h"

#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Text.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

// Format flags that are DrawText's own.
constexpr uint32_t kDrawTextFlags =
    kTextCenter | kTextRight | kTextVCenter | kTextBottom | kTextSingleLine | kTextNoClip | kTextMeasure;
constexpr UINT kPlacement = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM;

// Up to this many UTF-16 units the text is converted on the stack.
constexpr int32_t kStackUnits = 1024;
constexpr int32_t kMostStackUnits = 1000;

LONG Saturate(int64_t v) { return static_cast<LONG>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

COLORREF ColourRefOf(uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

// The text as DrawText takes it: UTF-16 when it holds multibyte sequences
// (on NT), else the bytes as they are.
class NativeText
{
public:
    NativeText(const char* text, int32_t length) : narrow(text), bytes(length)
    {
        if (!LICE_NtKernel() || !HasUtf8(text, length))
            return;
        const int need = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, length, nullptr, 0);
        if (need < 1)
            return;
        char16_t* buffer = stack;
        if (need >= kMostStackUnits)
        {
            heap.reset(new (std::nothrow) char16_t[static_cast<size_t>(need) + 32]);
            buffer = heap.get();
        }
        if (buffer)
            units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, length, buffer, need);
        if (units > 0)
            wide = buffer;
    }

    int Draw(HDC dc, RECT* rect, UINT format) const
    {
        return wide ? DrawTextW(dc, wide, units, rect, format) : DrawTextA(dc, narrow, bytes, rect, format);
    }

private:
    const char* narrow;
    int32_t bytes;
    const char16_t* wide = nullptr;
    int units = 0;
    char16_t stack[kStackUnits];
    std::unique_ptr<char16_t[]> heap;
};

// Selects a font into a DC for the object's life.
class FontSelection
{
public:
    FontSelection(HDC dc, HFONT font) : dc(dc), previous(SelectObject(dc, font)) {}
    ~FontSelection()
    {
        if (previous)
            SelectObject(dc, previous);
    }
    FontSelection(const FontSelection&) = delete;
    FontSelection& operator=(const FontSelection&) = delete;
    bool Selected() const { return previous != nullptr; }

private:
    HDC dc;
    HGDIOBJ previous;
};

}  // namespace

int32_t LICE_CachedFont::RenderNative(LICE_IBitmap* bitmap, const char* text, int32_t length, RECT* rect,
                                      uint32_t format)
{
    const bool measure = (format & kTextMeasure) != 0;
    const UINT drawFormat = (format & kDrawTextFlags) | DT_NOPREFIX;
    const NativeText native(text, length);
    const auto prepare = [&](HDC dc) {
        SetTextColor(dc, ColourRefOf(inkColour));
        SetBkMode(dc, paperMode);
        if (paperMode == OPAQUE)
            SetBkColor(dc, ColourRefOf(paperColour));
    };

    if (const HDC dc = bitmap ? bitmap->DeviceContext() : nullptr)
    {
        const FontSelection font(dc, hfont);
        if (!font.Selected())
            return 0;
        if (!measure)
            prepare(dc);
        return native.Draw(dc, rect, drawFormat);
    }

    // No context of its own: measure and draw in the native-text bitmap's.
    LICE_SysBitmap* scratch = LICE_NativeTextBitmap();
    const HDC dc = scratch ? scratch->DeviceContext() : nullptr;
    if (!dc)
        return 0;
    const FontSelection font(dc, hfont);
    if (!font.Selected())
        return 0;
    RECT extent = {0, 0, 0, 0};
    native.Draw(dc, &extent, (drawFormat & ~kPlacement) | DT_CALCRECT);
    const int64_t textWidth = int64_t{extent.right} - extent.left;
    const int64_t textHeight = int64_t{extent.bottom} - extent.top;
    const int32_t height = Saturate(textHeight);
    if (measure)
    {
        rect->right = Saturate(rect->left + textWidth);
        rect->bottom = Saturate(rect->top + textHeight);
        return height;
    }

    // Placed as DrawText places it: vertically only on a single line.
    int64_t x = rect->left;
    int64_t y = rect->top;
    if (format & kTextCenter)
        x = rect->left + (int64_t{rect->right} - rect->left - textWidth) / 2;
    else if (format & kTextRight)
        x = rect->right - textWidth;
    if ((format & kTextSingleLine) && (format & kTextVCenter))
        y = rect->top + (int64_t{rect->bottom} - rect->top - textHeight) / 2;
    else if ((format & kTextSingleLine) && (format & kTextBottom))
        y = rect->bottom - textHeight;
    int64_t left = std::max<int64_t>(x, 0);
    int64_t top = std::max<int64_t>(y, 0);
    int64_t right = std::min<int64_t>(x + textWidth, bitmap->Width());
    int64_t bottom = std::min<int64_t>(y + textHeight, bitmap->Height());
    if (!(format & kTextNoClip))
    {
        left = std::max<int64_t>(left, rect->left);
        top = std::max<int64_t>(top, rect->top);
        right = std::min<int64_t>(right, rect->right);
        bottom = std::min<int64_t>(bottom, rect->bottom);
    }
    if (right <= left || bottom <= top)
        return height;
    const LICE_Rect area = {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
                            static_cast<int32_t>(bottom)};
    const int32_t width = area.right - area.left;
    const int32_t areaHeight = area.bottom - area.top;
    if (!LICE_GrowNativeTextBitmap(width, areaHeight))
        return 0;
    LICE_Compose(scratch, bitmap, 0, 0, &area, 1.0f, kCombineCopy);
    prepare(dc);
    RECT at = {Saturate(x - left), Saturate(y - top), 0, 0};
    at.right = Saturate(int64_t{at.left} + textWidth);
    at.bottom = Saturate(int64_t{at.top} + textHeight);
    native.Draw(dc, &at, drawFormat & ~(kPlacement | DT_NOCLIP));
    const LICE_Rect drawn = {0, 0, width, areaHeight};
    LICE_Compose(bitmap, scratch, area.left, area.top, &drawn, alpha, kCombineCopy);
    return height;
}
