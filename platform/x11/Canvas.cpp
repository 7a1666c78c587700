#include "platform/x11/Canvas.h"

#include "platform/x11/Palette.h"

namespace {

// The interface font: a 13-pixel sans-serif face, as menus and dialogs of
// the desktop use.
constexpr int kFontHeight = -13;
constexpr const char* kFontFace = "sans-serif";

}  // namespace

Canvas::Canvas(int w, int h) : picture(w, h)
{
    font.handle = CreateFontA(kFontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, kFontFace);
    if (!picture.Pixels())
        return;
    if (font.handle)
        SelectObject(picture.Dc(), font.handle);
    SetBkMode(picture.Dc(), TRANSPARENT);
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
    if (!picture.Pixels())
        return;
    SetTextColor(picture.Dc(), colour);
    DrawTextA(picture.Dc(), text.c_str(), static_cast<int>(text.size()), &r, format);
}

SIZE Canvas::Measure(const std::string& text)
{
    RECT r = {0, 0, 0, 0};
    if (picture.Dc())
        DrawTextA(picture.Dc(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    return {r.right - r.left, r.bottom - r.top};
}

void Canvas::Field(LineEdit& edit, const RECT& r, bool focused)
{
    if (picture.Pixels())
        edit.Paint(picture.Dc(), r, font.handle, kText, kField, DT_LEFT, focused);
}

void Canvas::Plot(int x, int y, COLORREF colour)
{
    picture.Fill({x, y, x + 1, y + 1}, colour);
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
