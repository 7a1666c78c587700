#pragma once
// The host's automation delegate (kIID_AutomationDelegate): parameter
// registration, value requests and reports, touch and release. Parameters are
// named by their identifier text; values are normalised to 0..1.

#include "platform/IACFUnknown.h"

class AAX_IHostAutomation : public IACFUnknown
{
public:
    virtual int32_t RegisterParameter(const char* id) = 0;
    virtual int32_t UnregisterParameter(const char* id) = 0;
    // Asks the host to set the value; it answers through the effect's set-value operation.
    virtual int32_t RequestParameterValue(const char* id, double normalized) = 0;
    // Tells the host the parameter took a new value.
    virtual int32_t ReportParameterValue(const char* id, double normalized) = 0;
    virtual int32_t TouchParameter(const char* id) = 0;
    virtual int32_t ReleaseParameter(const char* id) = 0;
    // *touched: 1 while the parameter is touched, else 0.
    virtual int32_t ParameterTouchState(const char* id, uint8_t* touched) = 0;

protected:
    ~AAX_IHostAutomation() = default;
};
