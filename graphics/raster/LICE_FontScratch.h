#pragma once
// Internal to the font layer: the two scratch bitmaps every font shares,
// and the count of live fonts that keeps them. Both are made empty on first
// use and deleted when the last font goes. UI thread.

#include "graphics/raster/LICE_SysBitmap.h"

#include <cstdint>

// Every font counts itself in on construction and out on destruction; the
// last one out deletes both bitmaps.
void LICE_FontBorn();
void LICE_FontGone();

// The bitmap glyphs are rendered into: its context draws white text on an
// opaque black background once it has been grown.
LICE_SysBitmap* LICE_GlyphBitmap();
// Makes the glyph bitmap at least width x height (never smaller than it
// is), setting its context's colours when it grows. False when it then
// holds fewer pixels than asked.
bool LICE_GrowGlyphBitmap(int32_t width, int32_t height);

// The bitmap native text is drawn into for bitmaps without a device context.
LICE_SysBitmap* LICE_NativeTextBitmap();
// Makes it at least width x height and at least 4 x 4. False when it cannot.
bool LICE_GrowNativeTextBitmap(int32_t width, int32_t height);
