#pragma once
// The host's description of one render component (kIID_ComponentDescriptor):
// the context fields its render procedure receives, the procedure and its
// properties. Field indices are those of AAXRenderContext.

#include "platform/AAXDescriptionCodes.h"
#include "platform/IACFUnknown.h"

class AAX_IHostPropertyMap;

class AAX_IHostComponentDescriptor : public IACFUnknown
{
public:
    virtual int32_t AddAudioIn(uint32_t field) = 0;
    virtual int32_t AddAudioOut(uint32_t field) = 0;
    virtual int32_t AddSampleCount(uint32_t field) = 0;
    virtual int32_t AddSideChainIn(uint32_t field) = 0;
    virtual int32_t AddExtraEntry(uint32_t zero, uint32_t first, uint32_t second) = 0;
    // A block of sizeBytes that the host allocates per instance and lets the
    // effect prepare; the field's context word points to it.
    virtual int32_t AddPrivateData(uint32_t field, uint32_t sizeBytes, uint32_t option) = 0;
    virtual int32_t AddIDList(uint32_t field, const uint32_t* list, int32_t count) = 0;
    // nodeType: an AAXNodeType.
    virtual int32_t AddNode(uint32_t field, uint32_t nodeType, const char* name, uint32_t mask) = 0;
    // properties may be null; the host copies them when the call returns.
    virtual int32_t AddRenderProcedure(AAXRenderProc procedure, AAX_IHostPropertyMap* properties, uint32_t arg3,
                                       uint32_t arg4, uint32_t arg5) = 0;

protected:
    ~AAX_IHostComponentDescriptor() = default;
};
