#include "graphics/raster/LICE_FontScratch.h"

#include "platform/win32/Win32Gdi.h"

#include <algorithm>
#include <new>

namespace {

int liveFonts = 0;
LICE_SysBitmap* glyphBitmap = nullptr;
LICE_SysBitmap* nativeTextBitmap = nullptr;

LICE_SysBitmap* Made(LICE_SysBitmap*& slot)
{
    if (!slot)
        slot = new (std::nothrow) LICE_SysBitmap(0, 0);
    return slot;
}

// Grows bitmap to at least width x height; true when it changed. False in
// *fits when it then holds fewer pixels than asked.
bool Grow(LICE_SysBitmap* bitmap, int32_t width, int32_t height, bool* fits)
{
    bool grown = false;
    if (bitmap->Width() < width || bitmap->Height() < height || !bitmap->PixelData())
        grown = bitmap->SetSize(std::max(bitmap->Width(), width), std::max(bitmap->Height(), height));
    *fits = bitmap->PixelData() && bitmap->Width() >= width && bitmap->Height() >= height;
    return grown;
}

}  // namespace

void LICE_FontBorn() { ++liveFonts; }

void LICE_FontGone()
{
    if (--liveFonts > 0)
        return;
    liveFonts = 0;
    delete glyphBitmap;
    glyphBitmap = nullptr;
    delete nativeTextBitmap;
    nativeTextBitmap = nullptr;
}

LICE_SysBitmap* LICE_GlyphBitmap() { return Made(glyphBitmap); }

bool LICE_GrowGlyphBitmap(int32_t width, int32_t height)
{
    LICE_SysBitmap* bitmap = LICE_GlyphBitmap();
    if (!bitmap)
        return false;
    bool fits = false;
    if (Grow(bitmap, width, height, &fits))
    {
        const HDC dc = bitmap->DeviceContext();
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, RGB(0, 0, 0));
    }
    return fits;
}

LICE_SysBitmap* LICE_NativeTextBitmap() { return Made(nativeTextBitmap); }

bool LICE_GrowNativeTextBitmap(int32_t width, int32_t height)
{
    LICE_SysBitmap* bitmap = LICE_NativeTextBitmap();
    bool fits = false;
    if (bitmap)
        Grow(bitmap, std::max(width, 4), std::max(height, 4), &fits);
    return fits;
}
