#pragma once
// A text label drawn by its shape group: the text goes into the first shape
// of the group's last layer just before the group is drawn, so face, size,
// colour and alignment are the artwork's. Several labels share one group.
// It is also the caption and name text that a control keeps up to date
// (ILinkedText), and the read-outs are written through SetTextIfChanged.
// No parameter. [UI thread]

#include "framework/core/StringBuf.h"
#include "graphics/editor/IControl.h"
#include "graphics/editor/ILinkedText.h"
#include "graphics/vector/ShapeGroup.h"

class ITextControl_SVG1 final : public IControl, public ILinkedText
{
public:
    // group: not owned, may be null (nothing is drawn). text: copied; null
    // is empty.
    ITextControl_SVG1(IPlugBase* plug, const ILayoutBox& box, ShapeGroup* group, const char* text);

    // Nothing while the text is empty; else the group, frame 0, showing it.
    void Paint(IGraphics* graphics) override;

    // Stores text (null: empty) and marks the control changed only when it
    // differs byte for byte from the text held.
    void SetTextIfChanged(const char* text) override;

    const char* Text() const { return text.Get(); }
    ShapeGroup* Group() const { return group; }

private:
    ShapeGroup* group;
    StringBuf text;
};
