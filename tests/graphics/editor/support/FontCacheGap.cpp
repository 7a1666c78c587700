// TEMPORARY until the font layer is merged: no fonts.
#include "graphics/editor/FontCache.h"
__attribute__((weak)) LICE_CachedFont* CacheFont(TextStyle&) { return nullptr; }
#include "graphics/raster/LICE_ReadPng.h"
__attribute__((weak)) LICE_IBitmap* LICE_ReadPngResource(HINSTANCE, const char*, LICE_IBitmap*) { return nullptr; }
