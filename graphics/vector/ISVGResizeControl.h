#pragma once
// The resize corner: a press starts a drag; every step of the drag is stored
// as the drag distance (whole pixels since the last step) and the command is
// sent to the plug-in's parameter-change handler, which reads the distance
// (through the editor, IEditorLink::ResizeDragDistance) and rescales the
// editor. Drawn by its group, frame 0. No parameter. [UI thread]

#include "graphics/editor/IControl.h"
#include "graphics/vector/ShapeGroup.h"

#include <cstdint>

class ISVGResizeControl final : public IControl
{
public:
    // command: below 0, none. group: not owned, may be null (nothing drawn).
    ISVGResizeControl(IPlugBase* plug, const ILayoutBox& box, int32_t command, ShapeGroup* group)
        : IControl(plug, box, -1, kBlendSourceAlpha, 1.0f), group(group), command(command)
    {
    }

    // The distance goes back to 0, 0.
    void PointerPressed(int32_t x, int32_t y, const IPointerMods& mods) override;
    // Stores (dx, dy), then sends the command.
    void PointerDragged(int32_t x, int32_t y, int32_t dx, int32_t dy, const IPointerMods& mods) override;
    void Paint(IGraphics* graphics) override;

    // The last drag step in pixels (right and down positive); 0, 0 after a
    // press. Always whole numbers: the handler never meets a NaN here.
    void DragDistance(int32_t* dx, int32_t* dy) const
    {
        *dx = dragX;
        *dy = dragY;
    }

private:
    ShapeGroup* group;
    int32_t command;
    int32_t dragX = 0;
    int32_t dragY = 0;
};
