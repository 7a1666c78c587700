#pragma once
// The pixels of one area of the back buffer, kept to be copied back: what
// the controls below a run left there (SurfaceBackdrops). [UI thread]

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
    // Whether part (not empty) lies in what is held.
    bool Holds(const IBounds& part) const;
    // Copies part (which it holds) into to, at the same place.
    void CopyTo(LICE_IBitmap& to, const IBounds& part) const;

private:
    LICE_MemBitmap pixels;  // of the held area, its top-left at pixel (0, 0)
    IBounds held = {};
};
