#include "host/HostFactoryObject.h"

#include "host/HostDescriptionObjects.h"

namespace {

template <class Object>
int32_t Make(StandInHost& host, const ACFUID& iid, void** out)
{
    auto* object = new Object(host);
    const int32_t result = object->LookupInterface(iid, out);
    if (result == 0)
        host.Log("new %s", object->Label().c_str());
    object->Relinquish();  // the maker's reference; the caller holds the looked-up one
    return result;
}

}  // namespace

int32_t HostServicesObject::Trace(int32_t priority, const char* text)
{
    const char* shown = text ? text : "(null)";
    host.Log("%s.Trace(0x%08X, \"%s\")", Label().c_str(), static_cast<uint32_t>(priority), shown);
    const int32_t result = host.Outcome(kIID_HostServices);
    if (result == 0)
        host.Record().traces.emplace_back(shown);
    return result;
}

void* HostServicesObject::Answer(const ACFUID& iid)
{
    return iid == kIID_HostServices ? static_cast<AAX_IHostServiceProvider*>(this) : nullptr;
}

int32_t HostFactoryObject::CreateObject(const ACFUID& classID, IACFUnknown* outer, const ACFUID& iid, void** out)
{
    if (!out)
        return kACFResultNullPointer;
    *out = nullptr;
    const int32_t outcome = host.Outcome(kIID_ObjectFactory);
    if (outcome != 0)
        return outcome;
    if (outer)
        return kACFResultNoInterface;  // no aggregation
    if (classID == kCLSID_Collection)
        return Make<HostCollection>(host, iid, out);
    if (classID == kCLSID_EffectDescriptor)
        return Make<HostEffectDescriptor>(host, iid, out);
    if (classID == kCLSID_ComponentDescriptor)
        return Make<HostComponentDescriptor>(host, iid, out);
    if (classID == kCLSID_PropertyMap)
        return Make<HostPropertyMap>(host, iid, out);
    if (classID == kCLSID_HostServices)
        return Make<HostServicesObject>(host, iid, out);
    return kACFResultNoInterface;
}

void* HostFactoryObject::Answer(const ACFUID& iid)
{
    return iid == kIID_ObjectFactory ? static_cast<AAX_IHostObjectFactory*>(this) : nullptr;
}
