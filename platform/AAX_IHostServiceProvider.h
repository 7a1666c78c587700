#pragma once
// The host's services (kIID_HostServices); the module uses only tracing.

#include "platform/IACFUnknown.h"

class AAX_IHostServiceProvider : public IACFUnknown
{
public:
    virtual int32_t Trace(int32_t priority, const char* text) = 0;

protected:
    ~AAX_IHostServiceProvider() = default;
};
