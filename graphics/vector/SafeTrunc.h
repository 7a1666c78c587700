#pragma once
// Truncation toward zero of a double into an int32 that is defined for every
// input: NaN gives 0, values beyond the int32 range the nearest limit.

#include <cmath>
#include <cstdint>
#include <limits>

inline int32_t SafeTrunc(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (v <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}
