#pragma once
// Conversions shared by every read-out of the meter: amplitude and mean square
// to decibels with their floors, rounding to the tenth that is displayed, and
// decibels back to a gain factor.

#include <cmath>

// The floor of every decibel read-out.
constexpr double kFloorDb = -144.0;

// "No value yet" of the integrated and ungated loudness (LUFS).
constexpr double kNoLoudness = -141.0;

// |v| above 6.309e-8 gives 20·log10|v|; anything at or below (and NaN) reads -144.0.
inline double AmplitudeToDb(double v)
{
    const double a = std::fabs(v);
    return a > 6.309e-8 ? std::log(a) * 8.685889638065037 : kFloorDb;
}

// Mean square to loudness (LUFS): 10·log10(p) − 0.691; |p| at or below 4.667e-15
// (and NaN) reads -144.0.
inline double MeanSquareToLoudness(double p)
{
    return std::fabs(p) > 4.667e-15 ? std::log(p) * 4.342944819 - 0.691 : kFloorDb;
}

// Round to a tenth with halves going upward, also for negative values
// (-0.05 becomes 0.0, -0.15 becomes -0.1).
inline double RoundToTenth(double d)
{
    return std::floor(d * 10.0 + 0.5) / 10.0;
}

// Decibels to a gain factor: 10^(dB/20), computed as exp(dB · ln(10) / 20).
inline double DbToGain(double db)
{
    return std::exp(db * 0.11512925464970228);
}
