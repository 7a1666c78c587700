#pragma once
// Whole numbers spread evenly over the normalised range, rounded half up:
// over 0..3 the normalised 0.5 gives 2. Computed in double, so the widest
// int32 ranges neither overflow nor lose their ends. A range of one value
// normalises to 0.

#include "framework/aax/AAX_ITaperDelegate.h"

#include <cmath>

template <class T, int32_t RealPrecision = 1>
class AAX_CLinearTaperDelegate final : public AAX_ITaperDelegate<T>
{
public:
    AAX_CLinearTaperDelegate(T minValue, T maxValue) : minValue(minValue), maxValue(maxValue) {}

    AAX_CLinearTaperDelegate* Duplicate() const override { return new AAX_CLinearTaperDelegate(*this); }
    T Maximum() const override { return maxValue; }
    T Minimum() const override { return minValue; }

    T Constrain(T value) const override
    {
        if (value < minValue)
            return minValue;
        return value > maxValue ? maxValue : value;
    }

    T ValueFromNormalized(double normalized) const override
    {
        const double min = static_cast<double>(minValue);
        const double max = static_cast<double>(maxValue);
        const double x = std::floor((max - min) * ClampNormalized(normalized) + min + 0.5);
        // x lies in [min, max] here, so the conversion is exact.
        return Constrain(static_cast<T>(x < min ? min : (x > max ? max : x)));
    }

    double NormalizedFromValue(T value) const override
    {
        const double range = static_cast<double>(maxValue) - static_cast<double>(minValue);
        if (!(range > 0.0))
            return 0.0;
        return (static_cast<double>(Constrain(value)) - static_cast<double>(minValue)) / range;
    }

private:
    T minValue;
    T maxValue;
};
