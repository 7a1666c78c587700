// IGraphics: the backdrop below the controls that change often.
#include "graphics/editor/IGraphics.h"

#include "graphics/editor/BoundsOps.h"
#include "graphics/raster/LICE_SysBitmap.h"

#include <algorithm>

void IGraphics::SetBackdropLevel(int32_t level)
{
    backdropLevel = level;
    ForgetBackdrop();
}

void IGraphics::ForgetBackdrop()
{
    backdrop.Forget();
    liveAreaKnown = false;
}

const IBounds& IGraphics::LiveArea()
{
    if (!liveAreaKnown)
    {
        IBounds covered = {};
        if (backdropLevel > 0)
            for (int32_t i = backdropLevel; i < controls.GetSize(); ++i)
                covered = BoundsUnion(covered, controls.Get(i)->DrawArea());
        const IBounds whole = {0, 0, backBuffer ? backBuffer->Width() : 0, backBuffer ? backBuffer->Height() : 0};
        liveArea = BoundsClip(covered, whole);
        liveAreaKnown = true;
    }
    return liveArea;
}

bool IGraphics::BackdropWanted()
{
    return backBuffer && backdropLevel > 0 && backdropLevel < controls.GetSize() && !IsEmptyBounds(LiveArea()) &&
           !backdrop.Holds(*backBuffer, LiveArea());
}

int32_t IGraphics::StartFromBackdrop(const IBounds& area, const IBounds& drawn)
{
    if (!backBuffer || backdropLevel <= 0 || backdropLevel >= controls.GetSize() || IsEmptyBounds(drawn))
        return 0;
    const IBounds& live = LiveArea();
    if (BoundsInside(drawn, live) && backdrop.Holds(*backBuffer, drawn))
    {
        // It stands in only for controls that show what they showed when
        // it was stored.
        bool settled = true;
        for (int32_t i = 0; i < backdropLevel && settled; ++i)
        {
            const IControl* control = controls.Get(i);
            settled = !(control->AwaitsDrawing() && BoundsIntersect(control->DrawArea(), area));
        }
        if (settled)
        {
            backdrop.CopyTo(*backBuffer, drawn);
            return backdropLevel;
        }
    }
    if (!IsEmptyBounds(BoundsClip(drawn, live)) && !BoundsInside(live, drawn))
        backdrop.Forget();
    return 0;
}

void IGraphics::KeepBackdrop(const IBounds& drawn)
{
    const IBounds& live = LiveArea();
    if (backBuffer && !IsEmptyBounds(live) && BoundsInside(live, drawn))
        backdrop.Store(*backBuffer, live);
}
