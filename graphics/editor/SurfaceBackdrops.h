#pragma once
// Backdrops of the editor surface: below runs of controls that change often
// (the meter's bars, a read-out's value), the pixels the controls below the
// run left in the area the run covers. A draw inside that area in which no
// control below the run that meets it has changed copies those pixels and
// paints only from the run's first control up.
//
// A backdrop is stored only by a draw that paints every control below its
// run (from the first of them it paints at all, from the start or from the
// backdrop of a lower run) over the whole of its area. A draw that paints
// them over part of it makes it unknown: such a draw leaves out any control
// below the run that paints beyond its draw area into the part, and it
// draws the changes of controls below the run there. The change scan then
// has the whole area drawn again at the next change of the run. [UI thread]

#include "framework/core/PointerList.h"
#include "graphics/editor/IBounds.h"
#include "graphics/editor/IControl.h"
#include "graphics/editor/SurfaceBackdrop.h"

#include <cstdint>
#include <memory>
#include <vector>

class LICE_IBitmap;

class SurfaceBackdrops
{
public:
    // Controls first to last (indices of the surface's list) are a run.
    void Add(int32_t first, int32_t last);
    // No runs any more.
    void Clear() { runs.clear(); }
    bool Empty() const { return runs.empty(); }
    // The controls, their areas or the back buffer changed: nothing is held
    // and every area is found again.
    void Forget();

    // Before a draw of area (drawn: its part in back) that will paint every
    // control from the answer up: the first control of the run whose
    // backdrop serves there, copied into drawn; else 0. The backdrops of the
    // runs starting above the answer that drawn meets only in part are
    // forgotten.
    int32_t Start(const PointerList<IControl>& controls, LICE_IBitmap& back, const IBounds& area,
                  const IBounds& drawn);
    // At control idx (above Start's answer, or any with 0) of that draw,
    // before it paints: stores the backdrops of the runs starting there
    // whose area drawn holds.
    void Reach(int32_t idx, const PointerList<IControl>& controls, const LICE_IBitmap& back, const IBounds& drawn);
    // The area of the run that holds changed control idx when its backdrop
    // is not held: drawn whole, it stores it. Empty otherwise.
    IBounds Wanted(int32_t idx, const PointerList<IControl>& controls, const LICE_IBitmap* back);

private:
    struct Run
    {
        int32_t first;
        int32_t last;
        IBounds area = {};
        bool areaKnown = false;
        std::unique_ptr<SurfaceBackdrop> pixels = std::make_unique<SurfaceBackdrop>();
    };

    // The run's area: what its controls cover in back.
    const IBounds& AreaOf(Run& run, const PointerList<IControl>& controls, const LICE_IBitmap& back);

    std::vector<Run> runs;  // by first control
};
