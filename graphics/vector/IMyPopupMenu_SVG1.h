#pragma once
// A choice parameter shown as a field that opens a menu of its display
// texts. The field is its group, then the group again showing the current
// value's display text (at most 20 bytes). A choice sets the value
// i / (number of texts - 1) (0.0 with a single text) and pushes it; a menu
// dismissed without a choice changes and pushes nothing. [UI thread]

#include "graphics/editor/IControl.h"
#include "graphics/editor/IPlugMenu.h"
#include "graphics/vector/ShapeGroup.h"

#include <cstdint>

class IMyPopupMenu_SVG1 final : public IControl
{
public:
    // The menu holds one item per display text of the parameter (as it
    // stands now), the current value's checked. group: not owned, may be null.
    IMyPopupMenu_SVG1(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx, ShapeGroup* group);

    // Any button: the menu at the draw area (nothing without a parameter,
    // with no items, or off the surface).
    void PointerPressed(int32_t x, int32_t y, const IPointerMods& mods) override;
    // The group (shared with other fields) first with no text, so no other
    // field's text shows; then, when the value has a display text, again
    // showing it.
    void Paint(IGraphics* graphics) override;

    const IPlugMenu& Menu() const { return menu; }

private:
    ShapeGroup* group;
    IPlugParam* param;
    int32_t textCount;
    IPlugMenu menu{kMenuNumberingNone};
};
