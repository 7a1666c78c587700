#include "engines/BlockPowerStore.h"

#include "engines/Decibels.h"

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
