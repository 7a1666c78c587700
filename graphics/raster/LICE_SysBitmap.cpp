#include "graphics/raster/LICE_SysBitmap.h"

#include "platform/win32/Win32Gdi.h"

#include <cstdint>

LICE_SysBitmap::LICE_SysBitmap(int32_t w, int32_t h)
{
    dc = CreateCompatibleDC(nullptr);
    SetSize(w, h);
}

LICE_SysBitmap::~LICE_SysBitmap()
{
    ReleaseDib();
    if (dc)
        DeleteDC(dc);
}

void LICE_SysBitmap::ReleaseDib()
{
    if (!dib)
        return;
    SelectObject(dc, previousObject);
    DeleteObject(dib);
    dib = nullptr;
    previousObject = nullptr;
    pixels = nullptr;
}

void LICE_SysBitmap::MakeEmpty()
{
    width = 0;
    height = 0;
    pixels = nullptr;
}

bool LICE_SysBitmap::SetSize(int32_t w, int32_t h)
{
    if (!dc)
    {
        MakeEmpty();
        return false;
    }
    if (w == width && h == height)
        return false;
    width = w;
    height = h;
    if (w >= 1 && h >= 1 && w <= allocatedWidth && h <= allocatedHeight && pixels)
        return true;

    ReleaseDib();
    allocatedWidth = 0;
    allocatedHeight = 0;
    if (w < 1 || h < 1)
    {
        MakeEmpty();
        return false;
    }
    // 64-bit: rounding INT32_MAX up to a multiple of 4 passes 32 bits.
    const int64_t rounded = (int64_t{w} + 3) & ~int64_t{3};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(rounded <= INT32_MAX ? rounded : 0);
    info.bmiHeader.biHeight = IsBottomUp() ? h : -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dib = info.bmiHeader.biWidth ? CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (!dib || !bits)
    {
        if (dib)
            DeleteObject(dib);
        dib = nullptr;
        MakeEmpty();
        return true;
    }
    allocatedWidth = info.bmiHeader.biWidth;
    allocatedHeight = h;
    previousObject = SelectObject(dc, dib);
    pixels = static_cast<uint32_t*>(bits);
    return true;
}
