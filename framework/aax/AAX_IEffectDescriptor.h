#pragma once
// One effect, as the description code sees it.

#include "platform/AAXDescriptionCodes.h"
#include "platform/AAX_IString.h"

#include <cstdint>

class AAX_IComponentDescriptor;
class AAX_IHostEffectDescriptor;
class AAX_IPropertyMap;

class AAX_IEffectDescriptor
{
public:
    virtual ~AAX_IEffectDescriptor() = default;

    // A new component owned by this descriptor.
    virtual AAX_IComponentDescriptor* NewComponentDescriptor() = 0;
    // -20004 for a null component or one without a host side.
    virtual int32_t AddComponent(AAX_IComponentDescriptor* component) = 0;
    virtual int32_t AddName(const AAX_IString& name) = 0;
    virtual int32_t AddCategory(uint32_t categoryBits) = 0;
    virtual int32_t AddProcedure(AAXCreateObjectProc procedure, uint32_t kind) = 0;
    // A new map owned by this descriptor.
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    // What the collection hands the host for this effect; null when there is none.
    virtual AAX_IHostEffectDescriptor* HostDescriptor() const = 0;
};
