#pragma once
// Values the module hands the host's description interfaces: four-character
// codes, property IDs, node types, procedure kinds and the procedure types.

#include "platform/IACFUnknown.h"

#include <cstdint>

struct AAXRenderContext;

// 'EFN1' is 0x45464E31: the first character in the most significant byte.
constexpr uint32_t AAXFourCharCode(const char (&code)[5])
{
    return static_cast<uint32_t>(static_cast<uint8_t>(code[0])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(code[3]));
}

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
