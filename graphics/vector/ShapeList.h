#pragma once
// A layer of the artwork: shapes that are alternative frames of one element,
// of which a control draws one. Owns its shapes.

#include "framework/core/PointerList.h"
#include "graphics/vector/Shape.h"

#include <cstdint>

class ShapeList
{
public:
    ShapeList() = default;
    ~ShapeList();
    ShapeList(const ShapeList&) = delete;
    ShapeList& operator=(const ShapeList&) = delete;

    // Appenders: each makes a shape with the defaults of Shape, sets what its
    // arguments name, appends it and returns it (owned by the layer); null,
    // nothing appended, when the list cannot grow.

    // Rounded rectangle (kind 1).
    Shape* AddShape(double inset, double cornerRadius);
    // Ellipse (kind 2).
    Shape* AddShapeKind2(double ellipseInset);
    // Scale marks (kind 8).
    Shape* AddShapeKind8(double marksInset, double markLength, double markSpacing, int32_t oneSided);
    // Text path (kind 11), as Shape::SetText; a null text is empty.
    Shape* AddText(const char* text, const char* face, int32_t baseSize, int32_t bold, int32_t slant, int32_t hAlign,
                   int32_t vAlign, int32_t extra);
    // Kind 1 with inset 0, the given geometry, solid colour (not animated,
    // colour-to opaque black), filled flag, stroke width and shadow.
    Shape* AddFilledShape(uint8_t absoluteUnits, double cornerRadius, IArgb colour, uint8_t filled, double strokeWidth,
                          int32_t shadowOn, double shadowOffsetX, double shadowOffsetY, double shadowOpacity,
                          double shadowBlur);

    int32_t Count() const { return shapes.GetSize(); }
    // The frame at index; null when out of range.
    Shape* Get(int32_t index) const { return shapes.Get(index); }

    // Every shape: editor scale (sx, sy), text-style size trunc(base size x
    // sy), cached font dropped so the surface makes one of the new size. A
    // factor that is not finite and positive counts as 1.
    void SetScale(double sx, double sy);
    void EnableBlur(bool on);
    void EnableShadowBlur(bool on);

    uint8_t visible = 1;
    uint8_t textOn = 1;  // a layer whose first shape is text is drawn only while set

private:
    Shape* Append(Shape* shape);

    PointerList<Shape> shapes;
};
