#pragma once
// Internal to the font layer: stamping one glyph's coverage into a bitmap
// with a combine mode. Free of state; UI thread (the bitmap's).

#include "graphics/raster/CombineMode.h"
#include "graphics/raster/LICE_PixelRows.h"

#include <cstdint>

// How coverage turns into weights and colours.
enum class LICE_GlyphLook
{
    Smooth,   // coverage c weighs the ink: c + 1 at full weight, else min(256, c x ia / 256)
    Hard,     // every covered pixel takes the ink at weight ia
    Effects,  // coverage 255 takes the ink, any other covered pixel the accent, at weight ia
};

// An area already cut to the bitmap and the clip rectangle.
struct LICE_GlyphStamp
{
    LICE_PixelRows rows;
    int32_t x;                 // destination of the area's top-left pixel
    int32_t y;
    int32_t width;             // of the area
    int32_t height;
    const uint8_t* coverage;   // the coverage byte of the area's top-left pixel
    int32_t coverageRowBytes;  // between two coverage rows
    uint32_t ink;              // 0xAARRGGBB; its alpha is not used
    uint32_t accent;
    int ia;                    // 1 to 256
};

// Red, green and blue combine with the mode's formula (low byte 0-5; any
// other draws nothing) at each pixel's weight; alpha moves toward 255 by
// the same weight. The source-alpha bit changes nothing here.
void LICE_StampGlyph(const LICE_GlyphStamp& stamp, LICE_GlyphLook look, CombineMode mode);
