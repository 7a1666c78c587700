#pragma once
// Where a control sits in the editor's design space: four values (left,
// top, width, height), each with the mode that places it at the editor's
// current size (IResize::ResolveBounds).

#include <cstdint>

// How one value of a layout box is placed (W, H the design size; sx, sy the
// horizontal and vertical scale).
enum EAnchorMode : int32_t
{
    kAnchorAbsolute = 0,  // the value itself, in pixels
    kAnchorRight = 1,     // the value plus trunc(W x sx)
    kAnchorBottom = 2,    // the value plus trunc(H x sy)
    kAnchorScaled = 3,    // the value times the scale of its axis
};

// Eight values in this order: x, xMode, y, yMode, w, wMode, h, hMode (modes
// are EAnchorMode values; an unknown mode places its value as absolute).
struct ILayoutBox
{
    int32_t x = 0;
    int32_t xMode = kAnchorAbsolute;
    int32_t y = 0;
    int32_t yMode = kAnchorAbsolute;
    int32_t w = 0;
    int32_t wMode = kAnchorAbsolute;
    int32_t h = 0;
    int32_t hMode = kAnchorAbsolute;
};
