#include "framework/aax/AAX_VTransport.h"

#include "platform/AAXResults.h"

namespace {

using Host = AAX_IHostTransport;
constexpr int32_t kMissing = kAAXResultMissingInterface;

}  // namespace

AAX_VTransport::AAX_VTransport(IACFUnknown* hostObject)
{
    transport.Lookup(hostObject, kIID_Transport);
    transport2.Lookup(hostObject, kIID_Transport2);
}

int32_t AAX_VTransport::Tempo(double* beatsPerMinute) const
{
    return CallHost(transport, kMissing, &Host::Tempo, beatsPerMinute);
}

int32_t AAX_VTransport::Meter(int32_t* numerator, int32_t* denominator) const
{
    return CallHost(transport, kMissing, &Host::Meter, numerator, denominator);
}

int32_t AAX_VTransport::IsPlaying(uint8_t* playing) const
{
    return CallHost(transport, kMissing, &Host::IsPlaying, playing);
}

int32_t AAX_VTransport::TickPosition(int64_t* ticks) const
{
    return CallHost(transport, kMissing, &Host::TickPosition, ticks);
}

int32_t AAX_VTransport::Loop(uint8_t* looping, int64_t* startTick, int64_t* endTick) const
{
    return CallHost(transport, kMissing, &Host::Loop, looping, startTick, endTick);
}

int32_t AAX_VTransport::SamplePosition(int64_t* samples) const
{
    return CallHost(transport2, kAAXResultNotImplemented, &AAX_IHostTransport2::SamplePosition, samples);
}
