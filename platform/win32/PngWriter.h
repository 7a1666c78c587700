#pragma once
// PNG images of 0xAARRGGBB pixels. Any thread.

#include <cstddef>
#include <cstdint>
#include <vector>

// Encodes width x height pixels, rows rowPixels apart starting at topRow (a
// negative rowPixels walks a bottom-up image), as 8-bit RGB, or RGBA with
// withAlpha, into *png (replaced). False (png empty) when the size is not
// positive or the encoder fails.
bool EncodePng(const uint32_t* topRow, int width, int height, ptrdiff_t rowPixels, bool withAlpha,
               std::vector<uint8_t>* png);

// The same written to the file at path as WriteFileAtomically writes
// (platform/FileIO.h: a file it replaces stays whole until the new one is
// complete; a device is written in place, never removed). False when the
// size is not positive or the file cannot be written (errno says why).
bool WritePngFile(const char* path, const uint32_t* topRow, int width, int height, ptrdiff_t rowPixels,
                  bool withAlpha);
