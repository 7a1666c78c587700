#include "framework/aax/AAX_VCollection.h"

#include "platform/AAXResults.h"

namespace {

using Host = AAX_IHostCollection;
constexpr int32_t kMissing = kAAXResultMissingInterface;

}  // namespace

AAX_VCollection::AAX_VCollection(IACFUnknown* hostObject)
{
    this->hostObject.Hold(hostObject);
    CreateHostObject(hostObject, kCLSID_Collection, kIID_Collection, collection);
}

AAX_IEffectDescriptor* AAX_VCollection::NewDescriptor() { return descriptors.Make(hostObject.Get()); }

int32_t AAX_VCollection::AddEffect(const char* effectID, AAX_IEffectDescriptor* descriptor)
{
    AAX_IHostEffectDescriptor* hostDescriptor = descriptor ? descriptor->HostDescriptor() : nullptr;
    if (!hostDescriptor)
        return kMissing;
    return CallHost(collection, kMissing, &Host::AddEffect, effectID, hostDescriptor);
}

int32_t AAX_VCollection::AddManufacturerName(const AAX_IString& name)
{
    return CallHost(collection, kMissing, &Host::AddManufacturerName, &name);
}

int32_t AAX_VCollection::AddPackageName(const AAX_IString& name)
{
    return CallHost(collection, kMissing, &Host::AddPackageName, &name);
}

int32_t AAX_VCollection::SetPackageVersion(uint32_t version)
{
    return CallHost(collection, kMissing, &Host::SetPackageVersion, version);
}

AAX_IPropertyMap* AAX_VCollection::NewPropertyMap() { return propertyMaps.Make(hostObject.Get()); }
