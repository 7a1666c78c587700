#pragma once
// The procedures the module's effect description hands the host. They are
// defined by the layers that own the objects: the plug-in binding makes an
// instance (through the plug-in's instance factory) and renders, the GUI
// object layer makes GUI objects. A module links exactly one definition of
// each; while a layer is not linked in, the module links a stand-in that makes
// nothing. All three are called by the host and let no exception out.

#include "platform/AAXRenderContext.h"
#include "platform/IACFUnknown.h"

// Kind 0: a new instance's effect-parameters object, unretained, or null.
IACFUnknown* AAX_CreateEffectParameters();

// Kind 1: a new GUI object, unretained, or null.
IACFUnknown* AAX_CreateEffectGUI();

// Host real-time thread: renders the instance of each context in [first, last).
void AAX_RenderInstances(AAXRenderContext* const* first, AAXRenderContext* const* last);
