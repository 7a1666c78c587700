#pragma once
// A value-driven picture: every layer of its group draws its first shape
// with all animations at the control's value (the bar meters: a cover slid
// by the value). With a parameter it is edited like a value field
// (ISVGValueControl) and shows "<display text> <unit>" in its group's text,
// on the last layer only while the pointer is over it, unless the text is
// always shown. A value set as the user's is only stored and redrawn (the
// meter view drives the bars), never pushed. [UI thread]

#include "graphics/vector/ISVGValueControl.h"

#include <cstdint>

class ISVGKnobControl final : public ISVGValueControl
{
public:
    // paramIdx: -1 for none. group: not owned, may be null (nothing drawn).
    ISVGKnobControl(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx, ShapeGroup* group,
                    bool textAlwaysShown);

    // With a parameter: the value pushed again (the release of a drag).
    void PointerReleased(int32_t x, int32_t y, const IPointerMods& mods) override;
    void PointerHovering(int32_t x, int32_t y, const IPointerMods& mods) override;
    void PointerLeft() override;
    // With a parameter the group's text becomes its value text (empty when
    // the value has no display text, so no other control's text shows).
    // The last layer's text shows when always shown, else while hovered.
    void Paint(IGraphics* graphics) override;
    // A finite value that differs: stored, redraw requested; no push, no clamp.
    void AcceptUserValue(double v) override;

    bool IsHovering() const { return hovering; }

private:
    bool hovering = false;
    bool textAlwaysShown;
};
