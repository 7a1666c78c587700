#pragma once
// The framework's effect-parameters class: the creation and render
// procedures the effect description hands the host, the preparation of the
// private-data field through which a render call finds its instance, and the
// render slot that the plug-in binding (IPlugAAX) fills.

#include "framework/aax/AAX_CEffectParameters.h"
#include "platform/AAXRenderContext.h"

class AAX_CIPlugParameters : public AAX_CEffectParameters
{
public:
    // The effect-parameters creation procedure; any host thread: a new plug-in
    // instance (CreatePlugInstance) as the host's effect-parameters object,
    // unretained; null when none was made. Lets no exception out.
    static IACFUnknown* Create();

    // The render procedure; host real-time thread: every context in [first,
    // last) whose instance field holds an object renders through that
    // object's RenderCallback; the others are skipped. Lets no exception out.
    static void RenderInstances(AAXRenderContext* const* first, AAXRenderContext* const* last);

    // The instance field (8) receives this object's address (-20008 for a
    // block smaller than a pointer); every other field is zero-filled.
    int32_t PrepareFieldData(uint32_t field, void* data, uint32_t sizeBytes) override;

    // Host real-time thread: renders one context. Base: nothing.
    virtual void RenderCallback(const AAXRenderContext& context) { (void)context; }
};
