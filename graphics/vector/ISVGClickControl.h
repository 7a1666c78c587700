#pragma once
// A push button drawn by its shape group: frame 1 while held, frame 0
// otherwise. A press sends its command to the plug-in's parameter-change
// handler (IPlugBase::HandleParamChange) while the button is held, so the
// handler sees the press. No parameter. [UI thread]

#include "graphics/editor/IControl.h"
#include "graphics/vector/ShapeGroup.h"

#include <cstdint>

class ISVGClickControl final : public IControl
{
public:
    // command: below 0, none. group: not owned, may be null (nothing drawn).
    ISVGClickControl(IPlugBase* plug, const ILayoutBox& box, int32_t command, ShapeGroup* group)
        : IControl(plug, box, -1, kBlendSourceAlpha, 1.0f), group(group), command(command)
    {
    }

    // Any button: held, then the command.
    void PointerPressed(int32_t x, int32_t y, const IPointerMods& mods) override;
    void PointerReleased(int32_t x, int32_t y, const IPointerMods& mods) override;
    void Paint(IGraphics* graphics) override;

    bool IsPressed() const { return pressed; }

private:
    ShapeGroup* group;
    int32_t command;
    bool pressed = false;
};
