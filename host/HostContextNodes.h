#pragma once
// The nodes an instance's render context carries: the transport, answered by
// the instance's run-time object (so the host's switches of kIID_Transport
// and kIID_Transport2 apply), and a MIDI node with the packets queued for the
// next render call.

#include "host/StandInHost.h"
#include "platform/AAXRenderContext.h"
#include "platform/AAX_IHostTransport.h"

#include <vector>

class HostTransportNode final : public AAX_IHostTransportNode, public AAX_ITransport
{
public:
    HostTransportNode(const StandInHost& host, AAX_IHostTransport& transport, AAX_IHostTransport2& transport2)
        : host(host), transport(&transport), transport2(&transport2)
    {
    }

    // Null while the host withholds kIID_Transport.
    AAX_ITransport* Transport() override;

    int32_t Tempo(double* beatsPerMinute) const override { return transport->Tempo(beatsPerMinute); }
    int32_t Meter(int32_t* numerator, int32_t* denominator) const override
    {
        return transport->Meter(numerator, denominator);
    }
    int32_t IsPlaying(uint8_t* playing) const override { return transport->IsPlaying(playing); }
    int32_t TickPosition(int64_t* ticks) const override { return transport->TickPosition(ticks); }
    int32_t Loop(uint8_t* looping, int64_t* startTick, int64_t* endTick) const override
    {
        return transport->Loop(looping, startTick, endTick);
    }
    // -20009 while the host withholds kIID_Transport2.
    int32_t SamplePosition(int64_t* samples) const override;

private:
    const StandInHost& host;
    AAX_IHostTransport* transport;
    AAX_IHostTransport2* transport2;
};

class HostMidiNode final : public AAX_IHostMidiNode
{
public:
    // The queued packets, valid until the queue changes.
    const AAXMidiPacketBuffer* Packets() override;

    void Queue(const AAXMidiPacket& packet) { packets.push_back(packet); }
    void Clear() { packets.clear(); }

private:
    std::vector<AAXMidiPacket> packets;
    AAXMidiPacketBuffer buffer = {0, nullptr};
};
