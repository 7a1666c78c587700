#pragma once
// Sends pixels of the windowing layer (0xAARRGGBB words, top row first) to
// X drawables in the display's own pixel format. Internal to the
// presenter. [UI thread]

#include <X11/Xlib.h>

#include <cstdint>

class PixelWriter
{
public:
    // For a TrueColor or DirectColor visual of the display.
    PixelWriter(Display* display, Visual* visual, int depth);

    // Sends width x height pixels (rows stride pixels apart) to (x, y) of
    // the drawable. Sizes below 1 send nothing. The alpha byte is ignored.
    void Put(Drawable drawable, GC gc, const uint32_t* pixels, int stride, int width, int height, int x, int y);
    // Whether the visual stores 0x00RRGGBB in 32 bits: the layer's words
    // can go as they are, in NativeByteOrder.
    bool Direct() const { return direct; }
    // LSBFirst or MSBFirst: this machine's.
    static int NativeByteOrder();

private:
    unsigned long Convert(uint32_t pixel) const;

    Display* display;
    Visual* visual;
    int depth;
    bool direct = false;
    unsigned long redMask, greenMask, blueMask;
};
