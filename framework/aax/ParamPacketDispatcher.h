#pragma once
// Data packets that the effect posts to context fields of its render
// instances when parameters they depend on change. Each packet, keyed by its
// field index, has a handler that fills it; parameter identifiers are bound
// to packets. A host value change marks the packets of its parameter dirty;
// flushing has every dirty packet filled and posted through the controller.
// The maps are guarded by a ThreadMutex, so a handler that marks packets
// while being dispatched passes through. (Sonvarek registers no packets.)

#include "framework/aax/AAX_IController.h"
#include "framework/aax/ThreadMutex.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct ParamPacket
{
    uint32_t fieldIndex = 0;
    bool dirty = false;
    std::vector<uint8_t> data;  // what is posted, as the handler left it
};

class ParamPacketHandler
{
public:
    virtual ~ParamPacketHandler() = default;
    // Fills the packet; 0 to have it posted.
    virtual int32_t UpdatePacket(uint32_t packetID, ParamPacket& packet) = 0;
};

class ParamPacketDispatcher
{
public:
    ParamPacketDispatcher() { mutex.Create(); }
    ParamPacketDispatcher(const ParamPacketDispatcher&) = delete;
    ParamPacketDispatcher& operator=(const ParamPacketDispatcher&) = delete;

    // Set-up (attach): the controller that posts; null posts nothing.
    void Bind(AAX_IController* newController) { controller = newController; }
    // Set-up: binds parameter id to the packet of fieldIndex, made with
    // handler (not owned) when it does not exist yet.
    void AddPacket(uint32_t fieldIndex, const char* id, ParamPacketHandler* handler);
    // Any thread: sets the dirty flag of every packet bound to id; 0.
    int32_t MarkDirty(const char* id, bool dirty);
    // Any thread: in field order, each dirty packet is filled by its handler
    // and, when the handler answers 0, posted; the flags are cleared. The
    // result of the last post, 0 when none.
    int32_t DispatchDirty();

private:
    struct Entry
    {
        ParamPacket packet;
        ParamPacketHandler* handler = nullptr;
    };

    std::map<uint32_t, Entry> packets;
    // Every host value change marks: looked up without building a key string.
    std::multimap<std::string, uint32_t, std::less<>> packetsByID;
    AAX_IController* controller = nullptr;
    ThreadMutex mutex;
};
