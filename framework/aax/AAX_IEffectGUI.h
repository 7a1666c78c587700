#pragma once
// The host-visible GUI object: the host's interface first, the
// reference-counted base second, so the host holds it like any other module
// object.

#include "framework/aax/CACFUnknown.h"
#include "platform/AAX_IACFEffectGUI.h"

class AAX_IEffectGUI : public ACFUnknownObject<AAX_IACFEffectGUI>
{
};
