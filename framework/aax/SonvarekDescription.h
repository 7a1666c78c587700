#pragma once
// What the module tells the host about its one effect.

#include "framework/aax/EffectDescription.h"
#include "framework/aax/EffectProcedures.h"
#include "platform/FourCharCode.h"

inline constexpr uint32_t kSonvarekManufacturerID = FourCharCode("QZLV");
// Also the ID of the instance's state chunk.
inline constexpr uint32_t kSonvarekProductID = FourCharCode("QZ17");

inline constexpr EffectDescriptionConfig kSonvarekDescription = {
    "Sonvarek",
    "Fennoryx",
    "com.Fennoryx.aax.Sonvarek",
    "SoundField",
    "1-1 2-2 4-4 5-5 6-6",
    kSonvarekManufacturerID,
    kSonvarekProductID,
    "Sonvarek Midi",
    0x10200,
    &AAX_CreateEffectParameters,
    &AAX_CreateEffectGUI,
    &AAX_RenderInstances,
};
