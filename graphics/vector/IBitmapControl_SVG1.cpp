#include "graphics/vector/IBitmapControl_SVG1.h"

#include "graphics/vector/FrameForValue.h"
#include "graphics/vector/SurfaceShapeSink.h"

void IBitmapControl_SVG1::Paint(IGraphics* graphics)
{
    const int32_t frames = group ? group->frameCount : 0;
    DrawGroupOn(graphics, group, DrawArea(), FrameForValue(frames, Value()), Blend());
}
