#include "graphics/raster/LICE_SourceAlphaCopy.h"

#include "graphics/raster/LICE_PixelForms.h"
#include "platform/CpuFeatures.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define SONVAREK_PIXEL_LANES 1
#endif

namespace {

#if SONVAREK_PIXEL_LANES

// Baseline x86-64: SSE2, four pixels a step.
namespace base {

struct Lanes
{
    using V = __m128i;
    static constexpr int32_t kPixels = 4;

    static V Load(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const V*>(p)); }
    static void Store(uint32_t* p, V v) { _mm_storeu_si128(reinterpret_cast<V*>(p), v); }
    static V Zero() { return _mm_setzero_si128(); }
    static V Ones() { return _mm_set1_epi32(-1); }
    static V AlphaBytes() { return _mm_set1_epi32(static_cast<int32_t>(0xFF000000u)); }
    static V Words(int16_t w) { return _mm_set1_epi16(w); }
    static V Or(V a, V b) { return _mm_or_si128(a, b); }
    static V Xor(V a, V b) { return _mm_xor_si128(a, b); }
    static V Select(V mask, V a, V b) { return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b)); }
    static V ShiftRight32(V a, int n) { return _mm_srli_epi32(a, n); }
    static V ShiftLeft32(V a, int n) { return _mm_slli_epi32(a, n); }
    static V EqualBytes(V a, V b) { return _mm_cmpeq_epi8(a, b); }
    static bool AllSet(V mask) { return _mm_movemask_epi8(mask) == 0xFFFF; }
    static V MaxBytes(V a, V b) { return _mm_max_epu8(a, b); }
    static V MinBytes(V a, V b) { return _mm_min_epu8(a, b); }
    static V AddBytes(V a, V b) { return _mm_add_epi8(a, b); }
    static V SubBytes(V a, V b) { return _mm_sub_epi8(a, b); }
    static V AddBytesSaturated(V a, V b) { return _mm_adds_epu8(a, b); }
    static V LowWords(V a) { return _mm_unpacklo_epi8(a, _mm_setzero_si128()); }
    static V HighWords(V a) { return _mm_unpackhi_epi8(a, _mm_setzero_si128()); }
    static V AddWords(V a, V b) { return _mm_add_epi16(a, b); }
    static V SubWords(V a, V b) { return _mm_sub_epi16(a, b); }
    static V MulWords(V a, V b) { return _mm_mullo_epi16(a, b); }
    static V ShiftRight16(V a, int n) { return _mm_srli_epi16(a, n); }
    static V PackWords(V lo, V hi) { return _mm_packus_epi16(lo, hi); }
};

#include "graphics/raster/LICE_SourceAlphaLanes.inl"

}  // namespace base

// AVX2: eight pixels a step, run only where WideKernelsEnabled() says so.
// Unpacking and packing work within each 128-bit half, so they pair up as
// in the SSE2 form.
namespace wide {
#pragma GCC push_options
#pragma GCC target("avx2")

struct Lanes
{
    using V = __m256i;
    static constexpr int32_t kPixels = 8;

    static V Load(const uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const V*>(p)); }
    static void Store(uint32_t* p, V v) { _mm256_storeu_si256(reinterpret_cast<V*>(p), v); }
    static V Zero() { return _mm256_setzero_si256(); }
    static V Ones() { return _mm256_set1_epi32(-1); }
    static V AlphaBytes() { return _mm256_set1_epi32(static_cast<int32_t>(0xFF000000u)); }
    static V Words(int16_t w) { return _mm256_set1_epi16(w); }
    static V Or(V a, V b) { return _mm256_or_si256(a, b); }
    static V Xor(V a, V b) { return _mm256_xor_si256(a, b); }
    static V Select(V mask, V a, V b) { return _mm256_blendv_epi8(b, a, mask); }
    static V ShiftRight32(V a, int n) { return _mm256_srli_epi32(a, n); }
    static V ShiftLeft32(V a, int n) { return _mm256_slli_epi32(a, n); }
    static V EqualBytes(V a, V b) { return _mm256_cmpeq_epi8(a, b); }
    static bool AllSet(V mask) { return _mm256_movemask_epi8(mask) == -1; }
    static V MaxBytes(V a, V b) { return _mm256_max_epu8(a, b); }
    static V MinBytes(V a, V b) { return _mm256_min_epu8(a, b); }
    static V AddBytes(V a, V b) { return _mm256_add_epi8(a, b); }
    static V SubBytes(V a, V b) { return _mm256_sub_epi8(a, b); }
    static V AddBytesSaturated(V a, V b) { return _mm256_adds_epu8(a, b); }
    static V LowWords(V a) { return _mm256_unpacklo_epi8(a, _mm256_setzero_si256()); }
    static V HighWords(V a) { return _mm256_unpackhi_epi8(a, _mm256_setzero_si256()); }
    static V AddWords(V a, V b) { return _mm256_add_epi16(a, b); }
    static V SubWords(V a, V b) { return _mm256_sub_epi16(a, b); }
    static V MulWords(V a, V b) { return _mm256_mullo_epi16(a, b); }
    static V ShiftRight16(V a, int n) { return _mm256_srli_epi16(a, n); }
    static V PackWords(V lo, V hi) { return _mm256_packus_epi16(lo, hi); }
};

#include "graphics/raster/LICE_SourceAlphaLanes.inl"

#pragma GCC pop_options
}  // namespace wide

// The pixels done in vector steps; the rest is left to the plain form.
int32_t CopyInLanes(uint32_t* d, const uint32_t* s, int32_t n, int ia)
{
    if (WideKernelsEnabled())
        return ia == 256 ? wide::CopySourceAlphaSteps<true>(d, s, n, ia)
                         : wide::CopySourceAlphaSteps<false>(d, s, n, ia);
    return ia == 256 ? base::CopySourceAlphaSteps<true>(d, s, n, ia) : base::CopySourceAlphaSteps<false>(d, s, n, ia);
}

#else

int32_t CopyInLanes(uint32_t*, const uint32_t*, int32_t, int) { return 0; }

#endif

// Whether the rows share memory (a bitmap drawn onto itself): a step reads
// pixels ahead of those it writes, so only the plain order gives the plain
// result then.
bool Overlap(const uint32_t* d, const uint32_t* s, int32_t n)
{
    const auto dBegin = reinterpret_cast<uintptr_t>(d);
    const auto sBegin = reinterpret_cast<uintptr_t>(s);
    const auto bytes = static_cast<uintptr_t>(n) * sizeof(uint32_t);
    return dBegin < sBegin + bytes && sBegin < dBegin + bytes;
}

}  // namespace

void LICE_CopySourceAlphaRow(uint32_t* d, const uint32_t* s, int32_t n, int ia)
{
    const int32_t done = Overlap(d, s, n) ? 0 : CopyInLanes(d, s, n, ia);
    for (int32_t i = done; i < n; ++i)
        d[i] = LICE_CopySourceAlphaPixel(d[i], s[i], ia);
}
