#pragma once
// Internal to the font layer: shaping a glyph's 8-bit coverage (width x
// height bytes, rows top first, width bytes apart) after it is rendered.
// Free of state; any thread.

#include <cstdint>

// A quarter turn into out (height x width bytes; out's rows are height
// bytes apart): clockwise, or the other way with counterClockwise.
void LICE_TurnGlyph(const uint8_t* coverage, int32_t width, int32_t height, bool counterClockwise, uint8_t* out);

// Hard edges: above 130 becomes 255, the rest 0.
void LICE_HardenGlyph(uint8_t* coverage, int32_t width, int32_t height);

// After LICE_HardenGlyph: each 0 becomes 0x80 where a shadow falls (its
// left, upper-left or upper neighbour is 255) or, with outline, where any of
// its four direct neighbours is 255.
void LICE_EdgeGlyph(uint8_t* coverage, int32_t width, int32_t height, bool outline);
