#pragma once
// Where ShapeRenderer puts what it draws: the editor surface implements it
// over its back buffer. UI thread.

#include "graphics/editor/BoundsOps.h"
#include "graphics/editor/IBounds.h"
#include "graphics/editor/TextStyle.h"

#include <cstdint>

class ShapeSink
{
public:
    virtual ~ShapeSink() = default;

    // The part of the target space that blending can change (the area being
    // drawn). The renderer prepares only the pixels inside it; pixels it hands
    // over outside it are never read. The default has no limit.
    virtual IBounds VisibleArea() const { return UnlimitedArea(); }

    // Blends width x height pixels (0xAARRGGBB, straight alpha, rows of width
    // pixels, top row first) with their own alpha at full weight into target
    // (R - L = width, B - T = height), clipped to the area being drawn.
    // `used` (inside target, same coordinates; may be empty) holds every
    // pixel that can change the result: the others have alpha 0 (which
    // leaves the destination as it is) or lie outside VisibleArea, and may be
    // left as drawn. The pixels are valid only during the call: the sink may
    // wrap them as a bitmap but not keep them.
    virtual void BlendPixels(uint32_t* pixels, int32_t width, int32_t height, const IBounds& target,
                             const IBounds& used) = 0;

    // Draws text with style into target (the surface may cache a font in the
    // style). Only called with a non-empty text.
    virtual void DrawStyledText(TextStyle& style, const char* text, const IBounds& target) = 0;
};
