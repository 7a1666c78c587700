#include "engines/KWeightingSection.h"

#include <cmath>

namespace {

// π × f0 of each stage, as the designs use them.
constexpr double kShelfPiF0 = 5284.078578647624;
constexpr double kHighPassPiF0 = 119.80611514558424;

// The feedback coefficients of a stage; returns a0 = 1 + K/Q + K², summed in
// the order that gives the reference coefficients.
double DesignPoles(KWeightingSection& s)
{
    const double K = s.K;
    const double a0 = 1.0 + (K / s.Q + K * K);
    s.a1 = 2.0 * (K * K - 1.0) / a0;
    s.a2 = (1.0 - K / s.Q + K * K) / a0;
    return a0;
}

}  // namespace

void KWeightingSection::DesignShelf(double rate)
{
    sampleRate = rate;
    f0 = 1681.974450955532;
    Q = 0.70717523695542;
    Vh = 1.58486470113086;
    Vb = 1.25872093023256;
    K = std::tan(kShelfPiF0 / rate);
    const double a0 = DesignPoles(*this);
    b0 = (Vh + Vb * K / Q + K * K) / a0;
    b1 = 2.0 * (K * K - Vh) / a0;
    b2 = (Vh - Vb * K / Q + K * K) / a0;
    Clear();
}

void KWeightingSection::DesignHighPass(double rate)
{
    sampleRate = rate;
    f0 = 38.13547087611304;
    Q = 0.50032703732504;
    Vh = 1.00499489871469;
    Vb = 0.0;
    K = std::tan(kHighPassPiF0 / rate);
    const double a0 = DesignPoles(*this);
    b0 = Vh / a0;
    b1 = -2.0 * Vh / a0;
    b2 = Vh / a0;
    Clear();
}
