#include "framework/aax/AAX_VEffectDescriptor.h"

#include "platform/AAXResults.h"

namespace {

using Host = AAX_IHostEffectDescriptor;
constexpr int32_t kMissing = kAAXResultMissingInterface;

}  // namespace

AAX_VEffectDescriptor::AAX_VEffectDescriptor(IACFUnknown* hostObject)
{
    this->hostObject.Hold(hostObject);
    CreateHostObject(hostObject, kCLSID_EffectDescriptor, kIID_EffectDescriptor, descriptor);
    descriptor2.Lookup(descriptor.Get(), kIID_EffectDescriptor2);
}

AAX_IComponentDescriptor* AAX_VEffectDescriptor::NewComponentDescriptor() { return components.Make(hostObject.Get()); }

int32_t AAX_VEffectDescriptor::AddComponent(AAX_IComponentDescriptor* component)
{
    AAX_IHostComponentDescriptor* hostComponent = component ? component->HostDescriptor() : nullptr;
    if (!hostComponent)
        return kMissing;
    return CallHost(descriptor, kMissing, &Host::AddComponent, hostComponent);
}

int32_t AAX_VEffectDescriptor::AddName(const AAX_IString& name)
{
    return CallHost(descriptor, kMissing, &Host::AddName, &name);
}

int32_t AAX_VEffectDescriptor::AddCategory(uint32_t categoryBits)
{
    return CallHost(descriptor, kMissing, &Host::AddCategory, categoryBits);
}

int32_t AAX_VEffectDescriptor::AddProcedure(AAXCreateObjectProc procedure, uint32_t kind)
{
    return CallHost(descriptor, kMissing, &Host::AddProcedure, procedure, kind);
}

AAX_IPropertyMap* AAX_VEffectDescriptor::NewPropertyMap() { return propertyMaps.Make(hostObject.Get()); }
