#include "engines/PeakRmsEngine.h"

#include "engines/Decibels.h"
#include "engines/FiniteSample.h"
#include "engines/WindowStep.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// trunc(ms · 0.001 · sampleRate), kept to at least one frame so that the
// ring always wraps, and finite so that the conversion is defined.
int32_t FramesFor(double ms, double sampleRate)
{
    const double frames = ms * 0.001 * sampleRate;
    if (!(frames >= 1.0))
        return 1;
    if (frames >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(frames);
}

double RoundedDb(double amplitude) { return RoundToTenth(AmplitudeToDb(amplitude)); }

}  // namespace

void PeakRmsEngine::Init(double minMs, double maxMs, double rate)
{
    // Allocate before touching anything, so that a failure leaves the engine as it was.
    const int32_t capacity = FramesFor(maxMs, rate);
    rmsRing = std::make_unique<double[]>(static_cast<size_t>(capacity));
    ringCapacity = capacity;
    minWindowMs = minMs;
    maxWindowMs = maxMs;
    sampleRate = rate;

    windowMs = minMs;
    windowSamples = std::min(FramesFor(minMs, rate), ringCapacity);
    overlap = 0.75;
    stepFrames = WindowStepFrames(overlap, windowSamples);

    for (TruePeakDetector& d : truePeak)
        d.Init(rate);
    rmsOffsetDb = 0.0;
    peakOffsetDb = 0.0;
    for (PeakBallistics& b : ballistics)
        b.Init(rate);
    Reset();
}

void PeakRmsEngine::Reset()
{
    // Only the first windowSamples slots are ever read before being written:
    // a change of window length always resets, so zeroing those is enough and
    // keeps a reset of a long ring cheap.
    for (int32_t i = 0; i < windowSamples; ++i)
        rmsRing[i] = 0.0;
    ringPos = 0;
    windowFull = 0;
    blockReady = 0;
    samplesSinceBlock = 0;
    sampleCount = 0;
    windowSum.Clear();
    windowMeanSquare = 0.0;
    windowMaxMeanSquare = 0.0;
    longTermSum = 0.0;
    longTermMeanSquare = 0.0;
    samplePeak = 0.0;
    peakMax = 0.0;
    for (TruePeakDetector& d : truePeak)
        d.Reset();
    for (PeakBallistics& b : ballistics)
        b.Reset();
}

void PeakRmsEngine::SetRmsWindow(double ms, double newOverlap)
{
    if (ms == windowMs || !(ms >= minWindowMs) || !(ms <= maxWindowMs))
        return;
    // A step period longer than the window, or NaN, would let the step
    // counter run unbounded.
    if (!(newOverlap >= 0.0 && newOverlap <= 1.0))
        return;
    windowMs = ms;
    windowSamples = std::min(FramesFor(ms, sampleRate), ringCapacity);
    overlap = newOverlap;
    stepFrames = WindowStepFrames(overlap, windowSamples);
    Reset();
}

void PeakRmsEngine::SetRmsMode(RmsMeterMode mode)
{
    meterMode = mode;
    rmsOffsetDb = mode == RmsMeterMode::AvgPlus3 ? 3.0 : 0.0;
    peakOffsetDb = 0.0;
}

void PeakRmsEngine::ProcessPeak(double x1, double x2, double x3, double x4, double x5, double x6,
                                double truePeakOn, RmsChannelConfig config)
{
    const double x[kChannels] = {x1, x2, x3, x4, x5, x6};
    const RmsChannelRange r = RmsActiveChannels(config);
    if (truePeakOn != 0.0)
    {
        for (int32_t k = r.first; k < r.first + r.count; ++k)
            truePeak[k].Process(x[k]);  // guards its own input
    }
    samplePeak = 0.0;
    for (int32_t k = r.first; k < r.first + r.count; ++k)
    {
        const double a = std::fabs(FiniteOrZero(x[k]));
        if (a > samplePeak)
            samplePeak = a;
    }
    if (samplePeak > peakMax)
        peakMax = samplePeak;
}

int32_t PeakRmsEngine::ProcessRms(double x1, double x2, double x3, double x4, double x5, double x6,
                                  double /*truePeakOn*/, RmsChannelConfig config, int32_t weightCode)
{
    const double x[kChannels] = {x1, x2, x3, x4, x5, x6};
    const bool bs1770Six = weightCode == kWeightBs1770 && config == RmsChannelConfig::Six;
    const bool leqM = weightCode == kWeightLeqM;
    const double w[kChannels] = {
        1.0,
        1.0,
        1.0,
        bs1770Six ? 0.0 : leqM ? 0.5 : 1.0,
        bs1770Six ? 1.41 : leqM ? 0.5 : 1.0,
        bs1770Six ? 1.41 : 1.0,
    };

    const RmsChannelRange r = RmsActiveChannels(config);
    double s = 0.0;
    for (int32_t k = r.first; k < r.first + r.count; ++k)
    {
        const double v = FiniteOrZero(x[k]);
        s += w[k] * (v * v);
    }
    if ((meterMode == RmsMeterMode::AvgPlus3 || meterMode == RmsMeterMode::Avg) && r.count > 0)
        s = s / r.count;

    windowSum.Add(s);
    const double overwritten = rmsRing[ringPos];
    rmsRing[ringPos] = s;
    ++sampleCount;
    ++samplesSinceBlock;
    ++ringPos;
    longTermSum += s;

    if (ringPos == windowSamples)
    {
        ringPos = 0;
        if (windowFull == 0)
        {
            windowMeanSquare = windowSum.sum / windowSamples;
            if (windowMeanSquare > windowMaxMeanSquare)
                windowMaxMeanSquare = windowMeanSquare;
            windowFull = 1;
        }
    }
    else if (windowFull == 0)
    {
        // Still filling: the partial sum over the full length.
        windowMeanSquare = windowSum.sum / windowSamples;
        if (windowMeanSquare > windowMaxMeanSquare)
            windowMaxMeanSquare = windowMeanSquare;
    }

    blockReady = 0;
    if (windowFull != 0)
    {
        windowSum.Subtract(overwritten);
        if (samplesSinceBlock >= stepFrames)
        {
            if (windowSum.Stale())
                windowSum.Resum(rmsRing.get(), windowSamples);
            windowMeanSquare = windowSum.sum / windowSamples;
            if (windowMeanSquare > windowMaxMeanSquare)
                windowMaxMeanSquare = windowMeanSquare;
            samplesSinceBlock = 0;
            blockReady = 1;
        }
    }

    longTermMeanSquare = longTermSum / static_cast<double>(sampleCount > 1 ? sampleCount : 1);
    return blockReady;
}

void PeakRmsEngine::ProcessBallistics(double x1, double x2, double x3, double x4, double x5, double x6,
                                      double /*truePeakOn*/, RmsChannelConfig config)
{
    const double x[kChannels] = {x1, x2, x3, x4, x5, x6};
    const RmsChannelRange r = RmsActiveChannels(config);
    for (int32_t k = r.first; k < r.first + r.count; ++k)
        ballistics[k].Step(std::fabs(FiniteOrZero(x[k])));
}

double PeakRmsEngine::GetRmsDb() const { return RoundedDb(std::sqrt(windowMeanSquare)) + rmsOffsetDb; }

double PeakRmsEngine::GetRmsMaxDb() const { return RoundedDb(std::sqrt(windowMaxMeanSquare)) + rmsOffsetDb; }

double PeakRmsEngine::GetRmsIntegratedDb() const
{
    return RoundedDb(std::sqrt(longTermMeanSquare)) + rmsOffsetDb;
}

double PeakRmsEngine::GetPeakMaxDb() const { return RoundedDb(peakMax) + peakOffsetDb; }

double PeakRmsEngine::GetTruePeakMaxDb() const
{
    double m = 0.0;
    for (const TruePeakDetector& d : truePeak)
    {
        if (d.maximum > m)
            m = d.maximum;
    }
    return RoundedDb(m) + peakOffsetDb;
}

double PeakRmsEngine::GetCrestDb() const
{
    const double integrated = GetRmsIntegratedDb();
    if (!(integrated > kFloorDb))
        return kFloorDb;
    const double d = GetPeakMaxDb() - integrated;
    return d > 0.0 ? d : 0.0;
}
