#pragma once
// The effect a module describes when the host registers it: what a host does
// once after loading a module, here also for a description linked into the
// program itself.

#include "host/HostRecord.h"
#include "host/StandInHost.h"
#include "platform/ACFModuleEntryPoints.h"

// The first effect that registerPlugin describes to host. Throws
// std::runtime_error when registration fails or describes no effect.
RecordedEffect RegisterEffect(StandInHost& host, ACFRegisterPluginProc registerPlugin);
