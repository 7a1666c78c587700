#include "graphics/vector/ISwitchControl_SVG1.h"

#include "graphics/vector/FrameForValue.h"
#include "graphics/vector/SurfaceShapeSink.h"

void ISwitchControl_SVG1::PointerPressed(int32_t, int32_t, const IPointerMods&)
{
    const int32_t frames = group ? group->frameCount : 0;
    value += frames >= 2 ? 1.0 / (frames - 1) : 1.0;
    if (value > 1.001)
        value = 0.0;
    MarkChanged(true);
}

void ISwitchControl_SVG1::Paint(IGraphics* graphics)
{
    const int32_t frames = group ? group->frameCount : 0;
    DrawGroupOn(graphics, group, DrawArea(), FrameForValue(frames, value), Blend());
}
