#include "graphics/vector/Shape.h"

Shape::Shape() : face(kDefaultFace) {}

void Shape::SetText(const char* newText, const char* newFace, int32_t newBaseSize, int32_t newBold,
                    int32_t newSlant, int32_t hAlign, int32_t vAlign, int32_t extra)
{
    kind = kShapeTextPath;
    text.Set(newText);
    face.Set(newFace ? newFace : kDefaultFace);
    baseSize = newBaseSize;
    bold = newBold;
    slant = newSlant;
    horizontalAlignment = hAlign;
    verticalAlignment = vAlign;
    textExtra = extra;
}
