#pragma once
// The value of "RMS Weighting Filer Mode": the weighting of each channel
// before the RMS window. BandPass is reachable only through
// WeightingFilter::Setup (no parameter value selects it).

#include <cstdint>

enum class WeightingMode : int32_t
{
    Flat = 0,       // "---"
    Bs1770 = 1,     // "BS1770"
    LeqA = 2,       // "Leq(A)"
    LeqB = 3,       // "Leq(B)"
    LeqC = 4,       // "Leq(C)"
    LeqM = 5,       // "Leq(M)"
    LeqAPlus3 = 6,  // "Leq(A)+3"
    BandPass = 7,   // high-pass at lowHz, low-pass at highHz
};
