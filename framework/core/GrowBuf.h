#pragma once
// A growable heap block with a fixed growth rule. The only way a size or a
// block changes is Resize; it never throws: when memory cannot be had the
// block and the size stay as they were and the caller sees it by comparing
// GetSize() with what it asked for. Not locked: the owner's discipline applies.

#include <cstdint>

class GrowBuf
{
public:
    // granularity: the smallest growth step (128 for text, 4096 for chunks,
    // lists and channel buffers). The block never becomes smaller than
    // minimumAllocation bytes once one is held.
    explicit GrowBuf(int32_t granularity = 4096, int32_t minimumAllocation = 0);
    ~GrowBuf();
    GrowBuf(const GrowBuf&) = delete;
    GrowBuf& operator=(const GrowBuf&) = delete;

    // Sets the size in bytes (a negative size counts as 0). Growth allocates
    // geometrically (at least half the new size, at least the granularity);
    // a smaller size gives memory back only with allowShrink and below the
    // shrink limit. Returns the block, or null when the size is 0 or when a
    // first block could not be had. A request whose allocation would pass
    // 2^31 - 1 bytes fails like an allocation failure.
    void* Resize(int32_t newSize, bool allowShrink);

    void* Get() const { return data; }
    int32_t GetSize() const { return size; }
    int32_t GetAllocated() const { return allocated; }
    int32_t GetGranularity() const { return granularity; }

private:
    int64_t AllocationFor(int64_t newSize) const;

    void* data = nullptr;
    int32_t granularity;
    int32_t allocated = 0;
    int32_t size = 0;
    int32_t minimumAllocation;
};
