#pragma once
// "EBU Channel Config": which channels the loudness engine measures and how
// each one counts in the channel sum. Channel order of "5.1": left, right,
// centre, LFE, left surround, right surround.

#include <cstdint>

enum EbuChannelConfig : int32_t
{
    kEbuMono = 0,      // "1.0"
    kEbuStereo = 1,    // "2.0"
    kEbuQuad = 2,      // "4.0"
    kEbuQuadLfe = 3,   // "4.1"
    kEbuSurround = 4,  // "5.1"
};

constexpr int32_t kEbuChannels = 6;
constexpr int32_t kEbuConfigCount = 5;

// A value outside the five configurations counts as the nearest one.
inline int32_t ClampEbuConfig(int32_t config)
{
    return config < kEbuMono ? kEbuMono : config > kEbuSurround ? kEbuSurround : config;
}

// Channels fed with their input (the others are fed 0.0); these are also the
// channels whose true-peak detector runs.
constexpr int32_t kEbuChannelsInUse[kEbuConfigCount] = {1, 2, 4, 5, 6};

// Channels whose K-weighting runs; the others pass 0.0. These are the channels
// in use of the next configuration up ("5.1" its own), so some sections run on
// the 0.0 fed to them, and their anti-denormal output counts in the sum.
constexpr int32_t kEbuChannelsWeighted[kEbuConfigCount] = {2, 4, 5, 6, 6};

// Position weight of each channel in the sum of squares.
constexpr double kEbuChannelWeights[kEbuConfigCount][kEbuChannels] = {
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0},
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0},
    {1.0, 1.0, 1.41, 1.41, 1.0, 1.0},
    {1.0, 1.0, 1.41, 1.41, 0.0, 1.0},
    {1.0, 1.0, 1.0, 0.0, 1.41, 1.41},
};
