#include "platform/win32/DibPicture.h"

#include <algorithm>

DibPicture::DibPicture(int w, int h) : width(std::max(1, w)), height(std::max(1, h))
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
    if (dc && bitmap && SelectObject(dc, bitmap))
        bits = static_cast<uint32_t*>(pixels);
}

DibPicture::~DibPicture()
{
    if (dc)
        DeleteDC(dc);
    if (bitmap)
        DeleteObject(bitmap);
}

void DibPicture::Fill(const RECT& r, COLORREF colour)
{
    if (!bits)
        return;
    const int left = std::max<int>(0, r.left), right = std::min<int>(width, r.right);
    const int top = std::max<int>(0, r.top), bottom = std::min<int>(height, r.bottom);
    const uint32_t pixel = 0xFF000000u | (static_cast<uint32_t>(GetRValue(colour)) << 16) |
                           (static_cast<uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
    for (int y = top; y < bottom; ++y)
    {
        uint32_t* row = bits + static_cast<size_t>(y) * width;
        std::fill(row + left, row + std::max(left, right), pixel);
    }
}
