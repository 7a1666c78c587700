#pragma once
// An invisible click area: a press sends its command to the plug-in's
// parameter-change handler (IPlugBase::HandleParamChange). It draws nothing
// and ignores double-clicks. [UI thread]

#include "graphics/editor/IControl.h"

#include <cstdint>

class IInvisibleClickControl_SVG1 final : public IControl
{
public:
    // command: the index handed to the handler; below 0, none.
    IInvisibleClickControl_SVG1(IPlugBase* plug, const ILayoutBox& box, int32_t command)
        : IControl(plug, box, -1, kBlendSourceAlpha, 1.0f), command(command)
    {
    }

    // Any button: the command, when there are one and a plug-in.
    void PointerPressed(int32_t x, int32_t y, const IPointerMods& mods) override;
    void PointerDoubleClicked(int32_t, int32_t, const IPointerMods&) override {}
    void Paint(IGraphics*) override {}

private:
    int32_t command;
};
