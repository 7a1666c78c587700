#pragma once
// The host objects an effect or GUI object is given: the run-time object
// (controller with its second interface, automation delegate, transport with
// its second interface, and for a GUI object the instance's effect-parameters
// interface), answering from a stream state, and the view container,
// answering from its view state. Actions are recorded in the
// host's calls, queries are not; an instance's run-time object hands the
// automation of values (touch, request, release, report) to the instance
// instead. Its operations may be called on any thread.

#include "host/HostAutomation.h"
#include "host/HostObject.h"
#include "platform/AAX_IHostAutomation.h"
#include "platform/AAX_IHostController.h"
#include "platform/AAX_IHostTransport.h"
#include "platform/AAX_IHostViewContainer.h"

#include <atomic>
#include <mutex>
#include <set>
#include <string>

class HostRunTimeObject final
    : public HostObject<AAX_IHostController, AAX_IHostAutomation, AAX_IHostTransport, AAX_IHostTransport2>
{
public:
    // Answers from the host's own stream state.
    explicit HostRunTimeObject(StandInHost& host) : HostObject(host, "runtime"), stream(&host.stream) {}
    // An instance's: answers from stream, hands the automation of values to
    // sink. Both outlive the object, or the owner disconnects it first.
    HostRunTimeObject(StandInHost& host, const HostStreamState& stream, HostAutomationSink& sink)
        : HostObject(host, "runtime"), stream(&stream), sink(&sink)
    {
    }
    // From now on answers from a default stream state and hands nothing on.
    void Disconnect();
    // A lookup of kIID_EffectParameters is answered by effect (not retained
    // here; the owner disconnects first when it goes): so a GUI object
    // attached to this host object finds its instance.
    void OfferEffect(IACFUnknown* effect) { offeredEffect.store(effect); }

    int32_t LookupInterface(const ACFUID& iid, void** out) override;

    int32_t SampleRate(float* rate) override;
    int32_t InputStemFormat(uint32_t* format) override;
    int32_t OutputStemFormat(uint32_t* format) override;
    int32_t SetSignalLatency(int32_t samples) override;
    int32_t PostPacket(uint32_t field, const void* data, uint32_t sizeBytes) override;

    int32_t RegisterParameter(const char* id) override;
    int32_t UnregisterParameter(const char* id) override;
    int32_t RequestParameterValue(const char* id, double normalized) override;
    int32_t ReportParameterValue(const char* id, double normalized) override;
    int32_t TouchParameter(const char* id) override;
    int32_t ReleaseParameter(const char* id) override;
    int32_t ParameterTouchState(const char* id, uint8_t* touched) override;

    int32_t Tempo(double* beatsPerMinute) override;
    int32_t Meter(int32_t* numerator, int32_t* denominator) override;
    int32_t IsPlaying(uint8_t* playing) override;
    int32_t TickPosition(int64_t* ticks) override;
    int32_t Loop(uint8_t* looping, int64_t* startTick, int64_t* endTick) override;
    int32_t SamplePosition(int64_t* samples) override;

private:
    void* Answer(const ACFUID& iid) override;
    int32_t LogAutomation(const char* operation, const char* id);
    // Into the host's calls, or to the sink when there is one (only what
    // succeeds: a failing automation interface takes nothing).
    int32_t Automate(HostAutomationEvent::Kind kind, const char* operation, const char* id, double value);

    const HostStreamState* stream;
    HostStreamState disconnected;
    std::atomic<HostAutomationSink*> sink{nullptr};
    std::atomic<IACFUnknown*> offeredEffect{nullptr};
    std::mutex touchLock;
    std::set<std::string> touched;
};

class HostViewObject final : public HostObject<AAX_IHostViewContainer>
{
public:
    // Answers from the host's own view state.
    explicit HostViewObject(StandInHost& host) : HostObject(host, "view"), state(&host.view) {}
    // Answers from state, which outlives the object.
    HostViewObject(StandInHost& host, HostViewState& state) : HostObject(host, "view"), state(&state) {}

    void* NativeView() override;
    int32_t HandleParameterMouseDown(const char* id, uint32_t modifiers) override;
    int32_t SetViewSize(const AAXViewSize* size) override;
    int32_t HostModifiers(uint32_t* modifiers) override;

private:
    void* Answer(const ACFUID& iid) override;

    HostViewState* state;
};
