#pragma once
// What the parameter button and the knob share: a parameter edited by the
// pointer and the wheel, and typed into a field (or chosen from a popup)
// placed where the artwork shows the value. Everything here needs a
// parameter; without one the control ignores the pointer and the wheel.
// [UI thread]
//
//   press        Shift with a default set: the default. Right button: value
//                entry. Otherwise a drag of (0, 0), which pushes the value.
//   drag         value + dy / (T - B) / gearing (moving up raises it; a full
//                draw-area height of travel changes it by 1 / gearing);
//                gearing 4.0, ten times finer with Ctrl. A draw area without
//                height moves nothing.
//   double-click value entry.
//   wheel        value + notches x 0.01 (x 0.001 with Ctrl).
// Every change is clamped and pushed to the plug-in (MarkChanged).
//
// Value entry takes its place and text style from the first shape of the
// group's last layer: across the draw area, and vertically by that shape's
// vertical alignment (0 top, 1 centred, 2 bottom, else the whole height)
// with the style's size as height. Without such a shape it does not open.

#include "graphics/editor/IControl.h"
#include "graphics/vector/ShapeGroup.h"

#include <cstdint>

class ISVGValueControl : public IControl
{
public:
    void PointerPressed(int32_t x, int32_t y, const IPointerMods& mods) override;
    void PointerDragged(int32_t x, int32_t y, int32_t dx, int32_t dy, const IPointerMods& mods) override;
    void PointerDoubleClicked(int32_t x, int32_t y, const IPointerMods& mods) override;
    void WheelTurned(int32_t x, int32_t y, const IPointerMods& mods, int32_t delta) override;

    ShapeGroup* Group() const { return group; }

protected:
    // group: not owned, may be null. Value entry is enabled.
    ISVGValueControl(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx, ShapeGroup* group);

    bool HasParam() const { return Param() != nullptr; }
    // The entry field's rectangle as the artwork places it; false when the
    // group has no shape to take it from.
    bool EntryArea(IBounds* area, const Shape** shape) const;
    void OpenShapeEntry();

    ShapeGroup* group;

private:
    double gearing = 4.0;
};
