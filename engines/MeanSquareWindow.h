#pragma once
// A sliding mean-square window over the weighted channel sum of a loudness
// measurement (momentary 400 ms, short-term 3 s), completing its first block
// on the frame that fills it and then one every (1 − overlap) × its length,
// rounded to the nearest frame (every 100 ms for both windows). The ring is
// allocated by Init only; Process and Push run on the audio thread.

#include "engines/EbuChannelConfig.h"
#include "engines/WindowSum.h"

#include <cstdint>
#include <vector>

class MeanSquareWindow
{
public:
    // Allocates the ring for trunc(lengthMs × 0.001 × sampleRate) frames (at
    // least one) and clears every measurement.
    void Init(double lengthMs, double overlap, double sampleRate);

    // Ring and measurements to zero; length and overlap stay.
    void Reset();

    // One frame of (K-weighted) samples, a non-finite one counting as 0.0;
    // returns 1 when it completed a block.
    int32_t Process(double x1, double x2, double x3, double x4, double x5, double x6,
                    int32_t config);

    // One frame given as its weighted sum of squares (see WeightedSquareSum);
    // returns 1 when it completed a block.
    int32_t Push(double squareSum)
    {
        windowSum.Add(squareSum);
        blockReady = 0;
        const double overwritten = ring[ringPos];
        ring[ringPos] = squareSum;
        ++samplesSinceBlock;
        ++ringPos;
        if (ringPos == windowSamples)
        {
            ringPos = 0;
            if (!windowFull)
            {
                maxMeanSquare = windowSum.sum / windowSamples;
                windowFull = 1;
            }
        }
        if (!windowFull)
            return 0;
        windowSum.Subtract(overwritten);
        if (samplesSinceBlock >= stepFrames)
        {
            if (windowSum.Stale())
                windowSum.Resum(ring.data(), windowSamples);
            blockMeanSquare = windowSum.sum / windowSamples;
            samplesSinceBlock = 0;
            if (blockMeanSquare > maxMeanSquare)
                maxMeanSquare = blockMeanSquare;
            blockReady = 1;
        }
        return blockReady;
    }

    // Frames that Push would take before the one that wraps the ring or
    // completes a block.
    int32_t QuietFrames() const
    {
        const int32_t toWrap = windowSamples - ringPos - 1;
        if (!windowFull)
            return toWrap;
        const int32_t toBlock = stepFrames - samplesSinceBlock - 1;
        return toBlock < toWrap ? (toBlock > 0 ? toBlock : 0) : toWrap;
    }

    // Exactly Push on each of the `frames` sums for both windows, where
    // neither takes an event (frames at most QuietFrames() of each): one
    // loop with the running sums in registers, so that the two windows'
    // chains of additions overlap.
    static void PushQuietPair(MeanSquareWindow& a, MeanSquareWindow& b, const double* squareSums, int32_t frames)
    {
        if (frames <= 0)
            return;
        WindowSum sumA = a.windowSum;
        WindowSum sumB = b.windowSum;
        double* ringA = a.ring.data() + a.ringPos;
        double* ringB = b.ring.data() + b.ringPos;
        // Whether each window is full holds for the run (the compiler makes
        // one loop of each case).
        const bool fullA = a.windowFull != 0;
        const bool fullB = b.windowFull != 0;
        for (int32_t i = 0; i < frames; ++i)
        {
            const double s = squareSums[i];
            sumA.Add(s);
            sumB.Add(s);
            const double oldA = ringA[i];
            const double oldB = ringB[i];
            ringA[i] = s;
            ringB[i] = s;
            if (fullA)
                sumA.Subtract(oldA);
            if (fullB)
                sumB.Subtract(oldB);
        }
        for (MeanSquareWindow* w : {&a, &b})
        {
            w->ringPos += frames;
            w->samplesSinceBlock += frames;
            w->blockReady = 0;
        }
        a.windowSum = sumA;
        b.windowSum = sumB;
    }

    // Σ w_k x_k² in channel order with the position weights of the
    // configuration (no division by the channel count).
    static double WeightedSquareSum(const double (&x)[kEbuChannels], int32_t config)
    {
        const double* w = kEbuChannelWeights[ClampEbuConfig(config)];
        double s = 0.0;
        for (int32_t k = 0; k < kEbuChannels; ++k)
            s += w[k] * (x[k] * x[k]);
        return s;
    }

    // Loudness of the last block and the largest since reset, rounded to a
    // tenth (LUFS); -144.0 before the first block.
    double GetLoudness() const;
    double GetMaxLoudness() const;

    double LengthMs() const { return lengthMs; }
    double Overlap() const { return overlap; }
    // Frames from one block to the next once the window is full.
    int32_t StepFrames() const { return stepFrames; }
    int32_t WindowSamples() const { return windowSamples; }
    int32_t BlockReady() const { return blockReady; }
    // 1 once the window has filled since its reset.
    int32_t WindowFull() const { return windowFull; }
    double BlockMeanSquare() const { return blockMeanSquare; }
    double MaxMeanSquare() const { return maxMeanSquare; }

private:
    std::vector<double> ring;  // per-frame weighted square sums
    double lengthMs = 0.0;
    int32_t windowSamples = 1;
    double overlap = 0.0;
    int32_t stepFrames = 1;  // WindowStepFrames(overlap, windowSamples)
    int32_t ringPos = 0;
    WindowSum windowSum;
    double blockMeanSquare = 0.0;
    double maxMeanSquare = 0.0;
    int32_t windowFull = 0;
    int32_t blockReady = 0;
    int32_t samplesSinceBlock = 0;
};
