#pragma once
// Taper delegates: the mapping between a parameter's real value and the
// normalised value (0 to 1) that the host automates. A parameter owns a clone
// of its taper. Every implementation answers a defined value for any input:
// normalised values outside [0, 1] count as the nearer end, a NaN as 0.

#include <cstdint>

class AAX_ITaperDelegateBase
{
public:
    virtual ~AAX_ITaperDelegateBase() = default;
};

template <class T>
class AAX_ITaperDelegate : public AAX_ITaperDelegateBase
{
public:
    // A new copy, owned by the caller.
    virtual AAX_ITaperDelegate* Duplicate() const = 0;
    virtual T Maximum() const = 0;
    virtual T Minimum() const = 0;
    // value kept within Minimum..Maximum.
    virtual T Constrain(T value) const = 0;
    virtual T ValueFromNormalized(double normalized) const = 0;
    virtual double NormalizedFromValue(T value) const = 0;
};

// A normalised value from outside brought into [0, 1]; NaN gives 0.
inline double ClampNormalized(double normalized)
{
    if (!(normalized > 0.0))
        return 0.0;
    return normalized < 1.0 ? normalized : 1.0;
}
