#include "graphics/raster/LICE_GlyphShape.h"

#include <cstddef>

namespace {

constexpr uint8_t kFull = 255;
constexpr uint8_t kEdge = 0x80;

}  // namespace

void LICE_TurnGlyph(const uint8_t* coverage, int32_t width, int32_t height, bool counterClockwise, uint8_t* out)
{
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
        {
            // Clockwise the left column becomes the top row read upwards;
            // the other way the right column does, read downwards.
            const int32_t row = counterClockwise ? width - 1 - x : x;
            const int32_t column = counterClockwise ? y : height - 1 - y;
            out[static_cast<ptrdiff_t>(row) * height + column] = coverage[static_cast<ptrdiff_t>(y) * width + x];
        }
}

void LICE_HardenGlyph(uint8_t* coverage, int32_t width, int32_t height)
{
    const ptrdiff_t bytes = static_cast<ptrdiff_t>(width) * height;
    for (ptrdiff_t i = 0; i < bytes; ++i)
        coverage[i] = coverage[i] > 130 ? kFull : 0;
}

void LICE_EdgeGlyph(uint8_t* coverage, int32_t width, int32_t height, bool outline)
{
    // New edge pixels are 0x80, never 255, so marking in place reads only
    // what the glyph itself covers.
    const auto full = [&](int32_t x, int32_t y) {
        return x >= 0 && y >= 0 && x < width && y < height &&
               coverage[static_cast<ptrdiff_t>(y) * width + x] == kFull;
    };
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
        {
            uint8_t& c = coverage[static_cast<ptrdiff_t>(y) * width + x];
            if (c != 0)
                continue;
            const bool shadow = full(x - 1, y) || full(x - 1, y - 1) || full(x, y - 1);
            const bool ring = full(x - 1, y) || full(x + 1, y) || full(x, y - 1) || full(x, y + 1);
            if (outline ? ring : shadow)
                c = kEdge;
        }
}
