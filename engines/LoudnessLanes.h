#pragma once
// The loudness engine's per-frame state with its channels side by side, one
// lane each (six of eight used), as the block path's lane kernels run it: the
// two K-weighting sections of each channel, the channels' position weights
// and their true-peak ballistics. A kernel takes a chunk of frames with this
// state in registers; every lane does its channel's per-frame arithmetic in
// the same order (no fused multiply-add, no reordered sum, a division where
// the per-frame step divides), so the results are the per-frame ones bit for
// bit. Audio thread; no allocation.

#include "engines/EbuChannelConfig.h"
#include "engines/KernelSet.h"

#include <cstdint>

struct alignas(64) LoudnessLanes
{
    static constexpr int32_t kLanes = 8;
    static constexpr int32_t kShelf = 0;
    static constexpr int32_t kHighPass = 1;

    // K-weighting by stage (kShelf, kHighPass): coefficients and state.
    double b0[2][kLanes], b1[2][kLanes], b2[2][kLanes], a1[2][kLanes], a2[2][kLanes];
    double x1[2][kLanes], x2[2][kLanes], y1[2][kLanes], y2[2][kLanes];
    double weight[kLanes];
    // Ballistics.
    double held[kLanes], falling[kLanes], releaseFactor[kLanes];
};

// Runs `frames` frames (any number) through the K-weighting and the
// ballistics of one channel configuration: input[k][i] is channel k's sample
// (a non-finite one counts as 0.0), currents[k][i] its true-peak value, for
// the configuration's channels in use. Writes each frame's weighted sum of
// squares to squareSums[i]. Lanes of channels not in use take 0.0 (the
// K-weighting of those the configuration weights runs on it); the lanes
// beyond are left to the caller to ignore.
typedef void (*LaneChunkFn)(LoudnessLanes& lanes, const double* const* input, const double* const* currents,
                            int32_t frames, double* squareSums);

// The kernel of a kernel set for an EbuChannelConfig (0..4).
LaneChunkFn SelectLaneChunk(KernelSet set, int32_t config);
