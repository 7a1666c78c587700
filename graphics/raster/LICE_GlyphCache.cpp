#include "graphics/raster/LICE_GlyphCache.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr int32_t kRecordBytes = static_cast<int32_t>(sizeof(LICE_GlyphRecord));

}  // namespace

void LICE_GlyphCache::Clear()
{
    for (int32_t c = 0; c < kDirectCodes; ++c)
        direct[c] = {LICE_GlyphRecord::kNotRendered, 0, 0, 0, c};
    store.Resize(0, true);
    extended.Resize(0, true);
}

LICE_GlyphRecord* LICE_GlyphCache::Find(int32_t code, bool add)
{
    if (code < 0 || code > 0xFFFF)
        return nullptr;
    if (code < kDirectCodes)
        return &direct[code];
    const int32_t count = ExtendedCount();
    LICE_GlyphRecord* list = Extended();
    LICE_GlyphRecord* at = std::lower_bound(list, list + count, code,
                                            [](const LICE_GlyphRecord& r, int32_t c) { return r.code < c; });
    const int32_t index = static_cast<int32_t>(at - list);
    if (index < count && at->code == code)
        return at;
    if (!add)
        return nullptr;
    const int32_t bytes = (count + 1) * kRecordBytes;
    extended.Resize(bytes, false);
    if (extended.GetSize() != bytes)
        return nullptr;
    list = Extended();
    std::memmove(list + index + 1, list + index, static_cast<size_t>(count - index) * kRecordBytes);
    list[index] = {LICE_GlyphRecord::kNotRendered, 0, 0, 0, code};
    return list + index;
}

uint8_t* LICE_GlyphCache::Reserve(int64_t bytes, int32_t* offsetPlusOne)
{
    const int64_t used = store.GetSize();
    // The record keeps offset + 1 in 32 bits.
    if (bytes < 1 || used + bytes >= INT32_MAX)
        return nullptr;
    const auto size = static_cast<int32_t>(used + bytes);
    store.Resize(size, false);
    if (store.GetSize() != size)
        return nullptr;
    *offsetPlusOne = static_cast<int32_t>(used + 1);
    return static_cast<uint8_t*>(store.Get()) + used;
}
