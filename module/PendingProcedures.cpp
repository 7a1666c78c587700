// Stand-ins for the procedures whose owners are not linked into the module
// yet (the plug-in binding and the GUI object): the host gets no objects and
// rendering does nothing. Each goes when its owner's definition is linked in.

#include "framework/aax/EffectProcedures.h"

IACFUnknown* AAX_CreateEffectParameters() { return nullptr; }

IACFUnknown* AAX_CreateEffectGUI() { return nullptr; }

void AAX_RenderInstances(AAXRenderContext* const*, AAXRenderContext* const*) {}
