#pragma once
// The layout part of every control: its box in the design space and the
// design size and scales it was last laid out with. UI thread.

#include "graphics/editor/IBounds.h"
#include "graphics/editor/ILayoutBox.h"

#include <cstdint>

class IResize
{
public:
    explicit IResize(const ILayoutBox& box) : box(box) {}

    // The pixel rectangle of the box at the stored design size and scales
    // (W, H, sx, sy), every product truncated toward zero:
    //   L by xMode: right x + trunc(W sx); bottom x + trunc(H sy); scaled trunc(x sx); else x
    //   T by yMode: the same with y and trunc(y sy)
    //   R by wMode: right L + w + trunc(W sx); bottom L + w + trunc(H sy);
    //               scaled trunc((x + w) sx); else L + w
    //   B by hMode: the same with T, h and trunc((y + h) sy)
    // Sums saturate at the int32 limits; a NaN or infinite scale counts as
    // NaN products do: 0 (or the nearest limit).
    IBounds ResolveBounds() const;

    // Stores what the next ResolveBounds uses (the surface's re-layout).
    void SetLayoutFrame(int32_t width, int32_t height, double scaleX, double scaleY);

    // Only controls with the layout flag are moved by the surface's re-layout.
    bool FollowsLayout() const { return followsLayout; }
    void SetFollowsLayout(bool follows) { followsLayout = follows; }

    int32_t DesignWidth() const { return designWidth; }
    int32_t DesignHeight() const { return designHeight; }
    double ScaleX() const { return scaleX; }
    double ScaleY() const { return scaleY; }

private:
    int32_t designWidth = 100;
    int32_t designHeight = 100;
    double scaleX = 1.0;
    double scaleY = 1.0;
    ILayoutBox box;
    bool followsLayout = true;
};
