#include "graphics/vector/ISVGValueControl.h"

#include "graphics/editor/TruncToInt.h"

ISVGValueControl::ISVGValueControl(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx, ShapeGroup* group)
    : IControl(plug, box, paramIdx, kBlendSourceAlpha, 1.0f), group(group)
{
    SetValueEntryDisabled(false);
}

void ISVGValueControl::PointerPressed(int32_t x, int32_t y, const IPointerMods& mods)
{
    if (!HasParam())
        return;
    if (mods.shift && HasDefault())
    {
        SetValue(DefaultValue());
        MarkChanged(true);
    }
    else if (mods.right)
    {
        OpenShapeEntry();
    }
    else
    {
        PointerDragged(x, y, 0, 0, mods);
    }
}

void ISVGValueControl::PointerDragged(int32_t, int32_t, int32_t, int32_t dy, const IPointerMods& mods)
{
    if (!HasParam())
        return;
    const double travel = static_cast<double>(DrawArea().T) - DrawArea().B;
    if (travel < 0.0)
        SetValue(Value() + dy / travel / (mods.ctrl ? gearing * 10.0 : gearing));
    MarkChanged(true);
}

void ISVGValueControl::PointerDoubleClicked(int32_t, int32_t, const IPointerMods&)
{
    if (HasParam())
        OpenShapeEntry();
}

void ISVGValueControl::WheelTurned(int32_t, int32_t, const IPointerMods& mods, int32_t delta)
{
    if (!HasParam())
        return;
    SetValue(Value() + delta * (mods.ctrl ? 0.001 : 0.01));
    MarkChanged(true);
}

bool ISVGValueControl::EntryArea(IBounds* area, const Shape** shape) const
{
    const ShapeList* last = group ? group->Layer(group->LayerCount() - 1) : nullptr;
    const Shape* first = last ? last->Get(0) : nullptr;
    if (!first)
        return false;
    const IBounds& d = DrawArea();
    const int32_t h = first->textStyle.size;
    IBounds r = d;
    switch (first->verticalAlignment)
    {
    case 0:
        r.B = SaturatingAdd(d.T, h);
        break;
    case 1:
    {
        const int32_t middle = SaturatingAdd(d.T, (int64_t{d.B} - d.T) / 2);
        r.T = SaturatingAdd(middle, -(h / 2));
        r.B = SaturatingAdd(middle, h / 2);
        break;
    }
    case 2:
        r.T = SaturatingAdd(d.B, -int64_t{h});
        break;
    default:
        break;
    }
    *area = r;
    *shape = first;
    return true;
}

void ISVGValueControl::OpenShapeEntry()
{
    IBounds area;
    const Shape* shape = nullptr;
    if (!EntryArea(&area, &shape))
        return;
    SetStyle(shape->textStyle);
    OpenValueEntry(area);
}
