#pragma once
// The module's instance handle: what a DLL's entry callback records, here the
// load address of the module (or program) this code is linked into.

// Recorded when the code is loaded; null when it cannot be told.
void* ModuleInstanceHandle();
