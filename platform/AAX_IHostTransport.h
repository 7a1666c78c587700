#pragma once
// The host's transport of an effect instance: kIID_Transport and the second
// interface kIID_Transport2. Operations as in AAX_ITransport.

#include "platform/IACFUnknown.h"

class AAX_IHostTransport : public IACFUnknown
{
public:
    virtual int32_t Tempo(double* beatsPerMinute) = 0;
    virtual int32_t Meter(int32_t* numerator, int32_t* denominator) = 0;
    virtual int32_t IsPlaying(uint8_t* playing) = 0;
    virtual int32_t TickPosition(int64_t* ticks) = 0;
    virtual int32_t Loop(uint8_t* looping, int64_t* startTick, int64_t* endTick) = 0;

protected:
    ~AAX_IHostTransport() = default;
};

class AAX_IHostTransport2 : public IACFUnknown
{
public:
    virtual int32_t SamplePosition(int64_t* samples) = 0;

protected:
    ~AAX_IHostTransport2() = default;
};
