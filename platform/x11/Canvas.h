#pragma once
// A picture for the presenter's own windows (menus, dialogs), drawn with the
// windowing layer's own text drawing: a top-down 32-bit DIB section in a
// memory DC, with the interface font selected. Internal to the presenter.
// [UI thread]

#include "platform/win32/Win32.h"

#include <cstdint>
#include <string>

class Canvas
{
public:
    // width and height below 1 count as 1.
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int Width() const { return width; }
    int Height() const { return height; }
    // Top row first, Width() apart; null when the layer could not make the
    // bitmap (then drawing does nothing).
    const uint32_t* Pixels() const { return bits; }

    void Fill(const RECT& r, COLORREF colour);
    // A one-pixel outline inside r.
    void Frame(const RECT& r, COLORREF colour);
    // UTF-8 text in r, DrawTextA's format flags, no background.
    void Text(const std::string& text, RECT r, COLORREF colour, UINT format);
    // The size of one line of text in the interface font.
    SIZE Measure(const std::string& text);
    // A tick mark and a right-pointing triangle centred in r.
    void Tick(const RECT& r, COLORREF colour);
    void Arrow(const RECT& r, COLORREF colour);

private:
    void Plot(int x, int y, COLORREF colour);

    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HFONT font = nullptr;
    uint32_t* bits = nullptr;
};
