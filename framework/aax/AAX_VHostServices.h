#pragma once
// Wrapper of the host's services, created through the host's object factory.
// Trace answers -20004 without host services.

#include "framework/aax/AAX_IHostServices.h"
#include "framework/aax/HostInterfaceRef.h"
#include "platform/AAX_IHostServiceProvider.h"

class AAX_VHostServices final : public AAX_IHostServices
{
public:
    explicit AAX_VHostServices(IACFUnknown* hostObject);

    int32_t Trace(int32_t priority, const char* text) override;

private:
    HostInterfaceRef<AAX_IHostServiceProvider> services;
};
