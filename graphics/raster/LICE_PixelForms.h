#pragma once
// The per-channel combine formulas of compose, fill and text, and their
// single-pixel forms. Channels are 0-255 and weights 0-256 (a source value
// may be 256 where a fill uses its weight as the alpha source); divisions
// truncate toward zero. Free of state; any thread.

#include "graphics/raster/LICE_Hsv.h"

#include <cstdint>

inline int LICE_ClampByte(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// Byte i of a pixel (0 blue, 1 green, 2 red, 3 alpha).
inline int LICE_PixelByte(uint32_t pixel, int i) { return static_cast<int>(pixel >> (8 * i) & 0xFF); }

// Copy: d moves toward s by w / 256 (stays between d and s).
inline int LICE_CopyChannel(int d, int s, int w) { return s + (d - s) * (256 - w) / 256; }

// Add, clamped.
inline int LICE_AddChannel(int d, int s, int w) { return LICE_ClampByte(d + s * w / 256); }

// Colour dodge, clamped.
inline int LICE_DodgeChannel(int d, int s, int w)
{
    const int k = 256 - s * w / 256;
    return LICE_ClampByte(k > 1 ? d * 256 / k : d * 256);
}

// Multiply (never leaves 0-255).
inline int LICE_MultiplyChannel(int d, int s, int w) { return (d * (s * w + (256 - w) * 256)) >> 16; }

// Overlay, clamped. The product is never negative, so the shift is exact.
inline int LICE_OverlayChannel(int d, int s, int w)
{
    const int t = s * w + (256 - w) * 128;
    return LICE_ClampByte(((32768 - t) * d / 256 + t) * d >> 15);
}

// Source-alpha copy of one pixel at weight ia (1-256): w = ((sa + 1) x ia)
// / 256; blue, green and red move toward the source by w / 256, alpha gains
// w (sa at full weight), limited to 255; a source of alpha 0 leaves d as it
// is.
inline uint32_t LICE_CopySourceAlphaPixel(uint32_t d, uint32_t s, int ia)
{
    const int sa = LICE_PixelByte(s, 3);
    if (sa == 0)
        return d;
    const int w = (sa + 1) * ia / 256;
    const int gain = ia == 256 ? w - 1 : w;
    const auto copy = [d, s, w](int i) {
        return static_cast<uint32_t>(LICE_CopyChannel(LICE_PixelByte(d, i), LICE_PixelByte(s, i), w)) << (8 * i);
    };
    const auto alpha = static_cast<uint32_t>(LICE_PixelByte(d, 3) + gain < 255 ? LICE_PixelByte(d, 3) + gain : 255);
    return alpha << 24 | copy(2) | copy(1) | copy(0);
}

// Stores the four values each limited to 0-255.
inline void LICE_PutClampedPixel(uint32_t* pixel, int blue, int green, int red, int alpha)
{
    *pixel = static_cast<uint32_t>(LICE_ClampByte(alpha)) << 24 | static_cast<uint32_t>(LICE_ClampByte(red)) << 16 |
             static_cast<uint32_t>(LICE_ClampByte(green)) << 8 | static_cast<uint32_t>(LICE_ClampByte(blue));
}

// HSV adjust at weight w: red 128 keeps the hue (lower turns it back,
// higher forward), green 128 keeps the saturation, blue 128 the value. The
// result's alpha byte is alpha (limited to 0-255).
inline void LICE_HsvAdjustPixel(uint32_t* pixel, int red, int green, int blue, int alpha, int w)
{
    const uint32_t d = *pixel;
    LICE_HsvColour hsv = LICE_PixelToHsv(LICE_PixelByte(d, 0), LICE_PixelByte(d, 1), LICE_PixelByte(d, 2));
    hsv.hue += (red + red / 2 - 192) * w / 256;
    if (hsv.hue < 0)
        hsv.hue += 384;
    else if (hsv.hue >= 384)
        hsv.hue -= 384;
    hsv.saturation = LICE_ClampByte(hsv.saturation + (green - 128) * w / 128);
    hsv.value = LICE_ClampByte(hsv.value + (blue - 128) * w / 128);
    *pixel = LICE_HsvToPixel(hsv.hue, hsv.saturation, hsv.value, alpha);
}
