#pragma once
// A bitmap that holds the frames of a control side by side or stacked.

#include "graphics/raster/LICE_IBitmap.h"

#include <cstdint>

struct IBitmapStrip
{
    LICE_IBitmap* bitmap = nullptr;  // not owned
    int32_t width = 0;               // of the whole strip, in pixels
    int32_t height = 0;
    int32_t frameCount = 1;
    bool framesSideBySide = false;   // else stacked top to bottom
};
