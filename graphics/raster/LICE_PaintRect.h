#pragma once
// Fills a rectangle of a bitmap with one colour, combined by a mode at a
// weight. UI thread; no allocation.
//
// colour is 0xAARRGGBB. With kCombineSourceAlpha the weight is first
// multiplied by the colour's alpha / 255. alpha outside [0, 1] is limited to
// it; NaN and 0 draw nothing. The rectangle is cut to the bitmap. The colour's
// red, green and blue are the source of those channels and the weight
// ia = trunc(alpha x 256) the source of the alpha channel. Copy at ia = 256
// stores the colour word (its alpha byte included); copy at ia = 128, 64 and
// 192 uses whole-word per-byte sums. Channel-copy modes draw nothing here.

#include "graphics/raster/CombineMode.h"
#include "graphics/raster/LICE_IBitmap.h"

#include <cstdint>

void LICE_PaintRect(LICE_IBitmap* dest, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour,
                    float alpha, CombineMode mode);
