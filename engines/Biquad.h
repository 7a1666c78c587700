#pragma once
// One second-order section of the RMS weighting filters, with coefficients left
// unnormalised (the step divides by a0). Designed by WeightingFilter::DesignBiquad;
// stepped per sample on the audio thread.

#include <cstdint>

// The section shapes the weighting curves are built from.
enum class BiquadType : int32_t
{
    HighPass = 0,
    LowPassDoubleRate = 1,  // low-pass run at twice the sample rate on a zero-stuffed input
    ResonantBand = 2,       // band section with a prescribed gain at Nyquist
    LowPass = 3,
    LowShelf = 4,
    HighShelf = 5,
    HighShelfAlt = 6,       // same formula as HighShelf
};

struct Biquad
{
    // Tiny offset added to the input and to every output so that decaying
    // recursions never reach subnormal numbers.
    static constexpr double kAntiDenormal = 1e-24;

    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    BiquadType type = BiquadType::HighPass;
    double b0 = 0.0, b1 = 0.0, b2 = 0.0, a0 = 1.0, a1 = 0.0, a2 = 0.0;

    void Clear() { x1 = x2 = y1 = y2 = 0.0; }

    double Process(double x)
    {
        const double u = x + kAntiDenormal;
        if (type != BiquadType::LowPassDoubleRate)
        {
            const double y = (b0 * u + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2) / a0 + kAntiDenormal;
            x2 = x1;
            x1 = u;
            y2 = y1;
            y1 = y;
            return y;
        }
        // Two steps at twice the rate: the input, then a (nearly) zero sample.
        const double ya = (b0 * u + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2) / a0 + kAntiDenormal;
        const double yb = (b0 * kAntiDenormal + b1 * u + b2 * x1 - a1 * ya - a2 * y1) / a0 + kAntiDenormal;
        x1 = kAntiDenormal;
        x2 = u;
        y1 = yb;
        y2 = ya;
        // The zero-stuffed half of each pair is made up by the factor 2.
        return 2.0 * yb;
    }
};
