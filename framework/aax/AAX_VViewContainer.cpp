#include "framework/aax/AAX_VViewContainer.h"

#include "platform/AAXResults.h"

namespace {

using Host = AAX_IHostViewContainer;

}  // namespace

AAX_VViewContainer::AAX_VViewContainer(IACFUnknown* hostObject) { view.Lookup(hostObject, kIID_ViewContainer); }

void* AAX_VViewContainer::NativeView() { return CallHost(view, static_cast<void*>(nullptr), &Host::NativeView); }

int32_t AAX_VViewContainer::HandleParameterMouseDown(const char* id, uint32_t modifiers)
{
    return CallHost(view, kAAXResultNotImplemented, &Host::HandleParameterMouseDown, id, modifiers);
}

int32_t AAX_VViewContainer::SetViewSize(const AAXViewSize& size)
{
    return CallHost(view, kAAXResultMissingInterface, &Host::SetViewSize, &size);
}

int32_t AAX_VViewContainer::HostModifiers(uint32_t* modifiers)
{
    return CallHost(view, kAAXResultMissingInterface, &Host::HostModifiers, modifiers);
}
