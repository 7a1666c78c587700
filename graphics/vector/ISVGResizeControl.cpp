#include "graphics/vector/ISVGResizeControl.h"

#include "framework/core/IPlugBase.h"
#include "graphics/vector/SurfaceShapeSink.h"

void ISVGResizeControl::PointerPressed(int32_t, int32_t, const IPointerMods&)
{
    dragX = 0;
    dragY = 0;
}

void ISVGResizeControl::PointerDragged(int32_t, int32_t, int32_t dx, int32_t dy, const IPointerMods&)
{
    dragX = dx;
    dragY = dy;
    if (command >= 0 && Plug())
        Plug()->HandleParamChange(command);
}

void ISVGResizeControl::Paint(IGraphics* graphics) { DrawGroupOn(graphics, group, DrawArea(), 0, Blend()); }
