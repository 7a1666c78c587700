#include "graphics/raster/LICE_MemBitmap.h"

#include <cstdlib>

namespace {

// The block is this much larger than the pixels so that the first row can
// start on a 64-byte boundary.
constexpr int64_t kAlignSlack = 63;

}  // namespace

LICE_MemBitmap::LICE_MemBitmap(int32_t w, int32_t h, int32_t lineAlign)
{
    if (lineAlign > 1)
    {
        const int32_t mask = (lineAlign & -lineAlign) - 1;
        alignMask = mask > 16 ? 16 : mask;
    }
    if (w >= 1 && h >= 1)
        SetSize(w, h);
}

LICE_MemBitmap::~LICE_MemBitmap() { std::free(block); }

uint32_t* LICE_MemBitmap::PixelData() const
{
    if (!block)
        return nullptr;
    const uintptr_t address = (reinterpret_cast<uintptr_t>(block) + kAlignSlack) & ~uintptr_t{kAlignSlack};
    return reinterpret_cast<uint32_t*>(address);
}

void LICE_MemBitmap::Release()
{
    std::free(block);
    block = nullptr;
    capacity = 0;
}

bool LICE_MemBitmap::SetSize(int32_t w, int32_t h)
{
    if (w == width && h == height)
        return false;
    width = w;
    height = h;
    // 64-bit throughout: width x height x 4 passes 32 bits long before the
    // pixel limit does.
    const int64_t pixels = w >= 1 && h >= 1 ? RowPixelsFor(w) * h : 0;
    const int64_t bytes = pixels <= kMaxPixels ? pixels * 4 : 0;
    if (bytes < 1)
    {
        Release();
    }
    else if (!block)
    {
        capacity = bytes;
        block = std::malloc(static_cast<size_t>(bytes + kAlignSlack));
    }
    else if (bytes > capacity)
    {
        const int64_t grown = bytes + bytes / 4;
        if (void* moved = std::realloc(block, static_cast<size_t>(grown + kAlignSlack)))
        {
            block = moved;
            capacity = grown;
        }
        else
        {
            Release();
            capacity = bytes;
            block = std::malloc(static_cast<size_t>(bytes + kAlignSlack));
        }
    }
    if (!block)
    {
        capacity = 0;
        width = 0;
        height = 0;
    }
    return true;
}
