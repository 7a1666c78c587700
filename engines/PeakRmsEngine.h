#pragma once
// Measuring core of the meter type "RMS": for up to six channels the sample
// peak, the true peak, bar-meter ballistics, a sliding RMS window with
// overlapping steps and the long-term RMS since the last reset, read out as
// rounded decibels. A non-finite input sample (NaN, ±Inf) is measured as 0.0
// everywhere and the measurement goes on.
//
// Init allocates the ring for the longest window (set-up, under the plug-in
// lock); every other call is on the audio thread or under the plug-in lock
// and never allocates. Frames arrive as six samples plus the channel
// configuration; only the configuration's channels are touched.

#include "engines/PeakBallistics.h"
#include "engines/TruePeakDetector.h"
#include "engines/WeightingMode.h"
#include "engines/WindowSum.h"

#include <cstdint>
#include <memory>

// The value of "RMS Channel Config": which channels are measured. Any other
// value measures no channel.
enum class RmsChannelConfig : int32_t
{
    Stereo = 0,  // channels 1 and 2
    Left = 1,    // channel 1
    Right = 2,   // channel 2
    Four = 3,    // channels 1 to 4 ("4 Ch.")
    Six = 4,     // channels 1 to 6 ("6 Ch.")
};

// The channels a configuration measures: always one contiguous run
// (none for a value outside the five configurations).
struct RmsChannelRange
{
    int32_t first;
    int32_t count;
};

inline RmsChannelRange RmsActiveChannels(RmsChannelConfig config)
{
    switch (config)
    {
    case RmsChannelConfig::Stereo:
        return {0, 2};
    case RmsChannelConfig::Left:
        return {0, 1};
    case RmsChannelConfig::Right:
        return {1, 1};
    case RmsChannelConfig::Four:
        return {0, 4};
    case RmsChannelConfig::Six:
        return {0, 6};
    }
    return {0, 0};
}

// The value of "RMS Meter Mode": how the channels' squares are combined.
enum class RmsMeterMode : int32_t
{
    Sum = 0,       // "SUM": plain sum
    AvgPlus3 = 1,  // "AVG+3": mean over the channels, read 3 dB higher
    Avg = 2,       // "AVG": mean over the channels
};

class PeakRmsEngine
{
public:
    static constexpr int32_t kChannels = 6;

    // weightCode of ProcessRms: the surround weights that go with the
    // channel's weighting filter.
    static constexpr int32_t kWeightFlat = 0;
    static constexpr int32_t kWeightBs1770 = 1;  // "6 Ch.": ch 4 dropped, ch 5 and 6 × 1.41
    static constexpr int32_t kWeightLeqM = 2;    // ch 4 and 5 × 0.5

    // The weightCode that goes with the channels' weighting mode.
    static constexpr int32_t WeightCodeFor(WeightingMode mode)
    {
        return mode == WeightingMode::Bs1770 ? kWeightBs1770 : mode == WeightingMode::LeqM ? kWeightLeqM : kWeightFlat;
    }

    // Must come before any other call. Allocates the ring for maxWindowMs, sets the window to minWindowMs with
    // overlap 0.75, initialises detectors and ballistics, then Reset. The
    // plug-in passes 10 and 10000 ms.
    void Init(double minWindowMs, double maxWindowMs, double sampleRate);

    // Clears every measurement; window settings, offsets and meter mode stay.
    void Reset();

    // Ignored when ms equals the current length or lies outside the bounds
    // given to Init (or when overlap is not a fraction in [0, 1]); otherwise
    // sets the window and resets. After the frame that fills the window, the
    // window steps every (1 − overlap) × its length, rounded to the nearest
    // frame.
    void SetRmsWindow(double ms, double overlap);

    void SetRmsMode(RmsMeterMode mode);

    // Sample peak, and the true peak when truePeakOn is not 0.
    void ProcessPeak(double x1, double x2, double x3, double x4, double x5, double x6, double truePeakOn,
                     RmsChannelConfig config);

    // One frame of weighted samples into the window; returns 1 on the frame
    // that completed a window step, else 0.
    int32_t ProcessRms(double x1, double x2, double x3, double x4, double x5, double x6, double truePeakOn,
                       RmsChannelConfig config, int32_t weightCode);

    // One frame of raw samples into the ballistics of the active channels.
    void ProcessBallistics(double x1, double x2, double x3, double x4, double x5, double x6, double truePeakOn,
                           RmsChannelConfig config);

    // Read-outs in dB rounded to a tenth (-144.0 below the floor), RMS ones
    // plus the "AVG+3" offset.
    double GetRmsDb() const;
    double GetRmsMaxDb() const;
    double GetRmsIntegratedDb() const;
    double GetPeakMaxDb() const;
    double GetTruePeakMaxDb() const;  // all six detectors, whatever the configuration
    // Peak over integrated RMS, at least 0.0; -144.0 while the RMS reads the floor.
    double GetCrestDb() const;

    int32_t WindowSamples() const { return windowSamples; }
    double WindowMs() const { return windowMs; }
    double Overlap() const { return overlap; }
    int32_t StepFrames() const { return stepFrames; }
    double WindowMeanSquare() const { return windowMeanSquare; }
    double SamplePeak() const { return samplePeak; }

    // Read directly by the bar meters (held and falling).
    PeakBallistics ballistics[kChannels];

private:
    double sampleRate = 48000.0;
    std::unique_ptr<double[]> rmsRing;
    int32_t ringCapacity = 0;
    int32_t ringPos = 0;
    int32_t windowFull = 0;
    int32_t blockReady = 0;
    int32_t samplesSinceBlock = 0;
    WindowSum windowSum;
    double windowMeanSquare = 0.0;
    double windowMaxMeanSquare = 0.0;
    double longTermSum = 0.0;
    int64_t sampleCount = 0;  // 64 bits: 32 would wrap after 12 h at 48 kHz
    double longTermMeanSquare = 0.0;
    double samplePeak = 0.0;
    double peakMax = 0.0;
    double minWindowMs = 10.0;
    double maxWindowMs = 10000.0;
    double windowMs = 10.0;
    int32_t windowSamples = 0;
    double overlap = 0.75;
    int32_t stepFrames = 1;  // WindowStepFrames(overlap, windowSamples)
    double rmsOffsetDb = 0.0;
    double peakOffsetDb = 0.0;
    RmsMeterMode meterMode = RmsMeterMode::Sum;
    TruePeakDetector truePeak[kChannels];
};
