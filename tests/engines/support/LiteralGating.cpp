#include "support/LiteralGating.h"

#include "engines/Decibels.h"
#include "engines/GateValues.h"
#include "engines/GatedIntegrator.h"
#include "engines/SortDoubles.h"

#include <cmath>

LiteralIntegrator::LiteralIntegrator(int32_t capacityIn)
    : store(static_cast<size_t>(capacityIn), 0.0), capacity(capacityIn)
{
}

void LiteralIntegrator::Add(double p)
{
    Store(p);
    Evaluate();
}

void LiteralIntegrator::Store(double p)
{
    if (MeanSquareToLoudness(p) >= -70.0)
    {
        runningSum = runningSum - store[writeIndex] + p;
        store[writeIndex] = p;
        writeIndex += 1;
    }
    if (writeIndex >= capacity)
    {
        writeIndex = 0;
        full = 1;
    }
}

void LiteralIntegrator::Evaluate()
{
    const int32_t n = full ? capacity : writeIndex;
    if (n > 0)
    {
        ungatedLoudness = MeanSquareToLoudness(runningSum / n);
        integratedLoudness = GatedIntegrator::GatedMean(store.data(), n, ungatedLoudness + -10.0);
    }
    else
        ungatedLoudness = integratedLoudness;
}

LiteralRange::LiteralRange(int32_t capacityIn)
    : store(static_cast<size_t>(capacityIn), 0.0),
      work(static_cast<size_t>(capacityIn), 0.0),
      lowStack(kSortStackSize, 0),
      highStack(kSortStackSize, 0),
      capacity(capacityIn)
{
}

void LiteralRange::Compute(double p)
{
    Store(p);
    Evaluate();
}

void LiteralRange::Store(double p)
{
    if (MeanSquareToLoudness(p) >= -70.0)
    {
        runningSum = runningSum - store[writeIndex] + p;
        store[writeIndex] = p;
        writeIndex += 1;
        const int32_t n = full ? capacity : writeIndex;
        ungatedLoudness = MeanSquareToLoudness(runningSum / n);
    }
    if (writeIndex == capacity)
    {
        writeIndex = 0;
        full = 1;
    }
}

void LiteralRange::Evaluate()
{
    const int32_t n = full ? capacity : writeIndex;
    if (n == 0)
        return;
    for (int32_t i = 0; i < n; ++i)
        work[i] = store[i];
    gatedCount = GateValues(work.data(), n, ungatedLoudness + -20.0);
    SortDoubles(work.data(), gatedCount, lowStack.data(), highStack.data());
    if (gatedCount == 0)
    {
        range = 0.0;  // nothing passed: no range (there is no value to read)
        return;
    }
    const auto lowIndex = static_cast<int32_t>(std::floor((gatedCount - 1) * 10.0 / 100.0 + 0.5));
    const auto highIndex = static_cast<int32_t>(std::floor((gatedCount - 1) * 95.0 / 100.0 + 0.5));
    const double spread = MeanSquareToLoudness(work[highIndex]) - MeanSquareToLoudness(work[lowIndex]);
    range = spread > 0.0 ? spread : 0.0;
}
