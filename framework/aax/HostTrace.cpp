#include "framework/aax/HostTrace.h"

#include "framework/aax/AAX_VHostServices.h"

#include <cstdarg>
#include <cstdio>
#include <new>

namespace {

constexpr int kTraceBufferBytes = 512;

AAX_VHostServices* hostServices = nullptr;

}  // namespace

void SetHostServices(IACFUnknown* hostObject)
{
    if (!hostServices && hostObject)
    {
        hostServices = new (std::nothrow) AAX_VHostServices(hostObject);
    }
    else if (hostServices && !hostObject)
    {
        delete hostServices;
        hostServices = nullptr;
    }
}

int32_t HostTrace(int32_t priority, const char* format, ...)
{
    if (!hostServices || !format)
        return 0;
    char text[kTraceBufferBytes];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (written < 0)
        text[0] = '\0';
    return hostServices->Trace(priority, text);
}
