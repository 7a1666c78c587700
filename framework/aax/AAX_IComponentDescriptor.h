#pragma once
// One render component of an effect, as the description code sees it: the
// context fields of its render procedure, the procedure and its properties.

#include "platform/AAXDescriptionCodes.h"

#include <cstdint>

class AAX_IHostComponentDescriptor;
class AAX_IPropertyMap;

class AAX_IComponentDescriptor
{
public:
    virtual ~AAX_IComponentDescriptor() = default;

    virtual int32_t AddAudioIn(uint32_t field) = 0;
    virtual int32_t AddAudioOut(uint32_t field) = 0;
    virtual int32_t AddSampleCount(uint32_t field) = 0;
    virtual int32_t AddSideChainIn(uint32_t field) = 0;
    virtual int32_t AddExtraEntry(uint32_t zero, uint32_t first, uint32_t second) = 0;
    virtual int32_t AddPrivateData(uint32_t field, uint32_t sizeBytes, uint32_t option) = 0;
    virtual int32_t AddIDList(uint32_t field, const uint32_t* list, int32_t count) = 0;
    virtual int32_t AddNode(uint32_t field, uint32_t nodeType, const char* name, uint32_t mask) = 0;
    // A new map owned by this descriptor.
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    // A new owned map holding the properties with IDs 10 to 351 that source holds.
    virtual AAX_IPropertyMap* CopyPropertyMap(const AAX_IPropertyMap& source) = 0;
    // properties may be null.
    virtual int32_t AddRenderProcedure(AAXRenderProc procedure, AAX_IPropertyMap* properties, uint32_t arg3,
                                       uint32_t arg4, uint32_t arg5) = 0;
    // What the effect descriptor hands the host for this component; null when there is none.
    virtual AAX_IHostComponentDescriptor* HostDescriptor() const = 0;
};
