#pragma once
// Values the module hands the host's description interfaces: property IDs,
// node types, procedure kinds and the procedure types.

#include "platform/IACFUnknown.h"

#include <cstdint>

struct AAXRenderContext;

// Property IDs of a render component. The meaning of 56, 60, 116 and 151 is
// the host's; the module only passes them.
enum AAXPropertyID : int32_t
{
    kAAXPropertyManufacturerID = 11,
    kAAXPropertyProductID = 12,
    kAAXPropertyNativeID = 13,
    kAAXPropertyAudioSuiteID = 14,
    kAAXPropertyInputStemFormat = 51,
    kAAXPropertyOutputStemFormat = 52,
    kAAXProperty56 = 56,
    kAAXProperty60 = 60,
    kAAXPropertySideChain = 116,
    kAAXProperty151 = 151,
};

// The channel count of a stem format (as properties 51 and 52 and the
// controller give it): its low 16 bits.
constexpr int32_t AAXStemChannelCount(uint32_t stemFormat) { return static_cast<int32_t>(stemFormat & 0xFFFF); }

enum AAXNodeType : uint32_t
{
    kAAXNodeInputMidi = 0,
    kAAXNodeGlobalMidi = 2,
    kAAXNodeTransport = 3,
};

// The kind under which a creation procedure is registered.
enum AAXProcedureKind : uint32_t
{
    kAAXProcedureEffectParameters = 0,
    kAAXProcedureEffectGUI = 1,
};

// Makes a new module object and returns it unretained (the host retains it),
// or null. Called by the host; lets no exception out.
using AAXCreateObjectProc = IACFUnknown* (*)();

// Renders the instances of the contexts from first up to, not including, last.
// Called on the host's real-time thread.
using AAXRenderProc = void (*)(AAXRenderContext* const* first, AAXRenderContext* const* last);
