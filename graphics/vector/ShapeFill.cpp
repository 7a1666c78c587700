#include "graphics/vector/ShapeFill.h"

#include "graphics/vector/ColorFromHex.h"

ShapeFill::~ShapeFill() { stops.DeleteAll(); }

void ShapeFill::SetColors(const char* colourText, int32_t colourAlpha, uint8_t animate, const char* colourToText,
                          int32_t colourToAlpha)
{
    colour = ColorFromHex(colourText, colourAlpha);
    animated = animate;
    colourTo = ColorFromHex(colourToText, colourToAlpha);
}

bool ShapeFill::AddStop(const char* colourText, int32_t alpha, double offset)
{
    GradientStop* stop = new GradientStop{ColorFromHex(colourText, alpha), offset};
    if (stops.Add(stop))
        return true;
    delete stop;
    return false;
}
