#include "graphics/vector/IParameterButton_SVG1.h"

#include "framework/core/IPlugParam.h"
#include "graphics/vector/SurfaceShapeSink.h"

#include <cmath>

IParameterButton_SVG1::IParameterButton_SVG1(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx,
                                             ShapeGroup* group)
    : ISVGValueControl(plug, box, paramIdx, group)
{
    SetEntryLength(8);
}

void IParameterButton_SVG1::Paint(IGraphics* graphics)
{
    char text[kParamTextMax + 1] = {};
    if (const IPlugParam* param = Param())
        param->FormatValue(param->Value(), false, text, sizeof text, true);
    DrawGroupShowingText(graphics, group, DrawArea(), text, Blend());
}

void IParameterButton_SVG1::AcceptUserValue(double v)
{
    if (!std::isfinite(v) || v == Value())
        return;
    SetValue(v);
    MarkChanged(true);
}
