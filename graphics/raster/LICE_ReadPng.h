#pragma once
// PNG images into bitmaps, decoded with libpng. Every pixel arrives as
// 0xAARRGGBB, not premultiplied: palette images are expanded, grey becomes
// equal red, green and blue, 16-bit channels are cut to 8, images without
// alpha are opaque (255), a transparency chunk gives alpha. Any thread (one
// bitmap per call).
//
// bitmap: null makes a new LICE_MemBitmap (the caller owns it); a given one
// is resized to the image and must then have exactly its size. Each answers
// the bitmap, or null on any failure (then a new bitmap is not made, a given
// one may have been resized): no PNG signature, damaged or cut-off data, an
// image too large for a bitmap.

#include "graphics/raster/LICE_IBitmap.h"

#include "platform/win32/Win32Types.h"

#include <cstddef>

// size bytes at bytes (at least the 8-byte signature).
LICE_IBitmap* LICE_ReadPngMemory(const void* bytes, size_t size, LICE_IBitmap* bitmap);
// The file at fileName (UTF-8); null too when it cannot be read or is no
// regular file (a folder, a pipe).
LICE_IBitmap* LICE_ReadPngFile(const char* fileName, LICE_IBitmap* bitmap);
// The module's resource of type "PNG" named resourceName (a text or a
// MAKEINTRESOURCEA number); null when missing or shorter than 8 bytes.
LICE_IBitmap* LICE_ReadPngResource(HINSTANCE module, const char* resourceName, LICE_IBitmap* bitmap);
