#include "framework/aax/AAX_VAutomationDelegate.h"

#include "platform/AAXResults.h"

namespace {

using Host = AAX_IHostAutomation;
constexpr int32_t kMissing = kAAXResultMissingInterface;

}  // namespace

AAX_VAutomationDelegate::AAX_VAutomationDelegate(IACFUnknown* hostObject)
{
    automation.Lookup(hostObject, kIID_AutomationDelegate);
}

int32_t AAX_VAutomationDelegate::RegisterParameter(const char* id)
{
    return CallHost(automation, kMissing, &Host::RegisterParameter, id);
}

int32_t AAX_VAutomationDelegate::UnregisterParameter(const char* id)
{
    return CallHost(automation, kMissing, &Host::UnregisterParameter, id);
}

int32_t AAX_VAutomationDelegate::RequestParameterValue(const char* id, double normalized)
{
    return CallHost(automation, kMissing, &Host::RequestParameterValue, id, normalized);
}

int32_t AAX_VAutomationDelegate::ReportParameterValue(const char* id, double normalized)
{
    return CallHost(automation, kMissing, &Host::ReportParameterValue, id, normalized);
}

int32_t AAX_VAutomationDelegate::TouchParameter(const char* id)
{
    return CallHost(automation, kMissing, &Host::TouchParameter, id);
}

int32_t AAX_VAutomationDelegate::ReleaseParameter(const char* id)
{
    return CallHost(automation, kMissing, &Host::ReleaseParameter, id);
}

int32_t AAX_VAutomationDelegate::ParameterTouchState(const char* id, uint8_t* touched)
{
    return CallHost(automation, kMissing, &Host::ParameterTouchState, id, touched);
}
