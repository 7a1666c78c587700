#pragma once
// Wrapper of an effect descriptor that it creates through the host's object
// factory; owns the component descriptors and property maps it makes. Every
// operation answers -20004 without a host descriptor.

#include "framework/aax/AAX_IEffectDescriptor.h"
#include "framework/aax/AAX_VComponentDescriptor.h"
#include "framework/aax/AAX_VPropertyMap.h"
#include "framework/aax/HostInterfaceRef.h"
#include "framework/aax/WrapperSet.h"
#include "platform/AAX_IHostEffectDescriptor.h"

class AAX_VEffectDescriptor final : public AAX_IEffectDescriptor
{
public:
    explicit AAX_VEffectDescriptor(IACFUnknown* hostObject);

    AAX_IComponentDescriptor* NewComponentDescriptor() override;
    int32_t AddComponent(AAX_IComponentDescriptor* component) override;
    int32_t AddName(const AAX_IString& name) override;
    int32_t AddCategory(uint32_t categoryBits) override;
    int32_t AddProcedure(AAXCreateObjectProc procedure, uint32_t kind) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_IHostEffectDescriptor* HostDescriptor() const override { return descriptor.Get(); }

private:
    // Members go in reverse order: the children before the host references.
    HostInterfaceRef<IACFUnknown> hostObject;
    HostInterfaceRef<AAX_IHostEffectDescriptor> descriptor;
    HostInterfaceRef<IACFUnknown> descriptor2;
    WrapperSet<AAX_VComponentDescriptor> components;
    WrapperSet<AAX_VPropertyMap> propertyMaps;
};
