#pragma once
// Delays the plug-in's inputs by a fixed number of frames, so that a bypassed
// plug-in with latency stays time-aligned. One ring per delayed channel,
// channel after channel (sample of channel c at ring position p is element
// length * c + p). Only channels below both the input and the output count
// are delayed.

#include "framework/core/GrowBuf.h"

#include <cstdint>

class IChannelDelayLine
{
public:
    // Ring of inputs * length doubles, cleared. A ring that cannot be had
    // leaves length 0 (no delay).
    IChannelDelayLine(int32_t inputs, int32_t outputs, int32_t length);
    IChannelDelayLine(const IChannelDelayLine&) = delete;
    IChannelDelayLine& operator=(const IChannelDelayLine&) = delete;

    // Set-up, under the plug-in lock: new length in frames (negative counts as
    // 0), memory given back when it shrinks, position 0, ring cleared.
    void SetLength(int32_t frames);

    // Audio thread, under the plug-in lock. Per frame and channel: with
    // outputs, output = the sample length frames back; then the input goes
    // into the ring. Without outputs the inputs are only recorded. With length
    // 0 the outputs receive the inputs undelayed. Null channel buffers are
    // skipped.
    void Process(double* const* inputs, double* const* outputs, int32_t nFrames);

    int32_t Length() const { return length; }
    int32_t Position() const { return position; }

private:
    double* Ring() const { return static_cast<double*>(ring.Get()); }

    GrowBuf ring{4096};
    int32_t position = 0;
    int32_t inputs;
    int32_t outputs;
    int32_t length = 0;
};
