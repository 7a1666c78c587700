#pragma once
// One stage of the K-weighting used by the RMS weighting filter ("BS1770"):
// a second-order section from the bilinear transform, coefficients divided by
// a0. Designed by WeightingFilter::DesignBilinear; stepped per sample on the
// audio thread.

struct BilinearSection
{
    // Same purpose as in Biquad: keeps the recursion clear of subnormals.
    static constexpr double kAntiDenormal = 1e-24;

    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    double b0 = 0.0, b1 = 0.0, b2 = 0.0, a0 = 1.0, a1 = 0.0, a2 = 0.0;

    // Design inputs, kept with the section.
    double sampleRate = 0.0, f0 = 0.0, bandGain = 0.0, squareGain = 0.0, constGain = 0.0, q = 0.0;
    double k = 0.0, kSquared = 0.0, a0Unnormalised = 0.0;

    void Clear() { x1 = x2 = y1 = y2 = 0.0; }

    double Process(double x)
    {
        const double u = x + kAntiDenormal;
        const double y = b0 * u + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2 + kAntiDenormal;
        x2 = x1;
        x1 = u;
        y2 = y1;
        y1 = y;
        return y;
    }
};
