#pragma once
// One colour stop of a linear gradient fill.

#include "graphics/editor/IArgb.h"

struct GradientStop
{
    IArgb colour;
    double offset = 0.0;  // 0 to 1 along the gradient
};
