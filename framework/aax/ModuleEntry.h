#pragma once
// The module's outer shell: the load-time entry callback and the seven entry
// points the host calls. Each entry point catches every exception (result
// 0x8000FFFF) and answers a null out pointer with kACFResultNullPointer,
// writing nothing.

#include "platform/ACFModuleEntryPoints.h"

#define SONVAREK_EXPORT __attribute__((visibility("default")))

extern "C" {
// Any thread: the number of live module objects.
SONVAREK_EXPORT int32_t ACFCanUnloadNow(IACFUnknown* host);
// *factory = null; -20009.
SONVAREK_EXPORT int32_t ACFGetClassFactory(IACFUnknown* host, const ACFUID& classID, const ACFUID& iid, void** factory);
SONVAREK_EXPORT int32_t ACFGetSDKVersion(uint64_t* version);
// *component = null; 0.
SONVAREK_EXPORT int32_t ACFRegisterComponent(IACFUnknown* host, uint32_t index, IACFUnknown** component);
// *definition is null until the effect is described and the host's collection
// answered the plug-in definition lookup (-20004 when it does not).
SONVAREK_EXPORT int32_t ACFRegisterPlugin(IACFUnknown* host, IACFUnknown** definition);
// Called once, after all other use: deletes the host-services wrapper.
SONVAREK_EXPORT int32_t ACFShutdown(IACFUnknown* host);
// Called once, before all other use: makes the host-services wrapper on host.
SONVAREK_EXPORT int32_t ACFStartup(IACFUnknown* host);
}
