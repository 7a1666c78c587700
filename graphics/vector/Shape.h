#pragma once
// One drawable element of the vector artwork: its kind, the geometry of that
// kind, an optional text, a fill, stroke settings, a drop shadow, pixel
// effects and three optional transforms (scale, offset, rotation) that can be
// animated by their own t. Pure data; ShapeRenderer draws it.
//
// Geometry is in percent of the rectangle the shape is drawn into (W x H;
// W' x H' after the inset) unless absoluteUnits is set: then in design pixels
// times the editor scale (horizontalScale, verticalScale). Built and drawn
// on the UI thread (construction thread while the face is built).

#include "framework/core/StringBuf.h"
#include "graphics/editor/IArgb.h"
#include "graphics/editor/TextStyle.h"
#include "graphics/vector/ShapeFill.h"
#include "graphics/vector/ShapeKind.h"

#include <cstdint>

class Shape
{
public:
    static constexpr const char* kDefaultFace = "Verdana";

    // Every field at the default below; kind 0 (draws nothing).
    Shape();
    Shape(const Shape&) = delete;
    Shape& operator=(const Shape&) = delete;

    // Makes this a text path (kind 11) with a copy of text (null: empty) and
    // of face (null: "Verdana"). bold: nonzero for the bold weight; slant: 0
    // normal, 1 italic, 2 oblique; hAlign 0 left, 1 centre, 2 right; vAlign 0
    // top, 1 centre, 2 bottom; extra is kept with the text, unused in drawing.
    void SetText(const char* text, const char* face, int32_t baseSize, int32_t bold, int32_t slant, int32_t hAlign,
                 int32_t vAlign, int32_t extra);

    // Face of a text shape: never null.
    const char* Face() const { return face.Get(); }

    // Kind 1: a positive inset narrows the rectangle to (100 - inset) % of
    // the width, a negative one shortens it to (100 + inset) % of the height.
    double inset = 0.0;
    double cornerRadius = 0.0;  // percent of sqrt(W x H) / 2 (absolute: design pixels)
    uint8_t cornerTopLeft = 1;  // 0: square corner
    uint8_t cornerTopRight = 1;
    uint8_t cornerBottomLeft = 1;
    uint8_t cornerBottomRight = 1;
    double ellipseInset = 0.0;  // kind 2, the rule of inset
    double marksInset = 0.0;    // kind 8, the rule of inset
    double markLength = 100.0;  // kind 8: half a line is length / 100 x W' / 2
    double markSpacing = 100.0; // kind 8: lines stand spacing / 100 x H' / 2 apart
    int32_t marksOneSided = 0;  // kind 8: nonzero draws only the centre line and those below

    StringBuf text;             // kinds 11 and 12
    int32_t baseSize = 0;       // kind 11 font size at scale 1
    int32_t bold = 0;
    int32_t slant = 0;
    int32_t verticalAlignment = 0;
    int32_t horizontalAlignment = 0;
    int32_t textExtra = 0;
    TextStyle textStyle;        // kind 12, and the value-entry field of a vector control

    double horizontalScale = 1.0;  // sx: the editor scale, set by scaling
    double verticalScale = 1.0;    // sy

    uint8_t visible = 1;
    uint8_t filled = 1;            // 0 strokes the outline (kind 8 is always stroked)
    double strokeWidth = 1.0;      // percent of W' / 2, at least 1 pixel (absolute: design pixels)
    int32_t lineCap = 1;           // cairo line cap: 0 butt, 1 round, 2 square
    int32_t lineJoin = 0;          // cairo line join: 0 miter, 1 round, 2 bevel
    double blur = 0.0;             // pixel effects, run only while effectsOn
    double emboss = 0.0;
    double edges = 0.0;
    uint8_t effectsOn = 1;
    uint8_t absoluteUnits = 0;
    ShapeFill fill;

    int32_t shadowOn = 0;          // drawn first, under the shape
    double shadowOffsetX = 0.0;    // percent of W (absolute: design pixels)
    double shadowOffsetY = 0.0;    // percent of H
    double shadowOpacity = 0.0;    // percent
    double shadowBlur = 0.0;       // blur kernel size x 2
    IArgb shadowColour{255, 0, 0, 0};  // alpha unused: the opacity sets it
    int32_t shadowBlurOn = 1;

    int32_t scaleOn = 0;           // scale about the centre moved by the pivot
    double scalePivotX = 0.0;      // percent of W' (absolute: design pixels)
    double scalePivotY = 0.0;      // percent of H'
    double scaleX = 100.0;         // percent
    double scaleY = 100.0;
    double scaleTargetX = 100.0;
    double scaleTargetY = 100.0;
    int32_t scaleAnimated = 0;
    double scaleT = 0.0;

    int32_t offsetOn = 0;          // translation
    double offsetX = 0.0;          // percent of W' (absolute: design pixels)
    double offsetTargetX = 100.0;
    double offsetY = 0.0;          // percent of H'
    double offsetTargetY = 100.0;
    int32_t offsetAnimated = 0;
    double offsetT = 0.0;

    uint8_t rotationOn = 0;
    uint8_t rotationCounterTurn = 0;  // also turn back about the centre: orbit, keep orientation
    double rotationPivotX = 0.0;      // percent of W' (absolute: design pixels)
    double rotationPivotY = 0.0;      // percent of H'
    double angle = 0.0;               // degrees
    double angleTarget = 90.0;
    int32_t rotationAnimated = 0;
    double rotationT = 0.0;

    int32_t kind = kShapeNone;     // EShapeKind

private:
    StringBuf face;
};
