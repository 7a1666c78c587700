#pragma once
// Composes a rectangle of one bitmap onto another with a combine mode and a
// weight. UI thread (the thread that draws the editor); no allocation.
//
// alpha is the weight, 0 to 1: values outside are limited to that range, NaN
// and 0 draw nothing. The source rectangle is cut to the source, the
// destination position to the destination: only the overlap is drawn, at the
// shifted position. A null bitmap, or one without pixels, draws nothing.
// Each pixel: ia = trunc(alpha x 256); see CombineMode.h for the modes.
// Copy at alpha exactly 1.0 copies the pixels unchanged, copy at exactly 0.5
// stores the per-byte half-sum ((s >> 1) & 0x7F7F7F7F) + ((d >> 1) & 0x7F7F7F7F).
// Source and destination may be the same bitmap; overlapping rectangles then
// read pixels that may already be written. Rows are walked top to bottom,
// so only the plain copy at alpha 1.0 with the destination not below the
// source (same rows or higher up; any column) is exact.

#include "graphics/raster/CombineMode.h"
#include "graphics/raster/LICE_IBitmap.h"
#include "graphics/raster/LICE_Rect.h"

#include <cstdint>

// Draws srcRect of src (null: the whole source) with its top-left at (x, y)
// of dest.
void LICE_Compose(LICE_IBitmap* dest, const LICE_IBitmap* src, int32_t x, int32_t y, const LICE_Rect* srcRect,
                  float alpha, CombineMode mode);

// The same with the source rectangle {srcX, srcY, srcX + srcWidth, srcY + srcHeight}.
void LICE_Compose(LICE_IBitmap* dest, const LICE_IBitmap* src, int32_t destX, int32_t destY, int32_t srcX,
                  int32_t srcY, int32_t srcWidth, int32_t srcHeight, float alpha, CombineMode mode);
