// The effect description's procedures of the plug-in binding. Apart from the
// rest of AAX_CIPlugParameters, so that only what links the description needs
// the plug-in's instance factory.

#include "framework/aax/AAX_CIPlugParameters.h"
#include "framework/aax/EffectProcedures.h"
#include "framework/aax/IPlugAAX.h"
#include "framework/aax/PlugInstanceFactory.h"

IACFUnknown* AAX_CIPlugParameters::Create()
{
    try
    {
        IPlugAAX* plug = CreatePlugInstance();
        return plug ? static_cast<AAX_IACFEffectParameters*>(plug) : nullptr;
    }
    catch (...)
    {
        return nullptr;
    }
}

IACFUnknown* AAX_CreateEffectParameters() { return AAX_CIPlugParameters::Create(); }

void AAX_RenderInstances(AAXRenderContext* const* first, AAXRenderContext* const* last)
{
    AAX_CIPlugParameters::RenderInstances(first, last);
}
