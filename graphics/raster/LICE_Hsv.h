#pragma once
// Integer HSV of 8-bit pixels. Hue runs 0-383, 64 per sixth of the circle
// (red 0, green 128, blue 256); saturation and value 0-255. A grey pixel has
// saturation 0 and the hue of the branch it falls in. Pure; any thread.

#include <cstdint>

struct LICE_HsvColour
{
    int hue;
    int saturation;
    int value;
};

LICE_HsvColour LICE_PixelToHsv(int blue, int green, int red);

// The pixel 0xAARRGGBB of hue 0-383, saturation, value and alpha 0-255; each
// argument is first limited to its range (a full weight of 256 passed as
// alpha stores 255).
uint32_t LICE_HsvToPixel(int hue, int saturation, int value, int alpha);
