#pragma once
// The weighting of one channel before the RMS window: flat, K-weighting, or
// one of the Leq curves, each a cascade of second-order sections followed by
// a make-up gain. Setup designs the sections for a mode and sample rate (under
// the plug-in lock); Process steps one sample (audio thread); Clear zeroes the
// state of every section and keeps the designs (meter reset).

#include "engines/BilinearSection.h"
#include "engines/Biquad.h"
#include "engines/FiniteSample.h"
#include "engines/WeightingMode.h"

#include <cstdint>

class WeightingFilter
{
public:
    static constexpr int32_t kSectionCount = 10;

    // Designs the sections the mode uses (zeroing their state) and sets the
    // make-up gain. lowHz..highOrder serve BandPass only; a mode outside 0..7
    // designs nothing and passes the signal unchanged.
    void Setup(WeightingMode mode, double sampleRate, double lowHz, int32_t lowOrder, double highHz,
               int32_t highOrder);

    // One sample through the mode's cascade and the make-up gain; a
    // non-finite sample counts as 0.0.
    double Process(double sample)
    {
        const double x = FiniteOrZero(sample);
        switch (mode)
        {
        case WeightingMode::Bs1770:
            return kShelf.Process(kHighPass.Process(x)) * makeupGain;
        case WeightingMode::LeqA:
        case WeightingMode::LeqAPlus3:
            return Run(x, {0, 1, 2, 3, 4, 5}) * makeupGain;
        case WeightingMode::LeqB:
            return Run(x, {1, 3, 4, 5}) * makeupGain;
        case WeightingMode::LeqC:
            return Run(x, {0, 1, 3, 4, 5}) * makeupGain;
        case WeightingMode::LeqM:
            return Run(x, {1, 2, 3, 4, 5}) * makeupGain;
        case WeightingMode::BandPass:
        {
            double y = sections[6].Process(x);
            if (lowSecond != 0)
                y = sections[7].Process(y);
            y = sections[8].Process(y);
            if (highSecond != 0)
                y = sections[9].Process(y);
            return y * makeupGain;
        }
        default:
            return x;
        }
    }

    // Zeroes the state of both K-weighting stages and all ten sections.
    void Clear();

    // Coefficients of one section; its state is zeroed. A frequency above
    // half the sample rate becomes sampleRate / 2 − 1 Hz. gainDb serves the
    // shelves only.
    static void DesignBiquad(Biquad& section, BiquadType type, double f, double q, double gainDb,
                             double sampleRate);

    // A bilinear section with numerator squareGain·K² ± bandGain·K/Q + constGain,
    // normalised so that a0 is 1; its state is zeroed.
    static void DesignBilinear(BilinearSection& section, double f0, double bandGain, double squareGain,
                               double constGain, double q, double sampleRate);

    WeightingMode Mode() const { return mode; }
    double MakeupDb() const { return makeupDb; }
    double MakeupGain() const { return makeupGain; }
    const BilinearSection& KShelf() const { return kShelf; }
    const BilinearSection& KHighPass() const { return kHighPass; }
    const Biquad& Section(int32_t i) const { return sections[i]; }

private:
    template <int32_t N>
    double Run(double x, const int32_t (&order)[N])
    {
        for (int32_t i : order)
            x = sections[i].Process(x);
        return x;
    }

    BilinearSection kShelf;
    BilinearSection kHighPass;
    Biquad sections[kSectionCount];
    WeightingMode mode = WeightingMode::Flat;
    double makeupDb = 0.0;
    double makeupGain = 1.0;
    int32_t lowSecond = 0;
    int32_t highSecond = 0;
};
