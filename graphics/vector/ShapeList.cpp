#include "graphics/vector/ShapeList.h"

#include "graphics/editor/TruncToInt.h"

#include <cmath>

ShapeList::~ShapeList() { shapes.DeleteAll(); }

Shape* ShapeList::Append(Shape* shape)
{
    if (shapes.Add(shape))
        return shape;
    delete shape;
    return nullptr;
}

Shape* ShapeList::AddShape(double inset, double cornerRadius)
{
    Shape* s = new Shape;
    s->kind = kShapeRoundedRect;
    s->inset = inset;
    s->cornerRadius = cornerRadius;
    return Append(s);
}

Shape* ShapeList::AddShapeKind2(double ellipseInset)
{
    Shape* s = new Shape;
    s->kind = kShapeEllipse;
    s->ellipseInset = ellipseInset;
    return Append(s);
}

Shape* ShapeList::AddShapeKind8(double marksInset, double markLength, double markSpacing, int32_t oneSided)
{
    Shape* s = new Shape;
    s->kind = kShapeScaleMarks;
    s->marksInset = marksInset;
    s->markLength = markLength;
    s->markSpacing = markSpacing;
    s->marksOneSided = oneSided;
    return Append(s);
}

Shape* ShapeList::AddText(const char* text, const char* face, int32_t baseSize, int32_t bold, int32_t slant,
                          int32_t hAlign, int32_t vAlign, int32_t extra)
{
    Shape* s = new Shape;
    s->SetText(text ? text : "", face, baseSize, bold, slant, hAlign, vAlign, extra);
    return Append(s);
}

Shape* ShapeList::AddFilledShape(uint8_t absoluteUnits, double cornerRadius, IArgb colour, uint8_t filled,
                                 double strokeWidth, int32_t shadowOn, double shadowOffsetX, double shadowOffsetY,
                                 double shadowOpacity, double shadowBlur)
{
    Shape* s = new Shape;
    s->kind = kShapeRoundedRect;
    s->absoluteUnits = absoluteUnits;
    s->cornerRadius = cornerRadius;
    s->fill.animated = 0;
    s->fill.colour = colour;
    s->fill.colourTo = IArgb{255, 0, 0, 0};
    s->filled = filled;
    s->strokeWidth = strokeWidth;
    s->shadowOn = shadowOn;
    s->shadowOffsetX = shadowOffsetX;
    s->shadowOffsetY = shadowOffsetY;
    s->shadowOpacity = shadowOpacity;
    s->shadowBlur = shadowBlur;
    return Append(s);
}

void ShapeList::SetScale(double sx, double sy)
{
    if (!(std::isfinite(sx) && sx > 0.0))
        sx = 1.0;
    if (!(std::isfinite(sy) && sy > 0.0))
        sy = 1.0;
    for (int32_t i = 0; i < shapes.GetSize(); ++i)
    {
        Shape* s = shapes.Get(i);
        s->horizontalScale = sx;
        s->verticalScale = sy;
        s->textStyle.size = TruncToInt(s->baseSize * sy);
        s->textStyle.font = nullptr;
    }
}

void ShapeList::EnableBlur(bool on)
{
    for (int32_t i = 0; i < shapes.GetSize(); ++i)
        shapes.Get(i)->effectsOn = on ? 1 : 0;
}

void ShapeList::EnableShadowBlur(bool on)
{
    for (int32_t i = 0; i < shapes.GetSize(); ++i)
        shapes.Get(i)->shadowBlurOn = on ? 1 : 0;
}
