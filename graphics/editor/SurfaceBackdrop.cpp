#include "graphics/editor/SurfaceBackdrop.h"

#include "graphics/editor/BoundsOps.h"
#include "graphics/raster/LICE_Compose.h"

namespace {

void Copy(LICE_IBitmap& to, const LICE_IBitmap& from, const IBounds& area)
{
    LICE_Compose(&to, &from, area.L, area.T, area.L, area.T, area.R - area.L, area.B - area.T, 1.0f, kCombineCopy);
}

}  // namespace

void SurfaceBackdrop::Store(const LICE_IBitmap& from, const IBounds& area)
{
    held = IBounds{};
    if (pixels.Width() != from.Width() || pixels.Height() != from.Height())
    {
        pixels.SetSize(from.Width(), from.Height());
        if (pixels.Width() != from.Width() || pixels.Height() != from.Height())
            return;  // no memory: nothing is held
    }
    const IBounds part = BoundsClip(area, IBounds{0, 0, from.Width(), from.Height()});
    if (IsEmptyBounds(part))
        return;
    Copy(pixels, from, part);
    held = part;
}

bool SurfaceBackdrop::Holds(const LICE_IBitmap& of, const IBounds& area) const
{
    return !IsEmptyBounds(area) && !IsEmptyBounds(held) && pixels.Width() == of.Width() &&
           pixels.Height() == of.Height() && BoundsInside(area, held);
}

void SurfaceBackdrop::CopyTo(LICE_IBitmap& to, const IBounds& area) const { Copy(to, pixels, area); }
