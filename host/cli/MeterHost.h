#pragma once
// The module as the host program holds it: loaded, started and registered
// with the stand-in host once per process, and instances of its effect made
// on the insert of a channel count, with the transport playing.
//
// Instances are made and released under one lock (the stand-in host's
// records are shared); each instance is then driven by one thread at a time.

#include "host/HostEditor.h"
#include "host/HostInstance.h"
#include "host/HostModule.h"
#include "host/StandInHost.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class MeterHost
{
public:
    MeterHost() = default;
    // Every instance is gone by now: the module is asked whether it can
    // unload, shut down and closed.
    ~MeterHost();
    MeterHost(const MeterHost&) = delete;
    MeterHost& operator=(const MeterHost&) = delete;

    // Loads the module at path, starts it and registers its effect. False,
    // with a one-line reason in *error, when any step fails.
    bool Load(const std::string& path, std::string* error);

    // The channel counts the effect has an insert for (input and output
    // alike), ascending; and as text ("1, 2, 4, 5 or 6").
    std::vector<int32_t> ChannelCounts() const;
    std::string ChannelCountsText() const;

    struct InstanceRelease
    {
        MeterHost* host;
        void operator()(HostInstance* instance) const;
    };
    using Instance = std::unique_ptr<HostInstance, InstanceRelease>;

    // A new instance on the insert of channels at sampleRate, answering
    // requested values once per DeliverRequests; null with the reason in
    // *error. Any thread.
    Instance NewInstance(int32_t channels, int32_t sampleRate, std::string* error);

    // The GUI object of instance, attached; null with the reason in *error.
    // It goes before the instance. UI thread.
    std::unique_ptr<HostEditor> NewEditor(HostInstance& instance, std::string* error);

private:
    uint32_t StemFormatFor(int32_t channels) const;

    HostModule module;
    StandInHost host;
    const RecordedEffect* effect = nullptr;
    bool started = false;
    std::mutex lock;
};
