#pragma once
// A bitmap whose pixels live in a heap block of its own, top-down, the first
// row on a 64-byte boundary. UI thread (or construction), like every bitmap.

#include "graphics/raster/LICE_IBitmap.h"

#include <cstdint>

class LICE_MemBitmap : public LICE_IBitmap
{
public:
    // A bitmap holds at most this many stored pixels (row span x height), so
    // every pixel offset fits an int32_t; larger sizes are refused.
    static constexpr int64_t kMaxPixels = INT32_MAX;

    // lineAlign: row spans are padded by its lowest set bit, minus one, as a
    // mask (values from 32 on give the mask 16, not 31). A width or height
    // below 1 makes an empty bitmap.
    explicit LICE_MemBitmap(int32_t width = 0, int32_t height = 0, int32_t lineAlign = 4);
    ~LICE_MemBitmap() override;
    LICE_MemBitmap(const LICE_MemBitmap&) = delete;
    LICE_MemBitmap& operator=(const LICE_MemBitmap&) = delete;

    uint32_t* PixelData() const override;
    int32_t Width() const override { return width; }
    int32_t Height() const override { return height; }
    int32_t RowPixels() const override { return static_cast<int32_t>(RowPixelsFor(width)); }

    // Answers true whenever the size differs from the current one. The block
    // grows by a quarter on top of the need and never shrinks; a width or
    // height below 1 frees it. A size beyond kMaxPixels, or one whose memory
    // cannot be had, leaves an empty bitmap (0 x 0, no pixels) and still
    // answers true.
    bool SetSize(int32_t width, int32_t height) override;

    // Bytes the block can hold without growing (0 when empty).
    int64_t Capacity() const { return capacity; }

private:
    int64_t RowPixelsFor(int64_t w) const { return (w + alignMask) & ~int64_t{alignMask}; }
    void Release();

    void* block = nullptr;  // the allocation: 63 bytes more than capacity
    int32_t width = 0;
    int32_t height = 0;
    int64_t capacity = 0;
    int32_t alignMask = 0;
};
