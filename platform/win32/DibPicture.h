#pragma once
// A picture to draw into with the layer's calls and to reach pixel by
// pixel: a top-down 32-bit DIB section selected into a memory DC.
// [UI thread]

#include "platform/win32/Win32.h"

#include <cstdint>

class DibPicture
{
public:
    // width and height below 1 count as 1.
    DibPicture(int width, int height);
    ~DibPicture();
    DibPicture(const DibPicture&) = delete;
    DibPicture& operator=(const DibPicture&) = delete;

    int Width() const { return width; }
    int Height() const { return height; }
    HDC Dc() const { return dc; }
    // Top row first, Width() apart; null when the layer could not make the
    // bitmap (then Fill does nothing).
    uint32_t* Pixels() const { return bits; }
    // Opaque, clipped to the picture.
    void Fill(const RECT& r, COLORREF colour);

private:
    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    uint32_t* bits = nullptr;
};
