#include "graphics/editor/IBlend.h"

BlendMode BlendModeOf(const IBlend* blend)
{
    if (!blend)
        return {kCombineCopy | kCombineSourceAlpha, 1.0f};
    switch (blend->type)
    {
    case kBlendCopy:
        return {kCombineCopy, blend->weight};
    case kBlendAdd:
        return {kCombineAdd | kCombineSourceAlpha, blend->weight};
    case kBlendDodge:
        return {kCombineDodge | kCombineSourceAlpha, blend->weight};
    default:
        return {kCombineCopy | kCombineSourceAlpha, blend->weight};
    }
}
