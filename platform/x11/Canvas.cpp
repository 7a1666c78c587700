#include "platform/x11/Canvas.h"

#include <algorithm>

namespace {

// The interface font: a 13-pixel sans-serif face, as menus and dialogs of
// the desktop use.
constexpr int kFontHeight = -13;
constexpr const char* kFontFace = "sans-serif";

uint32_t PixelOf(COLORREF c)
{
    return 0xFF000000u | (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

}  // namespace

Canvas::Canvas(int w, int h) : width(std::max(1, w)), height(std::max(1, h))
{
    dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    font = CreateFontA(kFontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, kFontFace);
    if (!dc || !bitmap || !SelectObject(dc, bitmap))
        return;
    bits = static_cast<uint32_t*>(pixels);
    if (font)
        SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
}

Canvas::~Canvas()
{
    if (dc)
        DeleteDC(dc);
    if (bitmap)
        DeleteObject(bitmap);
    if (font)
        DeleteObject(font);
}

void Canvas::Fill(const RECT& r, COLORREF colour)
{
    if (!bits)
        return;
    const int left = std::max<int>(0, r.left), right = std::min<int>(width, r.right);
    const int top = std::max<int>(0, r.top), bottom = std::min<int>(height, r.bottom);
    const uint32_t pixel = PixelOf(colour);
    for (int y = top; y < bottom; ++y)
        std::fill(bits + static_cast<size_t>(y) * width + left, bits + static_cast<size_t>(y) * width + std::max(left, right),
                  pixel);
}

void Canvas::Frame(const RECT& r, COLORREF colour)
{
    Fill({r.left, r.top, r.right, r.top + 1}, colour);
    Fill({r.left, r.bottom - 1, r.right, r.bottom}, colour);
    Fill({r.left, r.top, r.left + 1, r.bottom}, colour);
    Fill({r.right - 1, r.top, r.right, r.bottom}, colour);
}

void Canvas::Text(const std::string& text, RECT r, COLORREF colour, UINT format)
{
    if (!bits)
        return;
    SetTextColor(dc, colour);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

SIZE Canvas::Measure(const std::string& text)
{
    RECT r = {0, 0, 0, 0};
    if (dc)
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    return {r.right - r.left, r.bottom - r.top};
}

void Canvas::Plot(int x, int y, COLORREF colour)
{
    if (bits && x >= 0 && y >= 0 && x < width && y < height)
        bits[static_cast<size_t>(y) * width + x] = PixelOf(colour);
}

void Canvas::Tick(const RECT& r, COLORREF colour)
{
    // A short stroke down to the right, then a long one up to the right,
    // two pixels thick, in a 9 x 7 box.
    const int x = (r.left + r.right) / 2 - 4, y = (r.top + r.bottom) / 2 - 3;
    for (int i = 0; i < 3; ++i)
        for (int t = 0; t < 2; ++t)
            Plot(x + i, y + 3 + i + t, colour);
    for (int i = 0; i < 6; ++i)
        for (int t = 0; t < 2; ++t)
            Plot(x + 3 + i, y + 4 - i + t, colour);
}

void Canvas::Arrow(const RECT& r, COLORREF colour)
{
    // Four columns, 7 pixels high at the base.
    const int x = (r.left + r.right) / 2 - 2, y = (r.top + r.bottom) / 2;
    for (int i = 0; i < 4; ++i)
        Fill({x + i, y - 3 + i, x + i + 1, y + 4 - i}, colour);
}
