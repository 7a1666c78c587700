#pragma once
// On / off: any normalised value above 0 is true.

#include "framework/aax/AAX_ITaperDelegate.h"

template <class T>
class AAX_CBinaryTaperDelegate final : public AAX_ITaperDelegate<T>
{
public:
    AAX_CBinaryTaperDelegate* Duplicate() const override { return new AAX_CBinaryTaperDelegate(*this); }
    T Maximum() const override { return true; }
    T Minimum() const override { return false; }
    T Constrain(T value) const override { return value; }
    T ValueFromNormalized(double normalized) const override { return normalized > 0.0; }
    double NormalizedFromValue(T value) const override { return value ? 1.0 : 0.0; }
};
