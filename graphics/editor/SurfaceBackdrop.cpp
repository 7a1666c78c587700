#include "graphics/editor/SurfaceBackdrop.h"

#include "graphics/editor/BoundsOps.h"
#include "graphics/raster/LICE_Compose.h"

void SurfaceBackdrop::Store(const LICE_IBitmap& from, const IBounds& area)
{
    held = IBounds{};
    const IBounds part = BoundsClip(area, IBounds{0, 0, from.Width(), from.Height()});
    if (IsEmptyBounds(part))
        return;
    const int32_t w = part.R - part.L;
    const int32_t h = part.B - part.T;
    pixels.SetSize(w, h);
    if (pixels.Width() != w || pixels.Height() != h)
        return;  // no memory: nothing is held
    LICE_Compose(&pixels, &from, 0, 0, part.L, part.T, w, h, 1.0f, kCombineCopy);
    held = part;
}

bool SurfaceBackdrop::Holds(const IBounds& part) const
{
    return !IsEmptyBounds(part) && !IsEmptyBounds(held) && BoundsInside(part, held);
}

void SurfaceBackdrop::CopyTo(LICE_IBitmap& to, const IBounds& part) const
{
    LICE_Compose(&to, &pixels, part.L, part.T, part.L - held.L, part.T - held.T, part.R - part.L, part.B - part.T,
                 1.0f, kCombineCopy);
}
