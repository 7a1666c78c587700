#include "framework/aax/InstanceField.h"

#include "platform/AAXResults.h"

#include <cstring>

int32_t WriteInstanceField(void* data, uint32_t sizeBytes, void* instance)
{
    if (!data || sizeBytes < sizeof(void*))
        return kAAXResultWrongDataSize;
    std::memcpy(data, &instance, sizeof instance);
    return 0;
}

void* InstanceOfContext(const AAXRenderContext* context)
{
    if (!context || !context->instance)
        return nullptr;
    return *context->instance;
}
