#include "graphics/vector/ISVGClickControl.h"

#include "framework/core/IPlugBase.h"
#include "graphics/vector/SurfaceShapeSink.h"

void ISVGClickControl::PointerPressed(int32_t, int32_t, const IPointerMods&)
{
    pressed = true;
    if (command >= 0 && Plug())
        Plug()->HandleParamChange(command);
    MarkChanged(true);
}

void ISVGClickControl::PointerReleased(int32_t, int32_t, const IPointerMods&)
{
    pressed = false;
    MarkChanged(true);
}

void ISVGClickControl::Paint(IGraphics* graphics) { DrawGroupOn(graphics, group, DrawArea(), pressed ? 1 : 0, Blend()); }
