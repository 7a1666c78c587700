#include "framework/core/GrowBuf.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(GrowBuf, GrowthFollowsTheGranularityRule)
{
    GrowBuf text(128);
    text.Resize(1, false);
    EXPECT_EQ(text.GetAllocated(), 129);
    text.Resize(128, false);
    EXPECT_EQ(text.GetAllocated(), 129) << "still fits";
    text.Resize(300, false);
    EXPECT_EQ(text.GetAllocated(), 450);

    GrowBuf chunk(4096);
    chunk.Resize(1, false);
    EXPECT_EQ(chunk.GetAllocated(), 4000);
    chunk.Resize(4001, false);
    EXPECT_EQ(chunk.GetAllocated(), 8096);
    GrowBuf other(4096);
    other.Resize(5000, false);
    EXPECT_EQ(other.GetAllocated(), 8096);

    GrowBuf big(4096);
    big.Resize(20000000, false);
    EXPECT_EQ(big.GetAllocated(), (20000000 + 4194304 + 96) / 4096 * 4096 - 96) << "step capped at 4 MiB";
}

TEST(GrowBuf, NegativeSizeCountsAsZeroAndFreesWithShrink)
{
    GrowBuf buf(128);
    ASSERT_NE(buf.Resize(10, false), nullptr);
    EXPECT_EQ(buf.Resize(-5, false), nullptr);
    EXPECT_EQ(buf.GetSize(), 0);
    EXPECT_EQ(buf.GetAllocated(), 138) << "no shrink: the block stays";
    buf.Resize(10, false);
    EXPECT_EQ(buf.Resize(-5, true), nullptr);
    EXPECT_EQ(buf.GetAllocated(), 0);
    EXPECT_EQ(buf.Get(), nullptr);
}

TEST(GrowBuf, ShrinkGivesMemoryBackOnlyBelowTheLimit)
{
    GrowBuf buf(128);
    buf.Resize(6667, false);  // 6667 + 3333
    ASSERT_EQ(buf.GetAllocated(), 10000);
    buf.Resize(6000, true);  // limit min(5000, 9488): above it, kept
    EXPECT_EQ(buf.GetAllocated(), 10000);
    buf.Resize(4000, false);
    EXPECT_EQ(buf.GetAllocated(), 10000) << "without allowShrink";

    buf.Resize(6667, false);
    static_cast<char*>(buf.Get())[3999] = 'x';
    buf.Resize(4000, true);
    EXPECT_EQ(buf.GetAllocated(), 6000);
    EXPECT_EQ(static_cast<char*>(buf.Get())[3999], 'x') << "content kept";
}

TEST(GrowBuf, OversizedRequestFailsAndKeepsBlockAndSize)
{
    for (int32_t granularity : {128, 4096})
    {
        GrowBuf buf(granularity);
        void* block = buf.Resize(100, false);
        std::memcpy(block, "kept", 5);
        EXPECT_EQ(buf.Resize(kMax, false), block);
        EXPECT_EQ(buf.GetSize(), 100);
        EXPECT_STREQ(static_cast<char*>(buf.Get()), "kept");
        EXPECT_EQ(buf.Resize(kMax - 4096, true), block);
        EXPECT_EQ(buf.GetSize(), 100);

        GrowBuf empty(granularity);
        EXPECT_EQ(empty.Resize(kMax, false), nullptr);
        EXPECT_EQ(empty.GetSize(), 0);
    }
}

}  // namespace
