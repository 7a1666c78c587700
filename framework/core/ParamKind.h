#pragma once

#include <cstdint>

// What an IPlugParam holds. Every kind but double has its value snapped to
// the step when it is set from a unit value.
enum ParamKind : int32_t
{
    kParamNone = 0,    // not yet initialised
    kParamBool = 1,    // reserved: no initialiser sets it; hosts and editors treat it like a choice
    kParamInt = 2,     // InitIntRange
    kParamChoice = 3,  // InitChoice: values 0..count-1, usually with display texts
    kParamDouble = 4,  // InitRange
};
