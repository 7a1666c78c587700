// Stand-ins for what the module's owners do not link in yet: the plug-in's
// instance factory (so the host gets no effect-parameters object) and the
// GUI object. Each goes when its owner's definition is linked in.

#include "framework/aax/EffectProcedures.h"
#include "framework/aax/PlugInstanceFactory.h"

IPlugAAX* CreatePlugInstance() { return nullptr; }

IACFUnknown* AAX_CreateEffectGUI() { return nullptr; }
