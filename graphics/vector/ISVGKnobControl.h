#pragma once
// A value-driven picture: every layer of its group draws its first shape
// with all animations at the control's value (the bar meters: a cover slid
// by the value). With a parameter it is edited like a value field
// (ISVGValueControl) and shows "<display text> <unit>" in its group's text,
// on the last layer only while the pointer is over it, unless the text is
// always shown. A value set as the user's is only stored and redrawn (the
// meter view drives the bars), never pushed. [UI thread]
//
// Without a parameter, when only its value moved since it was last drawn
// whole, it asks to redraw only where the group's look can differ between
// the two values (GroupValueChangeArea): a bar, the rows between its old
// and new edge.

#include "graphics/vector/ISVGValueControl.h"

#include <atomic>
#include <cstdint>
#include <limits>

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
    // As the base's; a change of the value alone leaves what it shows
    // otherwise as it was.
    void AcceptPlugValue(double v) override;
    // Every other change may alter its whole look.
    void MarkChanged(bool push) override;
    void SetArea(const IBounds& area) override;
    IBounds ChangedArea() const override;

    bool IsHovering() const { return hovering; }

private:
    bool hovering = false;
    bool textAlwaysShown;
    // The value its pixels show, all of them, as far as the value goes;
    // NaN when they show no one value.
    double shownValue = std::numeric_limits<double>::quiet_NaN();
    // A change other than of the value since it was last drawn whole.
    std::atomic<bool> restyled{true};
};
