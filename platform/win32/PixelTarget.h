#pragma once
// Internal: the pixels a DC draws into, addressed top row first, with the
// rectangles drawing may touch.

#include "platform/win32/LayerState.h"

#include <vector>

struct PixelTarget
{
    uint32_t* top = nullptr;  // the top row
    ptrdiff_t stride = 0;  // pixels from a row to the one below (negative: bottom-up)
    int width = 0;
    int height = 0;
    std::vector<RECT> clip;  // inside (0, 0, width, height), disjoint
    HWND window = nullptr;  // a window's store: its presenter is told
    uint32_t* Row(int y) const { return top + stride * y; }
};

// The DC's pixels; false when the DC draws nowhere (its window is gone).
bool TargetOf(const DcObject& dc, PixelTarget& target);
// Tells the presenter that pixels inside changed reached a window.
void ReportChange(const PixelTarget& target, const RECT& changed);
// Sets red, green and blue of the pixels of r inside the clipping; the alpha
// byte stays. Answers the area changed.
RECT FillTarget(const PixelTarget& target, const RECT& r, COLORREF colour);
// 0x00RRGGBB of a COLORREF.
inline uint32_t PixelOf(COLORREF c)
{
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}
