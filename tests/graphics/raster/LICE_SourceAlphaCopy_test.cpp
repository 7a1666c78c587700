#include "graphics/raster/LICE_SourceAlphaCopy.h"

#include "graphics/raster/LICE_Compose.h"
#include "platform/CpuFeatures.h"
#include "support/TestBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

// The source-alpha copy written out pixel by pixel:
// at full weight colour moves toward s by (255 - sa) / 256 and alpha gains sa
// (opaque: the source); below it by 256 - w and w, w = ((sa + 1) x ia) / 256.
uint32_t Reference(uint32_t d, uint32_t s, int ia)
{
    const int sa = static_cast<int>(s >> 24);
    if (sa == 0 || (ia == 256 && sa == 255))
        return sa == 0 ? d : s;
    const int w = (sa + 1) * ia / 256;
    const int keep = ia == 256 ? 255 - sa : 256 - w;
    uint32_t out = static_cast<uint32_t>(std::min(static_cast<int>(d >> 24) + (ia == 256 ? sa : w), 255)) << 24;
    for (int shift : {0, 8, 16})
    {
        const int dc = static_cast<int>((d >> shift) & 0xFF);
        const int sc = static_cast<int>((s >> shift) & 0xFF);
        out |= static_cast<uint32_t>(sc + (dc - sc) * keep / 256) << shift;
    }
    return out;
}

// Both kernels (AVX2 where the processor has it, and the baseline), restored after.
class BothKernels : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override { AllowWideKernels(GetParam()); }
    void TearDown() override { AllowWideKernels(true); }
};

// Every source alpha against every pair of channel bytes, each colour channel
// pairing them its own way and the destination alpha running through all
// values, at the weights that bound the 16-bit arithmetic.
TEST_P(BothKernels, EqualsTheFormulaForEveryAlphaAndEveryPairOfBytes)
{
    constexpr int kPairs = 65536;
    std::vector<uint32_t> src(kPairs);
    std::vector<uint32_t> dst(kPairs);
    std::vector<uint32_t> expected(kPairs);
    for (int ia : {256, 255, 129, 128, 1})
        for (uint32_t sa = 0; sa < 256; ++sa)
        {
            for (uint32_t i = 0; i < kPairs; ++i)
            {
                const uint32_t hi = i >> 8;
                const uint32_t lo = i & 0xFF;
                src[i] = sa << 24 | ((hi ^ 0x5A) << 16) | (lo << 8) | hi;
                dst[i] = lo << 24 | (((lo + 77) & 0xFF) << 16) | (hi << 8) | lo;
                expected[i] = Reference(dst[i], src[i], ia);
            }
            LICE_CopySourceAlphaRow(dst.data(), src.data(), kPairs, ia);
            for (uint32_t i = 0; i < kPairs; ++i)
                ASSERT_EQ(dst[i], expected[i]) << "weight " << ia << ", source alpha " << sa << ", pair " << i;
        }
}

// Rows of every length from every start, whose sources run transparent,
// opaque and mixed in stretches that begin and end anywhere in a step: each
// pixel is the formula's, and nothing past the row is written.
TEST_P(BothKernels, RowsOfAnyLengthAndStartGiveEachPixelsFormula)
{
    std::mt19937 rng(17);
    std::vector<uint32_t> src(80);
    int32_t runLeft = 0;
    uint32_t alphaKind = 0;
    for (uint32_t& p : src)
    {
        if (runLeft-- <= 0)
        {
            runLeft = static_cast<int32_t>(rng() % 11);
            alphaKind = rng() % 3;
        }
        const uint32_t alpha = alphaKind == 0 ? 0 : alphaKind == 1 ? 255 : rng() & 0xFF;
        p = alpha << 24 | (rng() & 0xFFFFFF);
    }
    for (int ia : {256, 200})
        for (int32_t start = 0; start < 9; ++start)
            for (int32_t n = 0; n + start + 1 < static_cast<int32_t>(src.size()); ++n)
            {
                std::vector<uint32_t> dst(src.size());
                for (uint32_t& p : dst)
                    p = static_cast<uint32_t>(rng());
                std::vector<uint32_t> expected = dst;
                for (int32_t i = 0; i < n; ++i)
                    expected[start + i] = Reference(dst[start + i], src[start + i], ia);
                LICE_CopySourceAlphaRow(dst.data() + start, src.data() + start, n, ia);
                ASSERT_EQ(dst, expected) << "weight " << ia << ", start " << start << ", length " << n;
            }
}

// A bitmap composed onto itself one pixel along reads each source pixel after
// the pixel before it was written, as the plain pixel order does.
TEST_P(BothKernels, ABitmapOntoItselfGoesInPixelOrder)
{
    TestBitmap bitmap(33, 1, 0);
    for (int32_t x = 0; x < 33; ++x)
        bitmap.At(x, 0) = static_cast<uint32_t>(0x80 + x) << 24 | static_cast<uint32_t>(x * 0x070503);
    std::vector<uint32_t> expected(33);
    for (int32_t x = 0; x < 33; ++x)
        expected[x] = bitmap.At(x, 0);
    for (int32_t x = 1; x < 33; ++x)
        expected[x] = Reference(expected[x], expected[x - 1], 256);
    LICE_Compose(bitmap.get(), bitmap.get(), 1, 0, 0, 0, 32, 1, 1.0f, kCombineCopy | kCombineSourceAlpha);
    for (int32_t x = 0; x < 33; ++x)
        EXPECT_EQ(bitmap.At(x, 0), expected[x]) << "pixel " << x;
}

INSTANTIATE_TEST_SUITE_P(LiceSourceAlphaCopy, BothKernels, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Wide" : "Baseline"; });

}  // namespace
