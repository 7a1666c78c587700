#include "graphics/vector/ISVGKnobControl.h"

#include "framework/core/IPlugParam.h"
#include "graphics/vector/SurfaceShapeSink.h"

#include <cmath>
#include <cstdio>

ISVGKnobControl::ISVGKnobControl(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx, ShapeGroup* group,
                                 bool textAlwaysShown)
    : ISVGValueControl(plug, box, paramIdx, group), textAlwaysShown(textAlwaysShown)
{
}

void ISVGKnobControl::PointerReleased(int32_t, int32_t, const IPointerMods&)
{
    if (HasParam())
        MarkChanged(true);
}

void ISVGKnobControl::PointerHovering(int32_t, int32_t, const IPointerMods&)
{
    hovering = true;
    MarkChanged(true);
}

void ISVGKnobControl::PointerLeft()
{
    hovering = false;
    MarkChanged(true);
}

void ISVGKnobControl::Paint(IGraphics* graphics)
{
    if (!group)
        return;
    if (const IPlugParam* param = Param())
    {
        char shown[kParamTextMax + 1] = {};
        param->FormatValue(param->Value(), false, shown, sizeof shown, true);
        char text[2 * (kParamTextMax + 1)] = {};
        if (shown[0])
            std::snprintf(text, sizeof text, "%s %s", shown, param->UnitLabel());
        group->SetText(text);
    }
    if (ShapeList* last = group->Layer(group->LayerCount() - 1))
        last->textOn = textAlwaysShown || hovering ? 1 : 0;
    DrawGroupAtValueOn(graphics, group, DrawArea(), Value(), Blend());
}

void ISVGKnobControl::AcceptUserValue(double v)
{
    if (!std::isfinite(v) || v == Value())
        return;
    SetValue(v);
    RequestRedraw();
}
