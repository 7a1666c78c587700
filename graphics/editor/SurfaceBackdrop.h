#pragma once
// The back buffer as the controls below a level left it, kept for one area
// of the editor (the area the controls from the level up cover): a draw
// inside it in which none of the controls below the level changed copies
// these pixels and paints only the controls from the level up. [UI thread]

#include "graphics/editor/IBounds.h"
#include "graphics/raster/LICE_MemBitmap.h"

class LICE_IBitmap;

class SurfaceBackdrop
{
public:
    // Nothing is held any more (the memory is kept).
    void Forget() { held = IBounds{}; }
    // Keeps area (not empty, inside from) of from's pixels, and only that.
    void Store(const LICE_IBitmap& from, const IBounds& area);
    // Whether area (not empty) lies in what is held, for a bitmap of of's size.
    bool Holds(const LICE_IBitmap& of, const IBounds& area) const;
    // Copies area (which it holds) into to.
    void CopyTo(LICE_IBitmap& to, const IBounds& area) const;

private:
    LICE_MemBitmap pixels;
    IBounds held = {};
};
