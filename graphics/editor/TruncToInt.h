#pragma once
// Truncation toward zero of a double into an int32 defined for every input,
// so layout arithmetic never meets an undefined conversion: NaN gives 0,
// values beyond the int32 range the nearest limit.

#include <cmath>
#include <cstdint>
#include <limits>

inline int32_t TruncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (v <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// a + b limited to the int32 range.
inline int32_t SaturatingAdd(int64_t a, int64_t b)
{
    const int64_t sum = a + b;
    if (sum > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (sum < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(sum);
}
