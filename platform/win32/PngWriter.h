#pragma once
// PNG files of 0xAARRGGBB pixels. Any thread.

#include <cstddef>
#include <cstdint>

// Writes width x height pixels, rows rowPixels apart starting at topRow (a
// negative rowPixels walks a bottom-up image), as 8-bit RGB, or RGBA with
// withAlpha. False (no file left behind) when the file cannot be written or
// the size is not positive.
bool WritePngFile(const char* path, const uint32_t* topRow, int width, int height, ptrdiff_t rowPixels,
                  bool withAlpha);
