#pragma once
// A picture of its group whose frame follows the value (FrameForValue):
// artwork without a parameter, lamps set by the meter view, or a display
// of a parameter. Takes no input of its own. [UI thread]

#include "graphics/editor/IControl.h"
#include "graphics/vector/ShapeGroup.h"

#include <cstdint>

class IBitmapControl_SVG1 final : public IControl
{
public:
    // paramIdx: -1 for none. group: not owned, may be null (nothing drawn).
    IBitmapControl_SVG1(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx, ShapeGroup* group)
        : IControl(plug, box, paramIdx, kBlendSourceAlpha, 1.0f), group(group)
    {
    }

    void Paint(IGraphics* graphics) override;

private:
    ShapeGroup* group;
};
