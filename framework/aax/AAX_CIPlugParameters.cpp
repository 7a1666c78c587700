#include "framework/aax/AAX_CIPlugParameters.h"

#include "framework/aax/InstanceField.h"

void AAX_CIPlugParameters::RenderInstances(AAXRenderContext* const* first, AAXRenderContext* const* last)
{
    if (!first || !last)
        return;
    for (AAXRenderContext* const* context = first; context < last; ++context)
    {
        auto* instance = static_cast<AAX_CIPlugParameters*>(InstanceOfContext(*context));
        if (!instance)
            continue;
        try
        {
            instance->RenderCallback(**context);
        }
        catch (...)
        {
            // One instance's failure must not silence the others of the batch.
        }
    }
}

int32_t AAX_CIPlugParameters::PrepareFieldData(uint32_t field, void* data, uint32_t sizeBytes)
{
    if (field == kAAXFieldInstance)
        return WriteInstanceField(data, sizeBytes, this);
    return AAX_CEffectParameters::PrepareFieldData(field, data, sizeBytes);
}
