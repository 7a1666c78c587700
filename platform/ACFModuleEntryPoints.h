#pragma once
// The seven entry points a module exports to the host (plain C names), their
// function types for the host's symbol lookup, and the SDK version the module
// reports. Every entry point returns a result code and lets no exception out.

#include "platform/IACFUnknown.h"

#include <cstdint>

extern "C" {
// The number of live module objects: 0 when the module may be unloaded.
using ACFCanUnloadNowProc = int32_t (*)(IACFUnknown* host);
using ACFGetClassFactoryProc = int32_t (*)(IACFUnknown* host, const ACFUID& classID, const ACFUID& iid, void** factory);
// Low 32 bits the first version word, high 32 bits the second.
using ACFGetSDKVersionProc = int32_t (*)(uint64_t* version);
using ACFRegisterComponentProc = int32_t (*)(IACFUnknown* host, uint32_t index, IACFUnknown** component);
// Describes the module's effect on the host's collection; on success *definition
// holds the plug-in definition, retained for the host.
using ACFRegisterPluginProc = int32_t (*)(IACFUnknown* host, IACFUnknown** definition);
using ACFShutdownProc = int32_t (*)(IACFUnknown* host);
using ACFStartupProc = int32_t (*)(IACFUnknown* host);
}

inline constexpr const char* kACFCanUnloadNowName = "ACFCanUnloadNow";
inline constexpr const char* kACFGetClassFactoryName = "ACFGetClassFactory";
inline constexpr const char* kACFGetSDKVersionName = "ACFGetSDKVersion";
inline constexpr const char* kACFRegisterComponentName = "ACFRegisterComponent";
inline constexpr const char* kACFRegisterPluginName = "ACFRegisterPlugin";
inline constexpr const char* kACFShutdownName = "ACFShutdown";
inline constexpr const char* kACFStartupName = "ACFStartup";

inline constexpr uint32_t kACFSDKVersionLow = 0x007756BF;
inline constexpr uint32_t kACFSDKVersionHigh = 0x00000201;
