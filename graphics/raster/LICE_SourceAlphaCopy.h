#pragma once
// The source-alpha copy of a row of pixels: the compositor's most used
// worker (every shape of the editor's artwork is blended with it). Exactly
// LICE_CopySourceAlphaPixel for every pixel, computed in 16-bit vector lanes
// (SSE2, or AVX2 where the processor has it and WideKernelsEnabled says
// so), with runs of transparent source pixels skipped and, at full weight,
// runs of opaque ones copied. Any thread; no allocation.

#include <cstdint>

// d[i] = LICE_CopySourceAlphaPixel(d[i], s[i], ia) for i < n; ia 1 to 256.
// Rows that share memory are done pixel by pixel in order, as the plain
// form would.
void LICE_CopySourceAlphaRow(uint32_t* d, const uint32_t* s, int32_t n, int ia);
