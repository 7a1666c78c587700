#include "graphics/editor/IResize.h"

#include "graphics/editor/TruncToInt.h"

namespace {

// An edge placed by mode: origin is where the absolute and anchored modes
// start from, designValue what the scaled mode multiplies.
int32_t PlaceEdge(int32_t mode, int64_t origin, int64_t designValue, double scale, int32_t rightShift,
                  int32_t bottomShift)
{
    switch (mode)
    {
    case kAnchorRight:
        return SaturatingAdd(origin, rightShift);
    case kAnchorBottom:
        return SaturatingAdd(origin, bottomShift);
    case kAnchorScaled:
        return TruncToInt(static_cast<double>(designValue) * scale);
    default:
        return SaturatingAdd(origin, 0);
    }
}

}  // namespace

void IResize::SetLayoutFrame(int32_t width, int32_t height, double newScaleX, double newScaleY)
{
    designWidth = width;
    designHeight = height;
    scaleX = newScaleX;
    scaleY = newScaleY;
}

IBounds IResize::ResolveBounds() const
{
    const int32_t rightShift = TruncToInt(designWidth * scaleX);
    const int32_t bottomShift = TruncToInt(designHeight * scaleY);
    IBounds b;
    b.L = PlaceEdge(box.xMode, box.x, box.x, scaleX, rightShift, bottomShift);
    b.T = PlaceEdge(box.yMode, box.y, box.y, scaleY, rightShift, bottomShift);
    b.R = PlaceEdge(box.wMode, int64_t{b.L} + box.w, int64_t{box.x} + box.w, scaleX, rightShift, bottomShift);
    b.B = PlaceEdge(box.hMode, int64_t{b.T} + box.h, int64_t{box.y} + box.h, scaleY, rightShift, bottomShift);
    return b;
}
