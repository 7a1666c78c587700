#pragma once
// Integrated loudness: the momentary block powers that pass the absolute gate
// (-70 LUFS) are kept for the last `capacity` stored blocks (36000, an hour,
// in the engine); the result is the loudness of the mean of those that also
// pass the relative gate (10 LU below the loudness of their plain mean).
// Storage is allocated by Init only; Add costs O(log n) on the audio thread.

#include "engines/BlockPowerStore.h"
#include "engines/Decibels.h"

#include <cstdint>

class GatedIntegrator
{
public:
    // Allocates the store for capacity blocks (at least one) and clears it.
    void Init(int32_t capacity);

    // Store emptied, both loudnesses back to -141.0.
    void Reset();

    // One momentary block's mean square.
    void Add(double blockPower);

    // Loudness of the mean of the first count values whose loudness is at or
    // above threshold (LUFS), summed in their order; -144.0 when none passes.
    static double GatedMean(const double* values, int32_t count, double threshold);

    // Integrated loudness rounded to a tenth (LUFS); -141.0 until a block
    // has passed the absolute gate.
    double GetIntegratedLoudness() const;

    double IntegratedLoudness() const { return integratedLoudness; }  // not rounded
    double UngatedLoudness() const { return ungatedLoudness; }
    int32_t WriteIndex() const { return blocks.WriteIndex(); }
    int32_t Full() const { return blocks.Full(); }
    int32_t StoredCount() const { return blocks.StoredCount(); }

private:
    BlockPowerStore blocks;
    double ungatedLoudness = kNoLoudness;
    double integratedLoudness = kNoLoudness;
    double absoluteGate = -70.0;
    double relativeGate = -10.0;
};
