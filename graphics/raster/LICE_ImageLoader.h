#pragma once
// The process-wide list of image loaders, each registered during static
// initialisation (the PNG loader is one). Nothing in the system reads the
// list yet; it is what a file-open dialog or an image cache would consult.
// Registration happens before main; reading is safe from any thread after.

#include "graphics/raster/LICE_IBitmap.h"

#include <cstdint>

struct LICE_ImageLoader
{
    // Loads fileName (UTF-8) into bitmap (null: a new bitmap the caller
    // owns). With checkExtension, a name that is not of this loader's kind
    // loads nothing. Null on failure.
    LICE_IBitmap* (*load)(const char* fileName, bool checkExtension, LICE_IBitmap* bitmap);
    // The file-dialog filter pair: its description and its pattern.
    void (*describe)(const char** description, const char** pattern);
};

// Adds a loader (not owned; it lives as long as the process). Null is ignored.
void LICE_RegisterImageLoader(const LICE_ImageLoader* loader);
int32_t LICE_ImageLoaderCount();
// The loader at index in registration order; null outside the list.
const LICE_ImageLoader* LICE_GetImageLoader(int32_t index);

// The PNG loader: accepts names ending in ".png" (any case) when checking,
// and describes itself as "PNG files (*.PNG)" / "*.PNG".
extern const LICE_ImageLoader LICE_PngImageLoader;
