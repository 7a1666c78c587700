#pragma once
// A switch drawn by its group: the frame follows the value (FrameForValue),
// and every press steps the value by one frame, wrapping to 0.0 after the
// last. [UI thread]

#include "graphics/editor/IControl.h"
#include "graphics/vector/ShapeGroup.h"

#include <cstdint>

class ISwitchControl_SVG1 final : public IControl
{
public:
    // group: not owned, may be null (nothing drawn; each press then steps by 1.0).
    ISwitchControl_SVG1(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx, ShapeGroup* group)
        : IControl(plug, box, paramIdx, kBlendSourceAlpha, 1.0f), group(group)
    {
    }

    // Any button: value + 1 / (frames - 1) with two frames or more, else + 1.0;
    // above 1.001 it wraps to 0.0; pushed to the plug-in.
    void PointerPressed(int32_t x, int32_t y, const IPointerMods& mods) override;
    void Paint(IGraphics* graphics) override;

private:
    ShapeGroup* group;
};
