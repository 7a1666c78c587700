#pragma once
// The host-visible effect-parameters object: the host's interface first,
// the reference-counted base second, so the host holds it like any other
// module object.

#include "framework/aax/CACFUnknown.h"
#include "platform/AAX_IACFEffectParameters.h"

class AAX_IEffectParameters : public ACFUnknownObject<AAX_IACFEffectParameters_V2>
{
};
