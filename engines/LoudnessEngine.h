#pragma once
// The measuring core of the "EBU" meter type, for up to six channels: true
// peak with true-peak ballistics for the bar meters, K-weighting, the
// momentary (400 ms) and short-term (3 s) windows stepping every 100 ms, the
// gated integrator fed by momentary blocks and the loudness range fed by
// short-term blocks. A non-finite input sample (NaN, ±Inf) is measured as 0.0
// everywhere and the measurement goes on. Init allocates everything; the
// Process calls run on the audio thread and allocate nothing; readers take the
// members directly.

#include "engines/EbuChannelConfig.h"
#include "engines/GatedIntegrator.h"
#include "engines/KWeightingSection.h"
#include "engines/KernelSet.h"
#include "engines/LoudnessRange.h"
#include "engines/MeanSquareWindow.h"
#include "engines/PeakBallistics.h"
#include "engines/TruePeakDetector.h"

#include <cstdint>

class LoudnessEngine
{
public:
    // Blocks kept by the integrator and the range: an hour of 100 ms blocks.
    static constexpr int32_t kBlockCapacity = 36000;

    // Designs the K-weighting, sizes the windows and the accumulators for the
    // sample rate, then Reset. Allocates: set-up only, under the plug-in lock.
    void Init(double sampleRate);

    // Every measurement back to its start; designs and settings stay.
    // Audio thread or under the plug-in lock; allocates nothing.
    void Reset();

    // True peak and its ballistics of one frame, for the channels in use.
    // `config` is an EbuChannelConfig; one outside 0..4 counts as the nearest.
    // Audio thread.
    void ProcessPeak(double x1, double x2, double x3, double x4, double x5, double x6, int32_t config);

    // K-weighting and windows of one frame; when measure is not 0, completed
    // blocks feed the integrator and the range. Audio thread.
    void ProcessLoudness(double x1, double x2, double x3, double x4, double x5, double x6,
                         int32_t config, int32_t measure);

    // Exactly ProcessPeak then ProcessLoudness for each of `frames` frames,
    // only faster; channel k reads channels[k][i], and a channel at or beyond
    // channelCount or with a null pointer reads 0.0. Audio thread.
    void ProcessBlock(const double* const* channels, int32_t channelCount, int32_t frames,
                      int32_t config, int32_t measure);

    // 1 once the integrator holds a block, else 0.
    int32_t HasData() const;

    // The largest detector maximum in dB (not rounded); -144.0 below the floor.
    double GetTruePeakMaxDb() const;

    TruePeakDetector truePeak[kEbuChannels];
    KWeightingSection shelf[kEbuChannels];
    KWeightingSection highPass[kEbuChannels];
    MeanSquareWindow momentary;  // 400 ms, overlap 0.75
    MeanSquareWindow shortTerm;  // 3000 ms, overlap 29/30
    GatedIntegrator integrator;
    LoudnessRange range;
    PeakBallistics ballistics[kEbuChannels];

private:
    // The frames' weighted sums of squares into both windows; completed
    // blocks go on as in FeedBlocks.
    void FeedWindows(const double* squareSums, int32_t frames, int32_t measure);

    KernelSet kernels = KernelSet::Base;  // of the block path, chosen at Init

    void FeedBlocks(double squareSum, int32_t measure)
    {
        if (momentary.Push(squareSum) && measure != 0)
            integrator.Add(momentary.BlockMeanSquare());
        if (shortTerm.Push(squareSum) && measure != 0)
            range.Compute(shortTerm.BlockMeanSquare());
    }
};
