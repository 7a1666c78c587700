#pragma once
// Wrapper of the host's collection, made for the length of the registration;
// it creates the host collection through the host's object factory and owns
// the effect descriptors and property maps it makes. Every operation answers
// -20004 without a host collection.

#include "framework/aax/AAX_ICollection.h"
#include "framework/aax/AAX_VEffectDescriptor.h"
#include "framework/aax/AAX_VPropertyMap.h"
#include "framework/aax/HostInterfaceRef.h"
#include "framework/aax/WrapperSet.h"
#include "platform/AAX_IHostCollection.h"

class AAX_VCollection final : public AAX_ICollection
{
public:
    explicit AAX_VCollection(IACFUnknown* hostObject);

    AAX_IEffectDescriptor* NewDescriptor() override;
    int32_t AddEffect(const char* effectID, AAX_IEffectDescriptor* descriptor) override;
    int32_t AddManufacturerName(const AAX_IString& name) override;
    int32_t AddPackageName(const AAX_IString& name) override;
    int32_t SetPackageVersion(uint32_t version) override;
    AAX_IPropertyMap* NewPropertyMap() override;

    // The host's collection, on which registration looks up the plug-in definition; may be null.
    AAX_IHostCollection* HostCollection() const { return collection.Get(); }

private:
    // Members go in reverse order: the children before the host references.
    HostInterfaceRef<IACFUnknown> hostObject;
    HostInterfaceRef<AAX_IHostCollection> collection;
    WrapperSet<AAX_VEffectDescriptor> descriptors;
    WrapperSet<AAX_VPropertyMap> propertyMaps;
};
