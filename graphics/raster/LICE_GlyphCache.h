#pragma once
// Internal to the font layer: a font's rendered glyphs. Codes 0-127 have a
// record each, found by index; codes from 128 have records in a list kept
// sorted by code, found by binary search. Every glyph's 8-bit coverage rows
// lie back to back in one growable store. Not locked (the font's thread).

#include "framework/core/GrowBuf.h"

#include <cstdint>

struct LICE_GlyphRecord
{
    static constexpr int32_t kNotRendered = 0;
    static constexpr int32_t kRendersNothing = -1;

    int32_t coverage;  // offset + 1 into the coverage store, or one of the two values above
    int32_t width;     // stored coverage columns
    int32_t height;    // stored coverage rows
    int32_t advance;   // pen movement in pixels
    int32_t code;      // the character (a UTF-16 unit)
};

class LICE_GlyphCache
{
public:
    static constexpr int32_t kDirectCodes = 128;

    LICE_GlyphCache() { Clear(); }
    LICE_GlyphCache(const LICE_GlyphCache&) = delete;
    LICE_GlyphCache& operator=(const LICE_GlyphCache&) = delete;

    // Forgets every glyph and gives the memory back.
    void Clear();

    // The record of code (0-65535): the direct one below 128; from 128 the
    // listed one, or, with add, a new zeroed record inserted in code order.
    // Null for a code outside 0-65535, a missing one without add, or when
    // the list cannot grow. Valid until the next Find with add or Clear.
    LICE_GlyphRecord* Find(int32_t code, bool add);

    // Room for bytes more coverage bytes at the end of the store: the
    // pointer to write them to, and *offsetPlusOne for the record. Null when
    // the store cannot grow (it passes 2^31 - 1 bytes, or no memory). The
    // pointer is valid until the next Reserve or Clear.
    uint8_t* Reserve(int64_t bytes, int32_t* offsetPlusOne);

    // The first coverage row of a stored glyph (rows width bytes apart).
    const uint8_t* Coverage(const LICE_GlyphRecord& record) const
    {
        return static_cast<const uint8_t*>(store.Get()) + (record.coverage - 1);
    }

    int32_t ExtendedCount() const { return extended.GetSize() / static_cast<int32_t>(sizeof(LICE_GlyphRecord)); }

private:
    LICE_GlyphRecord* Extended() const { return static_cast<LICE_GlyphRecord*>(extended.Get()); }

    LICE_GlyphRecord direct[kDirectCodes];
    GrowBuf store{4096};
    GrowBuf extended{65536};
};
