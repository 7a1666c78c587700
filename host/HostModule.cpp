#include "host/HostModule.h"

#include <dlfcn.h>

namespace {

template <class Proc>
bool Resolve(void* handle, const char* name, Proc& into, std::string& error)
{
    into = reinterpret_cast<Proc>(dlsym(handle, name));
    if (!into)
        error = std::string("missing entry point ") + name;
    return into != nullptr;
}

}  // namespace

bool HostModule::Load(const std::string& path)
{
    Unload();
    error.clear();
    // Once loaded, the module's code stays mapped for the rest of the process,
    // as hosts keep plug-in code: what it and the libraries it brings in keep
    // for the process (caches, load-time tables) stays theirs.
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle)
    {
        const char* reason = dlerror();
        error = reason ? reason : "cannot load " + path;
        return false;
    }
    const bool complete = Resolve(handle, kACFCanUnloadNowName, canUnloadNow, error) &&
                          Resolve(handle, kACFGetClassFactoryName, getClassFactory, error) &&
                          Resolve(handle, kACFGetSDKVersionName, getSDKVersion, error) &&
                          Resolve(handle, kACFRegisterComponentName, registerComponent, error) &&
                          Resolve(handle, kACFRegisterPluginName, registerPlugin, error) &&
                          Resolve(handle, kACFShutdownName, shutdown, error) &&
                          Resolve(handle, kACFStartupName, startup, error);
    if (!complete)
    {
        const std::string reason = error;
        Unload();
        error = reason;
    }
    return complete;
}

void HostModule::Unload()
{
    if (handle)
        dlclose(handle);
    handle = nullptr;
    canUnloadNow = nullptr;
    getClassFactory = nullptr;
    getSDKVersion = nullptr;
    registerComponent = nullptr;
    registerPlugin = nullptr;
    shutdown = nullptr;
    startup = nullptr;
}
