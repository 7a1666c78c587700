#pragma once
// The host object given to the module's entry points: its object factory
// makes the description objects and the host services.

#include "host/HostObject.h"
#include "platform/AAX_IHostObjectFactory.h"
#include "platform/AAX_IHostServiceProvider.h"

class HostServicesObject final : public HostObject<AAX_IHostServiceProvider>
{
public:
    explicit HostServicesObject(StandInHost& host) : HostObject(host, "services") {}

    int32_t Trace(int32_t priority, const char* text) override;

private:
    void* Answer(const ACFUID& iid) override;
};

class HostFactoryObject final : public HostObject<AAX_IHostObjectFactory>
{
public:
    explicit HostFactoryObject(StandInHost& host) : HostObject(host, "host") {}

    // Logs "new <label>" for each object made.
    int32_t CreateObject(const ACFUID& classID, IACFUnknown* outer, const ACFUID& iid, void** out) override;

private:
    void* Answer(const ACFUID& iid) override;
};
