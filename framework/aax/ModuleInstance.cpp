#include "framework/aax/ModuleInstance.h"

#include <dlfcn.h>

namespace {

void* moduleInstance = nullptr;

// The loader runs this when it maps the module, as it runs the static
// initialisation of everything linked in (whose process-wide set-up, such as
// that of the graphics layer, lives with its own code). Like a DLL entry
// callback it only records the module's instance handle: its load address.
__attribute__((constructor)) void RecordModuleInstance()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&RecordModuleInstance), &info) != 0)
        moduleInstance = info.dli_fbase;
}

}  // namespace

void* ModuleInstanceHandle() { return moduleInstance; }
