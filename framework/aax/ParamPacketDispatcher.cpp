#include "framework/aax/ParamPacketDispatcher.h"

void ParamPacketDispatcher::AddPacket(uint32_t fieldIndex, const char* id, ParamPacketHandler* handler)
{
    if (!id || !handler)
        return;
    ThreadMutexGuard guard(mutex);
    Entry& entry = packets[fieldIndex];
    if (!entry.handler)
    {
        entry.packet.fieldIndex = fieldIndex;
        entry.handler = handler;
    }
    packetsByID.emplace(id, fieldIndex);
}

int32_t ParamPacketDispatcher::MarkDirty(const char* id, bool dirty)
{
    if (!id)
        return 0;
    ThreadMutexGuard guard(mutex);
    const auto [first, last] = packetsByID.equal_range(id);
    for (auto bound = first; bound != last; ++bound)
        packets[bound->second].packet.dirty = dirty;
    return 0;
}

int32_t ParamPacketDispatcher::DispatchDirty()
{
    ThreadMutexGuard guard(mutex);
    int32_t result = 0;
    for (auto& [key, entry] : packets)
    {
        if (!entry.packet.dirty)
            continue;
        ParamPacket& packet = entry.packet;
        if (entry.handler->UpdatePacket(key, packet) == 0 && controller)
            result = controller->PostPacket(packet.fieldIndex, packet.data.data(),
                                            static_cast<uint32_t>(packet.data.size()));
        packet.dirty = false;
    }
    return result;
}
