#pragma once
// The host's services as the module uses them: tracing.

#include <cstdint>

class AAX_IHostServices
{
public:
    virtual ~AAX_IHostServices() = default;

    virtual int32_t Trace(int32_t priority, const char* text) = 0;
};
