// Stand-in for the GUI object while its layer is not linked into the module:
// the host gets no GUI object. It goes when the GUI object is linked in.

#include "framework/aax/EffectProcedures.h"

IACFUnknown* AAX_CreateEffectGUI() { return nullptr; }
