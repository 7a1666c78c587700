#include "host/HostContextNodes.h"

#include "platform/AAXResults.h"
#include "platform/ACFInterfaceIDs.h"

AAX_ITransport* HostTransportNode::Transport() { return host.Offers(kIID_Transport) ? this : nullptr; }

int32_t HostTransportNode::SamplePosition(int64_t* samples) const
{
    if (!host.Offers(kIID_Transport2))
        return kAAXResultNotImplemented;
    return transport2->SamplePosition(samples);
}

const AAXMidiPacketBuffer* HostMidiNode::Packets()
{
    buffer.packetCount = static_cast<uint32_t>(packets.size());
    buffer.packets = packets.empty() ? nullptr : packets.data();
    return &buffer;
}
