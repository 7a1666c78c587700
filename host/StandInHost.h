#pragma once
// The stand-in host: the host object handed to the module's entry points,
// with the object factory through which the module's description wrappers
// make the host's collection, descriptors, property maps and services; the
// run-time object (controller, automation, transport) and the view container
// that effect and GUI objects are given. It records every call, and each
// interface can be withheld (lookups fail) or made to fail (its operations
// answer a code), to reach the module's failure paths.
//
// Lives longer than every object it makes; used on one thread at a time
// except where noted.

#include "host/HostRecord.h"
#include "platform/AAX_IHostViewContainer.h"
#include "platform/IACFUnknown.h"

#include <cstdarg>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

class HostFactoryObject;
class HostRunTimeObject;
class HostViewObject;

// What the run-time object reports to the module.
struct HostStreamState
{
    float sampleRate = 48000.0f;
    uint32_t inputStemFormat = 0x00010002;
    uint32_t outputStemFormat = 0x00010002;
    double tempo = 120.0;
    int32_t meterNumerator = 4;
    int32_t meterDenominator = 4;
    bool playing = false;
    int64_t tickPosition = 0;
    int64_t samplePosition = 0;
    bool looping = false;
    int64_t loopStartTick = 0;
    int64_t loopEndTick = 0;
};

struct HostViewState
{
    void* nativeView = nullptr;
    bool takesParameterClicks = false;  // HandleParameterMouseDown answers 0
    uint32_t modifiers = 0;             // reported by HostModifiers
    AAXViewSize size = {0.0f, 0.0f};    // last size set by the module
};

class StandInHost
{
public:
    StandInHost();
    ~StandInHost();
    StandInHost(const StandInHost&) = delete;
    StandInHost& operator=(const StandInHost&) = delete;

    // The host object for ACFStartup and ACFRegisterPlugin (no reference is
    // passed to the caller).
    IACFUnknown* Unknown() const;
    // The host object handed to an effect or GUI object at attach.
    IACFUnknown* RunTime() const;
    // The view container handed to a GUI object.
    IACFUnknown* View() const;

    // Lookups of iid fail on every host object from now on.
    void Withhold(const ACFUID& iid);
    // Every operation of iid answers code from now on (0 restores success).
    void Fail(const ACFUID& iid, int32_t code);
    bool Offers(const ACFUID& iid) const;
    int32_t Outcome(const ACFUID& iid) const;

    HostRecord& Record() { return record; }
    const std::vector<std::string>& Calls() const { return record.calls; }
    // Appends one call line; any thread.
    void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Host objects alive beyond the three standing ones (the module's wrappers
    // and the host's own hand-outs hold them).
    int32_t LiveObjects() const { return liveObjects - kStandingObjects; }
    void ObjectMade() { ++liveObjects; }
    void ObjectGone() { --liveObjects; }
    // The next label of a kind of object: "effect1", "effect2", ...
    std::string NextLabel(const char* kind);

    HostStreamState stream;
    HostViewState view;

private:
    static constexpr int32_t kStandingObjects = 3;

    struct Switch
    {
        ACFUID iid;
        bool offered = true;
        int32_t failure = 0;
    };
    Switch& SwitchFor(const ACFUID& iid);
    const Switch* FindSwitch(const ACFUID& iid) const;

    std::vector<Switch> switches;
    std::vector<std::pair<std::string, int32_t>> labelCounts;
    HostRecord record;
    std::mutex logLock;
    int32_t liveObjects = 0;
    HostFactoryObject* factory = nullptr;
    HostRunTimeObject* runTime = nullptr;
    HostViewObject* viewObject = nullptr;
};

// printf-style into a std::string.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatTextV(const char* format, va_list args);
