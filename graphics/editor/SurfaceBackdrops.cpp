#include "graphics/editor/SurfaceBackdrops.h"

#include "graphics/editor/BoundsOps.h"
#include "graphics/raster/LICE_IBitmap.h"

#include <algorithm>

void SurfaceBackdrops::Add(int32_t first, int32_t last)
{
    if (first <= 0 || last < first)
        return;  // below the first control there is nothing to keep
    Run run;
    run.first = first;
    run.last = last;
    runs.insert(std::upper_bound(runs.begin(), runs.end(), first,
                                 [](int32_t f, const Run& r) { return f < r.first; }),
                std::move(run));
}

void SurfaceBackdrops::Forget()
{
    for (Run& run : runs)
    {
        run.pixels->Forget();
        run.areaKnown = false;
    }
}

const IBounds& SurfaceBackdrops::AreaOf(Run& run, const PointerList<IControl>& controls, const LICE_IBitmap& back)
{
    if (!run.areaKnown)
    {
        IBounds covered = {};
        for (int32_t i = run.first; i <= run.last && i < controls.GetSize(); ++i)
            covered = BoundsUnion(covered, controls.Get(i)->DrawArea());
        run.area = BoundsClip(covered, IBounds{0, 0, back.Width(), back.Height()});
        run.areaKnown = true;
    }
    return run.area;
}

int32_t SurfaceBackdrops::Start(const PointerList<IControl>& controls, LICE_IBitmap& back, const IBounds& area,
                                const IBounds& drawn)
{
    if (IsEmptyBounds(drawn))
        return 0;
    int32_t first = 0;
    // The run that starts highest skips the most.
    for (auto run = runs.rbegin(); run != runs.rend() && first == 0; ++run)
    {
        if (run->first >= controls.GetSize() || !BoundsInside(drawn, AreaOf(*run, controls, back)) ||
            !run->pixels->Holds(drawn))
            continue;
        // It stands in only for controls that show what they showed when it
        // was stored.
        bool settled = true;
        for (int32_t i = 0; i < run->first && settled; ++i)
        {
            const IControl* control = controls.Get(i);
            settled = !(control->AwaitsDrawing() && BoundsIntersect(control->DrawArea(), area));
        }
        if (settled)
        {
            run->pixels->CopyTo(back, drawn);
            first = run->first;
        }
    }
    // The draw paints every control from first up in drawn: a run starting
    // above first whose area it meets only in part holds what may no longer
    // be. (One whose area it holds is stored when the draw reaches it.)
    for (Run& run : runs)
    {
        if (run.first <= first)
            continue;
        const IBounds& covered = AreaOf(run, controls, back);
        if (!IsEmptyBounds(BoundsClip(drawn, covered)) && !BoundsInside(covered, drawn))
            run.pixels->Forget();
    }
    return first;
}

void SurfaceBackdrops::Reach(int32_t idx, const PointerList<IControl>& controls, const LICE_IBitmap& back,
                             const IBounds& drawn)
{
    for (Run& run : runs)
    {
        if (run.first != idx)
            continue;
        const IBounds& covered = AreaOf(run, controls, back);
        if (!IsEmptyBounds(covered) && BoundsInside(covered, drawn))
            run.pixels->Store(back, covered);
    }
}

IBounds SurfaceBackdrops::Wanted(int32_t idx, const PointerList<IControl>& controls, const LICE_IBitmap* back)
{
    if (!back)
        return {};
    for (Run& run : runs)
        if (idx >= run.first && idx <= run.last && run.first < controls.GetSize())
        {
            const IBounds& covered = AreaOf(run, controls, *back);
            if (!IsEmptyBounds(covered) && !run.pixels->Holds(covered))
                return covered;
        }
    return {};
}
