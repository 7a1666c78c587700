#include "graphics/vector/ITextControl_SVG1.h"

#include "graphics/vector/SurfaceShapeSink.h"

#include <cstring>

ITextControl_SVG1::ITextControl_SVG1(IPlugBase* plug, const ILayoutBox& box, ShapeGroup* group, const char* text)
    : IControl(plug, box, -1, kBlendSourceAlpha, 1.0f), group(group), text(text ? text : "")
{
}

void ITextControl_SVG1::Paint(IGraphics* graphics)
{
    if (text.GetLength() == 0 || !group)
        return;
    group->SetText(text.Get());
    DrawGroupOn(graphics, group, DrawArea(), 0, Blend());
}

void ITextControl_SVG1::SetTextIfChanged(const char* newText)
{
    const char* shown = newText ? newText : "";
    if (std::strcmp(shown, text.Get()) == 0)
        return;
    text.Set(shown);
    MarkChanged(true);
}
