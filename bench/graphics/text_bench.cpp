// Text: strings per second of a 10-character meter read-out drawn through
// the glyph path (cached coverage stamped into the bitmap) and through the
// native path (the windowing layer's text drawing), into a bitmap with a
// device context (LICE_SysBitmap) and one without (LICE_MemBitmap). Sizes
// are the editor's 12-pixel text at scales 1 and 3.
#include "graphics/raster/LICE_CachedFont.h"
#include "graphics/raster/LICE_MemBitmap.h"
#include "graphics/raster/LICE_PaintRect.h"
#include "graphics/raster/LICE_SysBitmap.h"

#include "platform/win32/Win32Gdi.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

constexpr const char* kReadout = "-23.4 LUFS";

template <class Bitmap>
void DrawReadout(benchmark::State& state, uint32_t format)
{
    const int size = static_cast<int>(state.range(0));
    LICE_CachedFont font;
    font.AdoptGdiFont(CreateFontA(size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Verdana"),
                      kFontOwnsHandle | kFontNativeAllowed);
    font.SetInkColor(0xFFFFE080);
    Bitmap bitmap(size * 8, size * 2);
    LICE_PaintRect(&bitmap, 0, 0, bitmap.Width(), bitmap.Height(), 0xFF203050, 1.0f, kCombineCopy);
    RECT rect = {0, 0, bitmap.Width(), bitmap.Height()};
    const uint32_t placed = format | kTextCenter | kTextVCenter | kTextSingleLine;
    font.RenderText(&bitmap, kReadout, -1, &rect, placed);  // glyphs rendered before timing
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(font.RenderText(&bitmap, kReadout, -1, &rect, placed));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_GlyphPathSysBitmap(benchmark::State& state) { DrawReadout<LICE_SysBitmap>(state, kTextNeverNative); }
void BM_GlyphPathMemBitmap(benchmark::State& state) { DrawReadout<LICE_MemBitmap>(state, kTextNeverNative); }
void BM_NativePathSysBitmap(benchmark::State& state) { DrawReadout<LICE_SysBitmap>(state, 0); }
void BM_NativePathMemBitmap(benchmark::State& state) { DrawReadout<LICE_MemBitmap>(state, 0); }

BENCHMARK(BM_GlyphPathSysBitmap)->Arg(12)->Arg(36);
BENCHMARK(BM_GlyphPathMemBitmap)->Arg(12)->Arg(36);
BENCHMARK(BM_NativePathSysBitmap)->Arg(12)->Arg(36);
BENCHMARK(BM_NativePathMemBitmap)->Arg(12)->Arg(36);

}  // namespace

BENCHMARK_MAIN();
