#pragma once
// The plug-in parameter's own mapping (range and exponent), read from the
// parameter at each call; no snapping to its step. The parameter is not
// owned and outlives every taper bound to it.

#include "framework/aax/AAX_ITaperDelegate.h"
#include "framework/core/IPlugParam.h"

#include <cmath>

template <class T>
class AAX_CIPlugTaperDelegate final : public AAX_ITaperDelegate<T>
{
public:
    explicit AAX_CIPlugTaperDelegate(const IPlugParam& param) : param(&param) {}

    AAX_CIPlugTaperDelegate* Duplicate() const override { return new AAX_CIPlugTaperDelegate(*this); }
    T Maximum() const override { return static_cast<T>(param->Max()); }
    T Minimum() const override { return static_cast<T>(param->Min()); }

    // NaN gives the minimum.
    T Constrain(T value) const override
    {
        const T min = Minimum();
        const T max = Maximum();
        if (std::isnan(value) || value < min)
            return min;
        return value > max ? max : value;
    }

    T ValueFromNormalized(double normalized) const override
    {
        return Constrain(static_cast<T>(param->MapFromUnitRaw(ClampNormalized(normalized))));
    }

    double NormalizedFromValue(T value) const override { return param->MapToUnit(Constrain(value)); }

private:
    const IPlugParam* param;
};
