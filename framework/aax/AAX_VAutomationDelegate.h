#pragma once
// Wrapper of the automation interface of the host object handed to an effect.
// Every operation answers -20004 without it.

#include "framework/aax/AAX_IAutomationDelegate.h"
#include "framework/aax/HostInterfaceRef.h"
#include "platform/AAX_IHostAutomation.h"

class AAX_VAutomationDelegate final : public AAX_IAutomationDelegate
{
public:
    explicit AAX_VAutomationDelegate(IACFUnknown* hostObject);

    int32_t RegisterParameter(const char* id) override;
    int32_t UnregisterParameter(const char* id) override;
    int32_t RequestParameterValue(const char* id, double normalized) override;
    int32_t ReportParameterValue(const char* id, double normalized) override;
    int32_t TouchParameter(const char* id) override;
    int32_t ReleaseParameter(const char* id) override;
    int32_t ParameterTouchState(const char* id, uint8_t* touched) override;

private:
    HostInterfaceRef<AAX_IHostAutomation> automation;
};
