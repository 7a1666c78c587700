#include "framework/aax/AAX_VComponentDescriptor.h"

#include "platform/AAXResults.h"

namespace {

using Host = AAX_IHostComponentDescriptor;
constexpr int32_t kMissing = kAAXResultMissingInterface;

constexpr int32_t kFirstCopiedProperty = 10;
constexpr int32_t kLastCopiedProperty = 351;

}  // namespace

AAX_VComponentDescriptor::AAX_VComponentDescriptor(IACFUnknown* hostObject)
{
    this->hostObject.Hold(hostObject);
    CreateHostObject(hostObject, kCLSID_ComponentDescriptor, kIID_ComponentDescriptor, descriptor);
    descriptor2.Lookup(descriptor.Get(), kIID_ComponentDescriptor2);
}

int32_t AAX_VComponentDescriptor::AddAudioIn(uint32_t field)
{
    return CallHost(descriptor, kMissing, &Host::AddAudioIn, field);
}

int32_t AAX_VComponentDescriptor::AddAudioOut(uint32_t field)
{
    return CallHost(descriptor, kMissing, &Host::AddAudioOut, field);
}

int32_t AAX_VComponentDescriptor::AddSampleCount(uint32_t field)
{
    return CallHost(descriptor, kMissing, &Host::AddSampleCount, field);
}

int32_t AAX_VComponentDescriptor::AddSideChainIn(uint32_t field)
{
    return CallHost(descriptor, kMissing, &Host::AddSideChainIn, field);
}

int32_t AAX_VComponentDescriptor::AddExtraEntry(uint32_t zero, uint32_t first, uint32_t second)
{
    return CallHost(descriptor, kMissing, &Host::AddExtraEntry, zero, first, second);
}

int32_t AAX_VComponentDescriptor::AddPrivateData(uint32_t field, uint32_t sizeBytes, uint32_t option)
{
    return CallHost(descriptor, kMissing, &Host::AddPrivateData, field, sizeBytes, option);
}

int32_t AAX_VComponentDescriptor::AddIDList(uint32_t field, const uint32_t* list, int32_t count)
{
    return CallHost(descriptor, kMissing, &Host::AddIDList, field, list, count);
}

int32_t AAX_VComponentDescriptor::AddNode(uint32_t field, uint32_t nodeType, const char* name, uint32_t mask)
{
    return CallHost(descriptor, kMissing, &Host::AddNode, field, nodeType, name, mask);
}

AAX_IPropertyMap* AAX_VComponentDescriptor::NewPropertyMap() { return propertyMaps.Make(hostObject.Get()); }

AAX_IPropertyMap* AAX_VComponentDescriptor::CopyPropertyMap(const AAX_IPropertyMap& source)
{
    AAX_IPropertyMap* copy = NewPropertyMap();
    for (int32_t id = kFirstCopiedProperty; id <= kLastCopiedProperty; ++id)
    {
        uint32_t value = 0;
        if (source.GetProperty(id, &value))
            copy->AddProperty(id, value);
    }
    return copy;
}

int32_t AAX_VComponentDescriptor::AddRenderProcedure(AAXRenderProc procedure, AAX_IPropertyMap* properties,
                                                     uint32_t arg3, uint32_t arg4, uint32_t arg5)
{
    AAX_IHostPropertyMap* hostMap = properties ? properties->HostPropertyMap() : nullptr;
    return CallHost(descriptor, kMissing, &Host::AddRenderProcedure, procedure, hostMap, arg3, arg4, arg5);
}
