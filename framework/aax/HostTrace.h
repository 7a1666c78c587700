#pragma once
// The module's process-wide host services and the trace function written
// through them. Set up by ACFStartup and taken down by ACFShutdown, which the
// host calls once each, before and after all other use: no lock.

#include "platform/IACFUnknown.h"

#include <cstdint>

// Creates the process-wide host-services wrapper on hostObject when none
// exists and hostObject is not null (none when memory runs out); deletes it
// when one exists and hostObject is null; otherwise does nothing.
void SetHostServices(IACFUnknown* hostObject);

// Formats printf-style into 512 bytes (a longer text is cut to 511 bytes) and
// traces it through the host's services. Returns the host's result, or 0
// without host services.
int32_t HostTrace(int32_t priority, const char* format, ...) __attribute__((format(printf, 2, 3)));
