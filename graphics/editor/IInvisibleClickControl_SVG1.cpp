#include "graphics/editor/IInvisibleClickControl_SVG1.h"

#include "framework/core/IPlugBase.h"

void IInvisibleClickControl_SVG1::PointerPressed(int32_t, int32_t, const IPointerMods&)
{
    if (command >= 0 && Plug())
        Plug()->HandleParamChange(command);
}
