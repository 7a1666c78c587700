#pragma once
// The guard on every engine's input: a sample that is not finite (NaN, +Inf,
// -Inf: a damaged file, a faulty plug-in upstream) is measured as 0.0, so that
// one bad sample cannot poison a filter's state, a running sum or a held peak
// for the rest of the measurement.

#include <cfloat>
#include <cmath>

// x when it is finite, else 0.0. A plain comparison (NaN compares false), so
// that loops over it vectorise.
inline double FiniteOrZero(double x)
{
    return std::fabs(x) <= DBL_MAX ? x : 0.0;
}

