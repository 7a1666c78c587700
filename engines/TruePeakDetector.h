#pragma once
// Inter-sample peak of one channel: each input sample is oversampled (4× up to
// 48 kHz, 2× up to 96 kHz, none above) by a 48-tap polyphase interpolation
// filter and the largest absolute interpolated value is kept, never less
// than the sample's own absolute value. A non-finite input sample (NaN,
// ±Inf) counts as 0.0. A plain value object: no allocation; Init once per
// sample rate, Process per sample on the audio thread, Reset whenever the
// meters reset.

#include "engines/KernelSet.h"

#include <cstdint>

class TruePeakDetector
{
public:
    static constexpr int32_t kTapCount = 48;

    // Chooses the factor from the rate truncated to an integer, derives the
    // per-phase coefficients, picks the kernels for this processor and clears
    // the history and the results.
    void Init(double sampleRate);

    // One input sample: updates current and maximum.
    void Process(double x);

    // Exactly detectors[k].Process(x[k]) for k < count, with the filters of
    // several detectors run side by side (faster than one call each).
    static void ProcessFrame(TruePeakDetector* detectors, int32_t count, const double* x);

    // Exactly Process on each of x[0..n-1]; currents[i] receives current after
    // sample i.
    void ProcessBlock(const double* x, int32_t n, double* currents);

    // History and results to zero; the factor and the coefficients stay.
    void Reset();

    // Read directly by the engines and the plug-in.
    double current = 0.0;  // estimate for the sample just processed (linear)
    double maximum = 0.0;  // largest current since the last reset (linear)

    int32_t Factor() const { return factor; }
    double TapSum() const { return tapSum; }
    double Normaliser() const { return normaliser; }

    // The two filters as 48 taps each (symmetric: tap k equals tap 47 − k).
    static const double* QuadTaps();
    static const double* DoubleTaps();

private:
    static constexpr int32_t kMaxTapsPerPhase = kTapCount / 2;

    // Enters one sample into the history; returns its window.
    const double* Push(double x);
    // current and maximum from the sample and the largest |interpolated
    // value|: the normalised interpolation, or |x| where that is larger.
    void Finish(double x, double peak);

    int32_t factor = 1;
    int32_t tapsPerPhase = 0;   // kTapCount / factor
    KernelSet kernels = KernelSet::Base;
    double tapSum = 1.0;
    double normaliser = 1.0;

    // phaseTaps[p][m] multiplies the input m samples back in phase p: the tap
    // kTapCount − 1 − p − m·factor of the active table. Summed for m = 0, 1, ...
    // this is the ring-and-modulo form of the filter in the same order.
    double phaseTaps[4][kMaxTapsPerPhase] = {};
    // The same taps with the phases side by side: laneTaps[m·factor + p].
    double laneTaps[kTapCount] = {};

    // The last tapsPerPhase scaled inputs, stored twice so that
    // history[pos + m] is the input m samples back without a modulo.
    double history[2 * kMaxTapsPerPhase] = {};
    int32_t pos = 0;
};
