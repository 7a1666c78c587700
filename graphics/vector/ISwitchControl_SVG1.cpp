#include "graphics/vector/ISwitchControl_SVG1.h"

#include "graphics/vector/FrameForValue.h"
#include "graphics/vector/SurfaceShapeSink.h"

void ISwitchControl_SVG1::PointerPressed(int32_t, int32_t, const IPointerMods&)
{
    const int32_t frames = group ? group->frameCount : 0;
    const double next = Value() + (frames >= 2 ? 1.0 / (frames - 1) : 1.0);
    SetValue(next > 1.001 ? 0.0 : next);
    MarkChanged(true);
}

void ISwitchControl_SVG1::Paint(IGraphics* graphics)
{
    const int32_t frames = group ? group->frameCount : 0;
    DrawGroupOn(graphics, group, DrawArea(), FrameForValue(frames, Value()), Blend());
}
