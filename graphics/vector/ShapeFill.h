#pragma once
// How a shape is painted: a solid colour, optionally animated towards a
// second colour by t, or a linear gradient of stops. Owns its stops.

#include "framework/core/PointerList.h"
#include "graphics/editor/IArgb.h"
#include "graphics/vector/GradientStop.h"

#include <cstdint>

class ShapeFill
{
public:
    ShapeFill() = default;
    ~ShapeFill();
    ShapeFill(const ShapeFill&) = delete;
    ShapeFill& operator=(const ShapeFill&) = delete;

    // Colour and colour-to from "#rrggbb" texts (ColorFromHex) with their
    // alphas, and the animation switch.
    void SetColors(const char* colourText, int32_t colourAlpha, uint8_t animate, const char* colourToText,
                   int32_t colourToAlpha);

    // Appends a stop; false (nothing added) when the list cannot grow.
    bool AddStop(const char* colourText, int32_t alpha, double offset);

    uint8_t animated = 0;                      // colour runs towards colourTo by t
    double t = 0.0;                            // written by the renderer before each drawing
    IArgb colourTo{255, 255, 255, 255};
    IArgb colour{255, 255, 255, 255};
    uint8_t gradientOn = 0;                    // fill with the stops instead of the colour
    uint8_t gradientHorizontal = 1;            // 1 left to right, 0 bottom to top
    PointerList<GradientStop> stops;           // owned, in drawing order
};
