#pragma once
// A plug-in module loaded as a host loads it: dlopen, then the seven entry
// points resolved by name. Unloading (or destruction) closes the module; its
// code stays mapped until the process ends.

#include "platform/ACFModuleEntryPoints.h"

#include <string>

class HostModule
{
public:
    HostModule() = default;
    ~HostModule() { Unload(); }
    HostModule(const HostModule&) = delete;
    HostModule& operator=(const HostModule&) = delete;

    // False, with Error() telling why, when the file does not load or an
    // entry point is missing; nothing stays loaded then.
    bool Load(const std::string& path);
    void Unload();
    bool Loaded() const { return handle != nullptr; }
    const std::string& Error() const { return error; }

    ACFCanUnloadNowProc canUnloadNow = nullptr;
    ACFGetClassFactoryProc getClassFactory = nullptr;
    ACFGetSDKVersionProc getSDKVersion = nullptr;
    ACFRegisterComponentProc registerComponent = nullptr;
    ACFRegisterPluginProc registerPlugin = nullptr;
    ACFShutdownProc shutdown = nullptr;
    ACFStartupProc startup = nullptr;

private:
    void* handle = nullptr;
    std::string error;
};
