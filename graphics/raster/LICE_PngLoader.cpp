// The PNG image loader and its registration at start-up.

#include "graphics/raster/LICE_ImageLoader.h"
#include "graphics/raster/LICE_ReadPng.h"

#include <cstring>
#include <strings.h>

namespace {

// The extension is what follows the name's last '.', unless a folder
// separator comes after that '.'.
bool HasPngExtension(const char* name)
{
    const char* end = name + std::strlen(name);
    for (const char* p = end; p > name; --p)
    {
        const char c = p[-1];
        if (c == '/' || c == '\\')
            return false;
        if (c == '.')
        {
            const char* extension = p - 1;
            return end - extension == 4 && strncasecmp(extension, ".png", 4) == 0;
        }
    }
    return false;
}

LICE_IBitmap* LoadPng(const char* fileName, bool checkExtension, LICE_IBitmap* bitmap)
{
    if (!fileName || (checkExtension && !HasPngExtension(fileName)))
        return nullptr;
    return LICE_ReadPngFile(fileName, bitmap);
}

void DescribePng(const char** description, const char** pattern)
{
    if (description)
        *description = "PNG files (*.PNG)";
    if (pattern)
        *pattern = "*.PNG";
}

}  // namespace

const LICE_ImageLoader LICE_PngImageLoader = {LoadPng, DescribePng};

namespace {

const bool kPngLoaderRegistered = (LICE_RegisterImageLoader(&LICE_PngImageLoader), true);

}  // namespace
