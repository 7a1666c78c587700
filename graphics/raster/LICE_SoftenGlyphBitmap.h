#pragma once
// Softens rendered glyphs: a five-point filter (centre 1/2, each of the four
// neighbours 1/8; at an edge the missing neighbour's share goes to the
// opposite one) over the top-left width x height pixels of a bitmap, in
// place, all four bytes alike. UI thread.
//
// width and height are limited to the bitmap; nothing for a null bitmap, one
// without pixels, or an area narrower or lower than 2. The last row reads the
// row above it as already softened. Allocates only for areas wider than 1024
// pixels (and then does nothing when that memory cannot be had).

#include "graphics/raster/LICE_IBitmap.h"

#include <cstdint>

void LICE_SoftenGlyphBitmap(LICE_IBitmap* glyphs, int32_t width, int32_t height);
