#include "graphics/raster/LICE_GlyphCache.h"

#include <gtest/gtest.h>


namespace {

TEST(LiceGlyphCache, CodesFrom128AreListedInCodeOrderWhateverTheOrderAdded)
{
    LICE_GlyphCache cache;
    EXPECT_EQ(cache.Find(300, false), nullptr);
    for (int32_t code : {0x2030, 300, 0xFFFF, 128, 0xE9, 301})
    {
        LICE_GlyphRecord* record = cache.Find(code, true);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->code, code);
        EXPECT_EQ(record->coverage, LICE_GlyphRecord::kNotRendered);
        record->advance = code;  // marks it
    }
    EXPECT_EQ(cache.Find(300, true), cache.Find(300, false)) << "found, not added twice";
    EXPECT_EQ(cache.ExtendedCount(), 6);
    for (int32_t code : {128, 0xE9, 300, 301, 0x2030, 0xFFFF})
        EXPECT_EQ(cache.Find(code, false)->advance, code);

    EXPECT_EQ(cache.Find(65, false)->code, 65) << "a direct record";
    EXPECT_EQ(cache.Find(-1, true), nullptr);
    EXPECT_EQ(cache.Find(0x10000, true), nullptr);

    cache.Clear();
    EXPECT_EQ(cache.ExtendedCount(), 0);
    EXPECT_EQ(cache.Find(65, false)->advance, 0);
}

}  // namespace
