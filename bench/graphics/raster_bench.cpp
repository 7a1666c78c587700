// Compose and fill over a whole editor back buffer at scale 3 (1848 x 1056),
// in megapixels per second, beside a plain memcpy of the same bytes. The
// source-alpha copy (the blend of every drawn shape) also with its baseline
// kernel (SSE2) in place of AVX2, and over a source that looks like a drawn
// shape: transparent margins, an opaque inside, soft edges.
#include "graphics/raster/LICE_Compose.h"
#include "graphics/raster/LICE_MemBitmap.h"
#include "graphics/raster/LICE_PaintRect.h"
#include "platform/CpuFeatures.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr int32_t kWidth = 1848;
constexpr int32_t kHeight = 1056;
constexpr double kPixels = double{kWidth} * kHeight;

// Pixels of every colour and alpha, from a fixed seed.
void FillPattern(LICE_IBitmap* bitmap, uint32_t seed)
{
    uint32_t state = seed;
    for (int32_t y = 0; y < bitmap->Height(); ++y)
    {
        uint32_t* row = bitmap->PixelData() + int64_t{y} * bitmap->RowPixels();
        for (int32_t x = 0; x < bitmap->Width(); ++x)
        {
            state = state * 1664525u + 1013904223u;
            row[x] = state;
        }
    }
}

struct Buffers
{
    LICE_MemBitmap dest{kWidth, kHeight, 4};
    LICE_MemBitmap src{kWidth, kHeight, 4};
    Buffers()
    {
        FillPattern(&dest, 1);
        FillPattern(&src, 2);
    }
};

// Shown as pixels per second ("2.02G/s" is 2020 megapixels per second).
void CountPixels(benchmark::State& state)
{
    state.counters["pixels"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kPixels, benchmark::Counter::kIsRate);
}

void BM_Memcpy(benchmark::State& state)
{
    Buffers b;
    const size_t bytes = static_cast<size_t>(b.src.RowPixels()) * kHeight * sizeof(uint32_t);
    for (auto _ : state)
    {
        std::memcpy(b.dest.PixelData(), b.src.PixelData(), bytes);
        benchmark::ClobberMemory();
    }
    CountPixels(state);
}

void Compose(benchmark::State& state, float alpha, CombineMode mode)
{
    Buffers b;
    for (auto _ : state)
    {
        LICE_Compose(&b.dest, &b.src, 0, 0, nullptr, alpha, mode);
        benchmark::ClobberMemory();
    }
    CountPixels(state);
}

// A shape's pixels: every row transparent for its first and last eighth, a
// soft edge of 6 pixels rising through the alpha values, opaque between.
void FillShapeLike(LICE_IBitmap* bitmap)
{
    const int32_t w = bitmap->Width();
    for (int32_t y = 0; y < bitmap->Height(); ++y)
    {
        uint32_t* row = bitmap->PixelData() + int64_t{y} * bitmap->RowPixels();
        for (int32_t x = 0; x < w; ++x)
        {
            const int32_t fromEdge = std::min(x, w - 1 - x) - w / 8;
            const uint32_t alpha = fromEdge < 0 ? 0 : fromEdge >= 6 ? 255 : static_cast<uint32_t>(40 * fromEdge + 20);
            row[x] = alpha << 24 | 0x406080u;
        }
    }
}

void SourceAlphaCopy(benchmark::State& state, bool wide, bool shapeLike)
{
    Buffers b;
    if (shapeLike)
        FillShapeLike(&b.src);
    AllowWideKernels(wide);
    for (auto _ : state)
    {
        LICE_Compose(&b.dest, &b.src, 0, 0, nullptr, 1.0f, kCombineCopy | kCombineSourceAlpha);
        benchmark::ClobberMemory();
    }
    AllowWideKernels(true);
    CountPixels(state);
}

void Fill(benchmark::State& state, float alpha, CombineMode mode)
{
    Buffers b;
    for (auto _ : state)
    {
        LICE_PaintRect(&b.dest, 0, 0, kWidth, kHeight, 0xC0408060, alpha, mode);
        benchmark::ClobberMemory();
    }
    CountPixels(state);
}

BENCHMARK(BM_Memcpy);
BENCHMARK_CAPTURE(Compose, Copy_1_0, 1.0f, kCombineCopy);
BENCHMARK_CAPTURE(Compose, Copy_0_5, 0.5f, kCombineCopy);
BENCHMARK_CAPTURE(Compose, Copy_0_3, 0.3f, kCombineCopy);
BENCHMARK_CAPTURE(Compose, SourceAlphaCopy_1_0, 1.0f, kCombineCopy | kCombineSourceAlpha);
BENCHMARK_CAPTURE(Compose, SourceAlphaCopy_0_5, 0.5f, kCombineCopy | kCombineSourceAlpha);
BENCHMARK_CAPTURE(SourceAlphaCopy, Baseline, false, false);
BENCHMARK_CAPTURE(SourceAlphaCopy, ShapeLike, true, true);
BENCHMARK_CAPTURE(SourceAlphaCopy, ShapeLike_Baseline, false, true);
BENCHMARK_CAPTURE(Compose, Add_0_3, 0.3f, kCombineAdd);
BENCHMARK_CAPTURE(Compose, Multiply_0_3, 0.3f, kCombineMultiply);
BENCHMARK_CAPTURE(Fill, Copy_1_0, 1.0f, kCombineCopy);
BENCHMARK_CAPTURE(Fill, Copy_0_5, 0.5f, kCombineCopy);
BENCHMARK_CAPTURE(Fill, Copy_0_3, 0.3f, kCombineCopy);
BENCHMARK_CAPTURE(Fill, SourceAlphaCopy, 0.3f, kCombineCopy | kCombineSourceAlpha);

}  // namespace

BENCHMARK_MAIN();
