#pragma once
// Transport queries. The host's transport node hands a render call one of
// these directly; the module's transport wrapper implements it over the two
// host transport interfaces (AAX_IHostTransport, then AAX_IHostTransport2), in
// the same order. Positions are in ticks (kAAXTicksPerQuarterNote). Flags are
// 1 or 0.

#include <cstdint>

inline constexpr double kAAXTicksPerQuarterNote = 960000.0;

class AAX_ITransport
{
public:
    virtual ~AAX_ITransport() = default;

    virtual int32_t Tempo(double* beatsPerMinute) const = 0;
    virtual int32_t Meter(int32_t* numerator, int32_t* denominator) const = 0;
    virtual int32_t IsPlaying(uint8_t* playing) const = 0;
    virtual int32_t TickPosition(int64_t* ticks) const = 0;
    virtual int32_t Loop(uint8_t* looping, int64_t* startTick, int64_t* endTick) const = 0;
    // From the second transport interface.
    virtual int32_t SamplePosition(int64_t* samples) const = 0;
};
