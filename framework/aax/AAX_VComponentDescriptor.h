#pragma once
// Wrapper of a component descriptor that it creates through the host's object
// factory; owns the property maps it makes. Every operation answers -20004
// without a host descriptor.

#include "framework/aax/AAX_IComponentDescriptor.h"
#include "framework/aax/AAX_VPropertyMap.h"
#include "framework/aax/HostInterfaceRef.h"
#include "framework/aax/WrapperSet.h"
#include "platform/AAX_IHostComponentDescriptor.h"

class AAX_VComponentDescriptor final : public AAX_IComponentDescriptor
{
public:
    explicit AAX_VComponentDescriptor(IACFUnknown* hostObject);

    int32_t AddAudioIn(uint32_t field) override;
    int32_t AddAudioOut(uint32_t field) override;
    int32_t AddSampleCount(uint32_t field) override;
    int32_t AddSideChainIn(uint32_t field) override;
    int32_t AddExtraEntry(uint32_t zero, uint32_t first, uint32_t second) override;
    int32_t AddPrivateData(uint32_t field, uint32_t sizeBytes, uint32_t option) override;
    int32_t AddIDList(uint32_t field, const uint32_t* list, int32_t count) override;
    int32_t AddNode(uint32_t field, uint32_t nodeType, const char* name, uint32_t mask) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_IPropertyMap* CopyPropertyMap(const AAX_IPropertyMap& source) override;
    int32_t AddRenderProcedure(AAXRenderProc procedure, AAX_IPropertyMap* properties, uint32_t arg3, uint32_t arg4,
                               uint32_t arg5) override;
    AAX_IHostComponentDescriptor* HostDescriptor() const override { return descriptor.Get(); }

private:
    // Members go in reverse order: the child maps before the host references.
    HostInterfaceRef<IACFUnknown> hostObject;
    HostInterfaceRef<AAX_IHostComponentDescriptor> descriptor;
    HostInterfaceRef<IACFUnknown> descriptor2;
    WrapperSet<AAX_VPropertyMap> propertyMaps;
};
