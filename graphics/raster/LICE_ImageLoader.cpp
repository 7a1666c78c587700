#include "graphics/raster/LICE_ImageLoader.h"

#include "framework/core/PointerList.h"

namespace {

// Made on first registration, which may come from any file's static
// initialisation.
PointerList<const LICE_ImageLoader>& Loaders()
{
    static PointerList<const LICE_ImageLoader> loaders;
    return loaders;
}

}  // namespace

void LICE_RegisterImageLoader(const LICE_ImageLoader* loader)
{
    if (loader)
        Loaders().Add(loader);
}

int32_t LICE_ImageLoaderCount() { return Loaders().GetSize(); }

const LICE_ImageLoader* LICE_GetImageLoader(int32_t index) { return Loaders().Get(index); }
