#pragma once
// The float alpha of compose, fill and text calls as an integer weight.

#include <cmath>

// Limits alpha to [0, 1]; false for NaN, which draws nothing.
inline bool LICE_ClampAlpha(float* alpha)
{
    if (std::isnan(*alpha))
        return false;
    if (*alpha < 0.0f)
        *alpha = 0.0f;
    else if (*alpha > 1.0f)
        *alpha = 1.0f;
    return true;
}

// trunc(alpha x 256) in double precision: 0 to 256 for a clamped alpha.
inline int LICE_AlphaWeight(double alpha) { return static_cast<int>(alpha * 256.0); }
