#pragma once
// Where ShapeRenderer puts what it draws: the editor surface implements it
// over its back buffer. UI thread.

#include "graphics/editor/IBounds.h"
#include "graphics/editor/TextStyle.h"

#include <cstdint>

class ShapeSink
{
public:
    virtual ~ShapeSink() = default;

    // Blends width x height pixels (0xAARRGGBB, straight alpha, rows of width
    // pixels, top row first) with their own alpha at full weight into target
    // (R - L = width, B - T = height), clipped to the area being drawn. The
    // pixels are valid only during the call: the sink may wrap them as a
    // bitmap but not keep them.
    virtual void BlendPixels(uint32_t* pixels, int32_t width, int32_t height, const IBounds& target) = 0;

    // Draws text with style into target (the surface may cache a font in the
    // style). Only called with a non-empty text.
    virtual void DrawStyledText(TextStyle& style, const char* text, const IBounds& target) = 0;
};
