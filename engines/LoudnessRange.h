#pragma once
// Loudness range: the short-term block powers that pass the absolute gate
// (-70 LUFS) are kept for the last `capacity` stored blocks (36000 in the
// engine); the range is the spread between the 10th and the 95th percentile
// of those that also pass the relative gate (20 LU below the loudness of their
// plain mean). Storage is allocated by Init only; Compute costs O(log n) on
// the audio thread.

#include "engines/BlockPowerStore.h"
#include "engines/Decibels.h"

#include <cstdint>

class LoudnessRange
{
public:
    // Allocates the store for capacity blocks (at least one) and clears it.
    void Init(int32_t capacity);

    // Store emptied, range back to 0.0.
    void Reset();

    // One short-term block's mean square.
    void Compute(double blockPower);

    // The range rounded to a tenth (LU); 0.0 until computed.
    double GetRange() const;

    double Range() const { return range; }  // not rounded
    double UngatedLoudness() const { return ungatedLoudness; }
    double RelativeThreshold() const { return relativeThreshold; }
    int32_t GatedCount() const { return gatedCount; }
    double LowLoudness() const { return lowLoudness; }
    double HighLoudness() const { return highLoudness; }
    int32_t WriteIndex() const { return blocks.WriteIndex(); }
    int32_t Full() const { return blocks.Full(); }
    int32_t StoredCount() const { return blocks.StoredCount(); }

private:
    BlockPowerStore blocks;
    double absoluteGate = -70.0;
    double relativeGate = -20.0;
    double lowPercentile = 10.0;
    double highPercentile = 95.0;
    double range = 0.0;
    double ungatedLoudness = kNoLoudness;
    double relativeThreshold = kNoLoudness - 20.0;
    int32_t gatedCount = 0;
    double lowLoudness = kFloorDb;
    double highLoudness = kFloorDb;
};
