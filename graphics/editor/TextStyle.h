#pragma once
// Face, size, colours, style and placement of a text drawn by the editor
// surface. A plain value: copying it copies the font pointer, which the
// surface's font cache owns.

#include "graphics/editor/IArgb.h"

#include <cstdint>

class LICE_CachedFont;

struct TextStyle
{
    static constexpr int32_t kFaceSize = 32;

    TextStyle() { SetDefault(); }

    // Face "Verdana", size 12, black text on a white entry field with black
    // entry text, style 0, centred, every other field 0, no font.
    void SetDefault();

    char face[kFaceSize];            // NUL-terminated
    int32_t size;                    // font height in pixels
    IArgb colour;
    IArgb entryBackground;           // value-entry field
    IArgb entryForeground;
    int32_t style;                   // 0 normal, 1 bold, 2 italic
    int32_t alignment;               // 0 left, 1 centre, 2 right (any other: right)
    int32_t verticalPlacement;       // 2 bottom, 3 middle of one line, other: top
    int32_t orientation;             // text angle in degrees
    int32_t quality;                 // 0 default, 1 aliased, 2 antialiased, 3 subpixel
    LICE_CachedFont* font;           // made by the surface for this style; not owned
};
