#include "engines/GatedIntegrator.h"

#include "engines/Decibels.h"

void GatedIntegrator::Init(int32_t capacity)
{
    blocks.Init(capacity);
    absoluteGate = -70.0;
    relativeGate = -10.0;
    Reset();
}

void GatedIntegrator::Reset()
{
    blocks.Reset();
    ungatedLoudness = kNoLoudness;
    integratedLoudness = kNoLoudness;
}

void GatedIntegrator::Add(double p)
{
    // A block below the absolute gate changes nothing that is stored, so the
    // results computed from the store stay as they are.
    if (MeanSquareToLoudness(p) < absoluteGate)
        return;
    blocks.Store(p);
    ungatedLoudness = blocks.UngatedLoudness();
    const OrderedPowers::Tail gated = blocks.Gated(ungatedLoudness + relativeGate);
    integratedLoudness = gated.count > 0 ? MeanSquareToLoudness(gated.sum / gated.count) : kFloorDb;
}

double GatedIntegrator::GatedMean(const double* values, int32_t count, double threshold)
{
    double sum = 0.0;
    int32_t counted = 0;
    for (int32_t i = 0; i < count; ++i)
    {
        if (MeanSquareToLoudness(values[i]) >= threshold)
        {
            sum += values[i];
            ++counted;
        }
    }
    return counted > 0 ? MeanSquareToLoudness(sum / counted) : kFloorDb;
}

double GatedIntegrator::GetIntegratedLoudness() const
{
    return RoundToTenth(integratedLoudness);
}
