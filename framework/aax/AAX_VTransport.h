#pragma once
// Wrapper of the transport interfaces of the host object handed to an effect
// or GUI object. Operations on the primary interface answer -20004 without it,
// the sample position (second interface) -20009.

#include "framework/aax/HostInterfaceRef.h"
#include "platform/AAX_IHostTransport.h"
#include "platform/AAX_ITransport.h"

class AAX_VTransport final : public AAX_ITransport
{
public:
    explicit AAX_VTransport(IACFUnknown* hostObject);

    int32_t Tempo(double* beatsPerMinute) const override;
    int32_t Meter(int32_t* numerator, int32_t* denominator) const override;
    int32_t IsPlaying(uint8_t* playing) const override;
    int32_t TickPosition(int64_t* ticks) const override;
    int32_t Loop(uint8_t* looping, int64_t* startTick, int64_t* endTick) const override;
    int32_t SamplePosition(int64_t* samples) const override;

private:
    HostInterfaceRef<AAX_IHostTransport> transport;
    HostInterfaceRef<AAX_IHostTransport2> transport2;
};
