#include "engines/LoudnessRange.h"

#include "engines/Decibels.h"

#include <cmath>

void LoudnessRange::Init(int32_t capacity)
{
    blocks.Init(capacity);
    absoluteGate = -70.0;
    relativeGate = -20.0;
    lowPercentile = 10.0;
    highPercentile = 95.0;
    Reset();
}

void LoudnessRange::Reset()
{
    blocks.Reset();
    range = 0.0;
    ungatedLoudness = kNoLoudness;
    relativeThreshold = ungatedLoudness + relativeGate;
    gatedCount = 0;
    lowLoudness = highLoudness = kFloorDb;
}

void LoudnessRange::Compute(double p)
{
    // A block below the absolute gate changes nothing that is stored, so the
    // range computed from the store stays as it is.
    if (MeanSquareToLoudness(p) < absoluteGate)
        return;
    blocks.Store(p);
    ungatedLoudness = blocks.UngatedLoudness();
    relativeThreshold = ungatedLoudness + relativeGate;
    gatedCount = blocks.Gated(relativeThreshold).count;
    if (gatedCount == 0)
    {
        // Only a running sum ruined by non-finite or absurd powers gates
        // everything out; there is no range to read then.
        range = 0.0;
        return;
    }
    // The gated values are the top gatedCount of the stored ones, so the
    // k-th of them in ascending order has rank first + k among all.
    const int32_t first = blocks.StoredCount() - gatedCount;
    const double last = gatedCount - 1;
    const auto lowIndex = static_cast<int32_t>(std::floor(last * lowPercentile / 100.0 + 0.5));
    const auto highIndex = static_cast<int32_t>(std::floor(last * highPercentile / 100.0 + 0.5));
    lowLoudness = MeanSquareToLoudness(blocks.Select(first + lowIndex));
    highLoudness = MeanSquareToLoudness(blocks.Select(first + highIndex));
    const double spread = highLoudness - lowLoudness;
    range = spread > 0.0 ? spread : 0.0;
}

double LoudnessRange::GetRange() const
{
    return RoundToTenth(range);
}
