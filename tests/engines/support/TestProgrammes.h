#pragma once
// Synthetic test programmes for the loudness engine, computed sample by
// sample (no files), and the engine's readings of them.

#include "engines/EbuChannelConfig.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

struct Programme
{
    double rate = 48000.0;
    int64_t frames = 0;
    int32_t config = kEbuStereo;
    // Writes the six samples of a frame (channels beyond the configuration
    // may be left at 0.0).
    std::function<void(int64_t frame, double* x)> sample;
};

// A stretch of sine at a level in dBFS (peak), applied to every channel
// together with that channel's own offset.
struct Segment
{
    double seconds;
    double dbfs;
};

// Channel offsets in dB; -1000 or below silences a channel.
using ChannelDb = std::array<double, kEbuChannels>;
constexpr ChannelDb kStereoDb = {0.0, 0.0, -1000.0, -1000.0, -1000.0, -1000.0};

// A sine of `hz` through the segments, its phase continuous across them,
// faded in over fadeInSeconds (a raised cosine) when that is above 0.
Programme SineProgramme(double rate, double hz, std::vector<Segment> segments, ChannelDb channelDb = kStereoDb,
                        int32_t config = kEbuStereo, double phaseRadians = 0.0, double fadeInSeconds = 0.0);

struct Reading
{
    double momentaryMax = 0.0;   // rounded read-outs of the engine
    double shortTermMax = 0.0;
    double integrated = 0.0;
    double range = 0.0;
    double truePeakDb = 0.0;     // not rounded
    std::vector<double> shortTermBlocks;  // the rounded short-term reading of every block
};

// Runs the programme through a fresh engine, frame by frame as the plug-in does.
Reading Measure(const Programme& programme);

// 10^(db / 20).
double Amplitude(double db);
