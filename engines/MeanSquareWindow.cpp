#include "engines/MeanSquareWindow.h"

#include "engines/Decibels.h"
#include "engines/FiniteSample.h"
#include "engines/WindowStep.h"

#include <algorithm>

void MeanSquareWindow::Init(double lengthMsIn, double overlapIn, double sampleRate)
{
    lengthMs = lengthMsIn;
    const double frames = lengthMs * 0.001 * sampleRate;
    // Guards against a rate or length that would leave no frame at all.
    windowSamples = frames >= 1.0 && frames < 2147483647.0 ? static_cast<int32_t>(frames) : 1;
    ring.assign(static_cast<size_t>(windowSamples), 0.0);
    overlap = overlapIn;
    stepFrames = WindowStepFrames(overlap, windowSamples);
    Reset();
}

void MeanSquareWindow::Reset()
{
    std::fill(ring.begin(), ring.end(), 0.0);
    ringPos = 0;
    windowSum.Clear();
    blockMeanSquare = 0.0;
    maxMeanSquare = 0.0;
    windowFull = 0;
    blockReady = 0;
    samplesSinceBlock = 0;
}

int32_t MeanSquareWindow::Process(double x1, double x2, double x3, double x4, double x5, double x6,
                                  int32_t config)
{
    const double x[kEbuChannels] = {FiniteOrZero(x1), FiniteOrZero(x2), FiniteOrZero(x3),
                                    FiniteOrZero(x4), FiniteOrZero(x5), FiniteOrZero(x6)};
    return Push(WeightedSquareSum(x, config));
}

double MeanSquareWindow::GetLoudness() const
{
    return RoundToTenth(MeanSquareToLoudness(blockMeanSquare));
}

double MeanSquareWindow::GetMaxLoudness() const
{
    return RoundToTenth(MeanSquareToLoudness(maxMeanSquare));
}
