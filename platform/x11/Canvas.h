#pragma once
// A picture for the presenter's own windows (menus, dialogs), drawn with the
// windowing layer's own text drawing: a DibPicture with the interface font
// selected. Internal to the presenter.
// [UI thread]

#include "platform/win32/DibPicture.h"
#include "platform/win32/LineEdit.h"
#include "platform/win32/Win32.h"

#include <cstdint>
#include <string>

class Canvas
{
public:
    // width and height below 1 count as 1.
    Canvas(int width, int height);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int Width() const { return picture.Width(); }
    int Height() const { return picture.Height(); }
    // Top row first, Width() apart; null when the layer could not make the
    // bitmap (then drawing does nothing).
    const uint32_t* Pixels() const { return picture.Pixels(); }

    void Fill(const RECT& r, COLORREF colour) { picture.Fill(r, colour); }
    // A one-pixel outline inside r.
    void Frame(const RECT& r, COLORREF colour);
    // UTF-8 text in r, DrawTextA's format flags, no background.
    void Text(const std::string& text, RECT r, COLORREF colour, UINT format);
    // The size of one line of text in the interface font.
    SIZE Measure(const std::string& text);
    // A text field's line in r, its background included, in the interface
    // font.
    void Field(LineEdit& edit, const RECT& r, bool focused);
    HFONT Font() const { return font.handle; }
    // A tick mark and a right-pointing triangle centred in r.
    void Tick(const RECT& r, COLORREF colour);
    void Arrow(const RECT& r, COLORREF colour);

private:
    void Plot(int x, int y, COLORREF colour);

    // Deleted after the picture's DC, which has it selected.
    struct OwnedFont
    {
        HFONT handle = nullptr;
        ~OwnedFont()
        {
            if (handle)
                DeleteObject(handle);
        }
    };
    OwnedFont font;
    DibPicture picture;
};
