#include "graphics/vector/ISVGKnobControl.h"

#include "framework/core/IPlugParam.h"
#include "graphics/editor/BoundsOps.h"
#include "graphics/editor/IGraphics.h"
#include "graphics/vector/SurfaceShapeSink.h"
#include "graphics/vector/ValueChangeArea.h"

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
    const double t = Value();
    DrawGroupAtValueOn(graphics, group, DrawArea(), t, Blend());

    // What its pixels show now: drawn whole, the value; drawn in part, the
    // value when what differs from the value shown before was drawn, the
    // value shown before when none of that was; else no one value.
    const IBounds drawn = graphics ? graphics->ClipArea() : IBounds{};
    if (BoundsInside(DrawArea(), drawn))
    {
        restyled = false;
        shownValue = t;
        return;
    }
    if (restyled || std::isnan(shownValue))
        return;
    const IBounds differs = GroupValueChangeArea(group, DrawArea(), shownValue, t);
    if (BoundsInside(differs, drawn))
        shownValue = t;
    else if (!IsEmptyBounds(BoundsClip(differs, drawn)))
        shownValue = std::numeric_limits<double>::quiet_NaN();
}

void ISVGKnobControl::AcceptUserValue(double v)
{
    if (!std::isfinite(v) || v == Value())
        return;
    SetValue(v);
    RequestRedraw();
}

void ISVGKnobControl::AcceptPlugValue(double v)
{
    if (!std::isfinite(v) || !HasDefault())
    {
        IControl::AcceptPlugValue(v);
        return;
    }
    if (v == Value())
        return;
    SetValue(v);
    RequestRedraw();
    IControl::MarkChanged(false);
}

void ISVGKnobControl::MarkChanged(bool push)
{
    restyled = true;
    IControl::MarkChanged(push);
}

void ISVGKnobControl::SetArea(const IBounds& area)
{
    restyled = true;
    IControl::SetArea(area);
}

IBounds ISVGKnobControl::ChangedArea() const
{
    // With a parameter its text follows the parameter, not the value.
    if (Param() || restyled || std::isnan(shownValue))
        return DrawArea();
    return GroupValueChangeArea(group, DrawArea(), shownValue, Value());
}
