#pragma once
// The host's automation of parameters, as the parameter objects use it.
// Parameters are named by their identifier text; values are normalised.

#include <cstdint>

class AAX_IAutomationDelegate
{
public:
    virtual ~AAX_IAutomationDelegate() = default;

    virtual int32_t RegisterParameter(const char* id) = 0;
    virtual int32_t UnregisterParameter(const char* id) = 0;
    virtual int32_t RequestParameterValue(const char* id, double normalized) = 0;
    virtual int32_t ReportParameterValue(const char* id, double normalized) = 0;
    virtual int32_t TouchParameter(const char* id) = 0;
    virtual int32_t ReleaseParameter(const char* id) = 0;
    virtual int32_t ParameterTouchState(const char* id, uint8_t* touched) = 0;
};
