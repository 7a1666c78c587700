#pragma once
// How the surface combines what a control fills or blits with the back
// buffer: a blend type and a weight, held by the control.

#include "graphics/raster/CombineMode.h"

#include <cstdint>

enum EBlendType : int32_t
{
    kBlendSourceAlpha = 0,  // any type but the three below: source-alpha copy
    kBlendCopy = 1,         // plain copy
    kBlendAdd = 2,          // add, weighted by the source's alpha
    kBlendDodge = 3,        // colour dodge, weighted by the source's alpha
};

struct IBlend
{
    int32_t type = kBlendSourceAlpha;
    float weight = 1.0f;
};

// The combine mode and weight a blend stands for.
struct BlendMode
{
    CombineMode mode;
    float alpha;
};

// No blend: source-alpha copy at 1.0. Type 1: copy at the weight; 2: add
// with source alpha; 3: colour dodge with source alpha; any other type:
// source-alpha copy at the weight.
BlendMode BlendModeOf(const IBlend* blend);
