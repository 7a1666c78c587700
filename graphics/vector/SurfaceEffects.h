#pragma once
// Pixel operations on cairo image surfaces (ARGB32 unless said otherwise).
// Each flushes the surface before it reads and marks it dirty after it
// writes, so they can run while a context on the surface is alive. A surface
// in an error state, or in another format, is left alone. Working memory
// that cannot be had leaves the surface as it was.

#include "graphics/editor/BoundsOps.h"

#include <cairo.h>

#include <cstdint>

// Separable blur with integer weights trunc(80 x exp(-i^2 / 30)) over a
// kernel of kernelSize taps (below 4: 3), i counted from the kernel's
// middle; every channel is divided by the full weight total, so pixels near
// the edges lose weight and fade. Also takes RGB24. Taps past |i| = 11 weigh
// 0, so a kernel wider than 63 gives what 63 gives.
void BlurSurface(cairo_surface_t* surface, int32_t kernelSize);

// Relief from the luminance (R + G + B) / 3 of each pixel's 3 x 3
// neighbourhood: R, G and B each get + trunc((-2 tl - t - l + r + b + 2 br) x
// strength / 10), clamped to 0-255; alpha stays. The one-pixel border becomes
// transparent.
void EmbossSurface(cairo_surface_t* surface, double strength);

// Edge highlight: R, G and B each get + trunc(|Sobel gradient of the
// luminance| x strength / 10), clamped; alpha stays; the border becomes
// transparent.
void EdgeHighlightSurface(cairo_surface_t* surface, double strength);

// Premultiplied to straight alpha: each colour channel c of a pixel with
// alpha a > 0 becomes (c x 255 + a / 2) / a in integers (at most 255); a
// pixel with a = 0 becomes 0 altogether.
void UnpremultiplySurface(cairo_surface_t* surface);

// UnpremultiplySurface on the pixels inside area (surface pixels, cut to
// the surface) only; the others stay as they are. Answers the smallest
// rectangle inside area that holds every pixel with alpha above 0 (the
// empty rectangle when there is none, or the surface is left alone).
IBounds UnpremultiplyArea(cairo_surface_t* surface, const IBounds& area);
