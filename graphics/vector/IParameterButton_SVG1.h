#pragma once
// A value field drawn by its group: the group, then the group again showing
// the parameter's display text. Edited by press, drag, wheel and value
// entry (ISVGValueControl); a value set as the user's is pushed on to the
// plug-in. Entry length 8. [UI thread]

#include "graphics/vector/ISVGValueControl.h"

#include <cstdint>

class IParameterButton_SVG1 final : public ISVGValueControl
{
public:
    // group: not owned, may be null (nothing drawn).
    IParameterButton_SVG1(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx, ShapeGroup* group);

    // The group (shared with other fields) is drawn first with no text, so
    // no other field's text shows; then, when the parameter's current value
    // has a display text, drawn again showing it.
    void Paint(IGraphics* graphics) override;
    // A finite value that differs: stored and pushed (MarkChanged(push)).
    void AcceptUserValue(double v) override;
};
