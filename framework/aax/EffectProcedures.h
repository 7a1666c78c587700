#pragma once
// The procedures the module's effect description hands the host. The
// effect-parameters and render procedures are the plug-in binding's
// (AAX_CIPlugParameters); the instance comes from the plug-in's instance
// factory (PlugInstanceFactory.h). The GUI procedure makes the GUI object
// (AAX_CEffectGUI_IPLUG). All three are called by the host and let no
// exception out.

#include "platform/AAXRenderContext.h"
#include "platform/IACFUnknown.h"

// Kind 0: a new instance's effect-parameters object, unretained, or null.
IACFUnknown* AAX_CreateEffectParameters();

// Kind 1: a new GUI object, unretained, or null.
IACFUnknown* AAX_CreateEffectGUI();

// Host real-time thread: renders the instance of each context in [first, last).
void AAX_RenderInstances(AAXRenderContext* const* first, AAXRenderContext* const* last);
