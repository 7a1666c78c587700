#pragma once
// One second-order stage of the K-weighting pre-filter: the high shelf or the
// high pass, designed by the bilinear transform for one sample rate. Plain
// state, stepped once per sample on the audio thread.

struct KWeightingSection
{
    double sampleRate = 0.0;
    double f0 = 0.0;
    double Q = 0.0;
    double Vh = 0.0;  // shelf: high-frequency gain; high pass: overall gain
    double Vb = 0.0;  // shelf: band gain; unused by the high pass
    double K = 0.0;   // tan(π f0 / sampleRate)
    double b0 = 0.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;  // divided by a0
    double x1 = 0.0, x2 = 0.0;  // the two previous inputs
    double y1 = 0.0, y2 = 0.0;  // the two previous outputs

    // The first stage: a +4 dB shelf above about 1.7 kHz.
    void DesignShelf(double rate);
    // The second stage: a high pass at about 38 Hz.
    void DesignHighPass(double rate);

    // State to zero; the design stays.
    void Clear() { x1 = x2 = y1 = y2 = 0.0; }

    // The 1e-25 added to the input and to the output keeps the recursion
    // away from subnormal numbers on silence.
    double Step(double input)
    {
        const double u = input + 1e-25;
        const double y = b0 * u + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2 + 1e-25;
        x2 = x1;
        x1 = u;
        y2 = y1;
        y1 = y;
        return y;
    }
};
