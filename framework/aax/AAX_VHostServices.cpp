#include "framework/aax/AAX_VHostServices.h"

#include "platform/AAXResults.h"

AAX_VHostServices::AAX_VHostServices(IACFUnknown* hostObject)
{
    CreateHostObject(hostObject, kCLSID_HostServices, kIID_HostServices, services);
}

int32_t AAX_VHostServices::Trace(int32_t priority, const char* text)
{
    return CallHost(services, kAAXResultMissingInterface, &AAX_IHostServiceProvider::Trace, priority, text);
}
