#include "framework/core/GrowBuf.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr int64_t kPage = 4096;
constexpr int64_t kMaxStep = 4194304;  // 4 MiB
constexpr int64_t kPageSlack = 96;     // blocks end this far below a page multiple
constexpr int64_t kMaxBlock = std::numeric_limits<int32_t>::max();

}  // namespace

GrowBuf::GrowBuf(int32_t gran, int32_t minAlloc) : granularity(gran), minimumAllocation(minAlloc) {}

GrowBuf::~GrowBuf() { std::free(data); }

// 64-bit throughout: near 2 GB the 32-bit sum would wrap and free the block.
int64_t GrowBuf::AllocationFor(int64_t newSize) const
{
    if (newSize < 1)
        return 0;
    int64_t step = std::max<int64_t>(newSize / 2, granularity);
    int64_t alloc;
    if (granularity < kPage)
    {
        alloc = newSize + step;
    }
    else
    {
        step = std::clamp<int64_t>(step / kPage * kPage, kPage, kMaxStep);
        alloc = (newSize + step + kPageSlack) / kPage * kPage - kPageSlack;
    }
    return std::max<int64_t>(alloc, minimumAllocation);
}

void* GrowBuf::Resize(int32_t newSize, bool allowShrink)
{
    newSize = std::max(newSize, 0);
    if (newSize != size)
    {
        int64_t limit = 0;
        if (allowShrink && newSize < size)
            limit = std::max<int64_t>(
                std::min<int64_t>(allocated / 2, int64_t{allocated} - 4 * int64_t{granularity}), 1);

        if (newSize > allocated || newSize < limit)
        {
            const int64_t alloc = AllocationFor(newSize);
            if (alloc > kMaxBlock)
                return size ? data : nullptr;
            if (alloc != allocated)
            {
                if (alloc <= 0)
                {
                    std::free(data);
                    data = nullptr;
                    allocated = 0;
                    size = 0;
                    return nullptr;
                }
                void* block = std::realloc(data, static_cast<size_t>(alloc));
                if (!block)
                {
                    block = std::malloc(static_cast<size_t>(alloc));
                    if (!block)
                        return size ? data : nullptr;
                    if (data)
                        std::memcpy(block, data, static_cast<size_t>(std::min(newSize, size)));
                    std::free(data);
                }
                data = block;
                allocated = static_cast<int32_t>(alloc);
            }
        }
        size = newSize;
    }
    return size ? data : nullptr;
}
