#include "engines/BlockPowerStore.h"

#include "engines/Decibels.h"

#include <cmath>

void BlockPowerStore::Init(int32_t capacityIn)
{
    capacity = capacityIn > 0 ? capacityIn : 1;
    ordered.Init(capacity);
    Reset();
}

void BlockPowerStore::Reset()
{
    ordered.Clear();
    writeIndex = 0;
    full = 0;
    runningSum = 0.0;
}

void BlockPowerStore::Store(double p)
{
    runningSum = runningSum - ordered.ValueAt(writeIndex) + p;
    ordered.Assign(writeIndex, p);
    // Adding and subtracting keeps the rounding error of the largest sum
    // ever held; where that has grown beyond 2^-12 of the sum (0.001 dB), or
    // the sum is not finite, the ordered blocks' own sum replaces it. On
    // ordinary programmes the two never part that far.
    const double fresh = ordered.Sum();
    if (!(std::fabs(runningSum - fresh) <= fresh * 0x1p-12))
        runningSum = fresh;
    writeIndex += 1;
    if (writeIndex >= capacity)
    {
        writeIndex = 0;
        full = 1;
    }
}

double BlockPowerStore::UngatedLoudness() const
{
    return MeanSquareToLoudness(runningSum / StoredCount());
}

OrderedPowers::Tail BlockPowerStore::Gated(double threshold) const
{
    return ordered.UpperSet([threshold](double v) { return MeanSquareToLoudness(v) >= threshold; });
}
