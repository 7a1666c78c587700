#pragma once
// The combine-mode word shared by compose, fill and text: the low byte picks
// how a source pixel is combined with the destination, bit 0x10000 weights
// each pixel by the source's (or the fill colour's) alpha. Other low-byte
// values draw nothing.

#include <cstdint>

using CombineMode = int32_t;

constexpr CombineMode kCombineCopy = 0;       // copy, weighted by alpha
constexpr CombineMode kCombineAdd = 1;        // add
constexpr CombineMode kCombineDodge = 2;      // colour dodge
constexpr CombineMode kCombineMultiply = 3;   // multiply
constexpr CombineMode kCombineOverlay = 4;    // overlay
constexpr CombineMode kCombineHsvAdjust = 5;  // source red, green, blue shift the destination's hue, saturation, value
// Compose only: low bytes 0xF0-0xFF copy one byte channel, the destination
// byte being (mode >> 2) & 3 and the source byte mode & 3.
constexpr CombineMode kCombineChannelCopy = 0xF0;
constexpr CombineMode kCombineSourceAlpha = 0x10000;

constexpr CombineMode kCombineModeMask = 0xFF;
