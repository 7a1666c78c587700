#include "platform/x11/PixelWriter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>

namespace {

int LowestBit(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1))
    {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int BitCount(unsigned long mask)
{
    int bits = 0;
    for (; mask; mask >>= 1)
        bits += static_cast<int>(mask & 1);
    return bits;
}

// An 8-bit component placed in the mask's bits.
unsigned long Place(uint32_t component, unsigned long mask)
{
    const int bits = BitCount(mask);
    if (bits == 0)
        return 0;
    const unsigned long scaled = bits >= 8 ? static_cast<unsigned long>(component) << (bits - 8) : component >> (8 - bits);
    return (scaled << LowestBit(mask)) & mask;
}

}  // namespace

int PixelWriter::NativeByteOrder()
{
    const uint16_t probe = 1;
    return *reinterpret_cast<const uint8_t*>(&probe) == 1 ? LSBFirst : MSBFirst;
}

PixelWriter::PixelWriter(Display* display, Visual* visual, int depth)
    : display(display), visual(visual), depth(depth), redMask(visual->red_mask), greenMask(visual->green_mask),
      blueMask(visual->blue_mask)
{
    XImage* probe = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr, 1, 1, 32, 0);
    if (probe)
    {
        direct = probe->bits_per_pixel == 32 && redMask == 0xFF0000 && greenMask == 0xFF00 && blueMask == 0xFF;
        XDestroyImage(probe);
    }
}

unsigned long PixelWriter::Convert(uint32_t pixel) const
{
    return Place((pixel >> 16) & 0xFF, redMask) | Place((pixel >> 8) & 0xFF, greenMask) | Place(pixel & 0xFF, blueMask);
}

void PixelWriter::Put(Drawable drawable, GC gc, const uint32_t* pixels, int stride, int width, int height,
                      int x, int y)
{
    if (width < 1 || height < 1 || !pixels)
        return;
    const auto w = static_cast<unsigned>(width), h = static_cast<unsigned>(height);
    if (direct)
    {
        // The words are sent from where they are, in this machine's byte
        // order (Xlib swaps for a server of the other order).
        XImage* image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0,
                                     reinterpret_cast<char*>(const_cast<uint32_t*>(pixels)), w, h, 32, stride * 4);
        if (!image)
            return;
        image->byte_order = NativeByteOrder();
        XPutImage(display, drawable, gc, image, 0, 0, x, y, w, h);
        image->data = nullptr;
        XDestroyImage(image);
        return;
    }
    XImage* image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr, w, h, 32, 0);
    if (!image)
        return;
    image->data = static_cast<char*>(std::calloc(static_cast<size_t>(image->bytes_per_line) * h, 1));
    if (!image->data)
    {
        XDestroyImage(image);
        return;
    }
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            XPutPixel(image, col, row, Convert(pixels[static_cast<size_t>(row) * stride + col]));
    XPutImage(display, drawable, gc, image, 0, 0, x, y, w, h);
    XDestroyImage(image);
}
