#pragma once
// The per-instance block the host hands the render procedure: one
// pointer-sized word per context field that the effect description declared.
// Private-data fields point to a block the host allocated with the declared
// size and the effect prepared.

#include "platform/AAX_ITransport.h"

#include <cstddef>
#include <cstdint>

enum AAXContextField : uint32_t
{
    kAAXFieldAudioIn = 0,
    kAAXFieldAudioOut = 1,
    kAAXFieldSampleCount = 2,
    kAAXFieldSideChain = 3,
    kAAXFieldInputMidi = 5,
    kAAXFieldGlobalMidi = 6,
    kAAXFieldTransport = 7,
    kAAXFieldInstance = 8,
    kAAXFieldIDList = 9,
    kAAXFieldCount = 10,
};

struct AAXMidiPacket
{
    uint32_t timeStamp;
    uint8_t status;
    uint8_t data1;
    uint8_t data2;
};

struct AAXMidiPacketBuffer
{
    uint32_t packetCount;
    const AAXMidiPacket* packets;
};

// A MIDI node (fields 5 and 6 when declared as nodes).
class AAX_IHostMidiNode
{
public:
    virtual const AAXMidiPacketBuffer* Packets() = 0;

protected:
    ~AAX_IHostMidiNode() = default;
};

// The transport node (field 7).
class AAX_IHostTransportNode
{
public:
    virtual AAX_ITransport* Transport() = 0;

protected:
    ~AAX_IHostTransportNode() = default;
};

struct AAXRenderContext
{
    float* const* inputs;               // one buffer per input channel
    float* const* outputs;              // one buffer per output channel
    const int32_t* frameCount;          // sample frames of this call
    const int32_t* sideChainConnected;  // nonzero while the side chain is fed (only when declared)
    void* unused;                       // field 4 is never declared
    void* inputMidi;                    // an AAX_IHostMidiNode when declared as a node, else private data
    void* globalMidi;                   // the same
    AAX_IHostTransportNode* transport;
    void* const* instance;              // private data: the address of the instance's effect-parameters object
    void* idList;                       // the ID list when declared, else private data
};

static_assert(offsetof(AAXRenderContext, inputMidi) == kAAXFieldInputMidi * sizeof(void*));
static_assert(offsetof(AAXRenderContext, transport) == kAAXFieldTransport * sizeof(void*));
static_assert(offsetof(AAXRenderContext, instance) == kAAXFieldInstance * sizeof(void*));
static_assert(sizeof(AAXRenderContext) == kAAXFieldCount * sizeof(void*));
