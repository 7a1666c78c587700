#pragma once
// Audio as the host program plays it into an instance: planar float blocks
// at a fixed sample rate, read from start to end once.

#include "host/cli/input/Speakers.h"

#include <cstdint>
#include <string>
#include <vector>

class AudioSource
{
public:
    virtual ~AudioSource() = default;

    virtual int32_t SampleRate() const = 0;
    virtual int32_t Channels() const = 0;
    // The length the source announces; -1 when it announces none.
    virtual int64_t Frames() const = 0;
    // The speaker of each channel, in the order Read gives them, where the
    // source names them; empty where it names none.
    virtual std::vector<Speaker> Speakers() const { return {}; }
    // Reads up to frames frames, one buffer per channel; the number read, 0
    // at the end, -1 when reading fails (Error() says why; frames read before
    // a failure may come first).
    virtual int32_t Read(float* const* channels, int32_t frames) = 0;
    virtual std::string Error() const { return {}; }
    // What a measurement of it is to say of how it was read; empty: nothing.
    virtual std::string Warning() const { return {}; }
    // Lets a Read under way (and every later one) return soon, 0 or the
    // frames at hand, whatever the source is waiting for. Any thread.
    virtual void Interrupt() {}
};
