// The GUI procedure of the effect description (kind 1).

#include "framework/aax/AAX_CEffectGUI_IPLUG.h"
#include "framework/aax/EffectProcedures.h"

#include <new>

IACFUnknown* AAX_CreateEffectGUI()
{
    try
    {
        auto* gui = new (std::nothrow) AAX_CEffectGUI_IPLUG;
        return gui ? static_cast<AAX_IACFEffectGUI*>(gui) : nullptr;
    }
    catch (...)
    {
        return nullptr;
    }
}
