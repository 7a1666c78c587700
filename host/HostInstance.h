#pragma once
// One effect instance as the stand-in host holds it: made through the
// effect's registered creation procedure, attached with a run-time object of
// its own (controller, automation and transport answering from Stream()),
// its private-data fields prepared, rendered through its component's render
// procedure. It records the automation the instance makes and answers each
// value the instance requests through ApplyHostParamValue: queued until
// DeliverRequests (the default) or at once. Every value the host applies is
// then reported to the instance's GUI objects (ReflectParamValue).
//
// Threads: render calls from one thread at a time; parameter, automation and
// chunk calls from any thread, also during a render call. Stream(), MIDI
// and the side chain change only between render calls.

#include "host/HostAutomation.h"
#include "host/HostContextNodes.h"
#include "host/HostRecord.h"
#include "host/StandInHost.h"
#include "platform/AAXRenderContext.h"
#include "platform/AAX_IACFEffectGUI.h"
#include "platform/AAX_IACFEffectParameters.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class HostRunTimeObject;

// How requested values come back. The instance's published output values
// reach its host parameters only with the answer: a host that reads them
// right after a render call answers at once.
enum class HostEcho
{
    kQueued,     // applied by DeliverRequests, in order
    kImmediate,  // applied inside the request
};

struct HostParameterInfo
{
    std::string id;
    std::string name;
    int32_t steps = 0;
    int32_t kind = 0;
    bool automatable = false;
    double defaultNormalized = 0.0;
};

class HostInstance;

// One instance's block of one render call.
struct HostRenderJob
{
    HostInstance* instance;
    float* const* inputs;   // one buffer per input channel of the stem format
    float* const* outputs;  // one buffer per output channel
    int32_t frames;
};

class HostInstance final : private HostAutomationSink
{
public:
    // Longest value text asked for.
    static constexpr int32_t kTextMax = 64;

    // An instance of effect, made with its effect-parameters procedure, on
    // the component whose stem formats are stream's. Null, with the reason in
    // *error, when there is no such component or procedure or the instance
    // cannot be made (below).
    static std::unique_ptr<HostInstance> Create(StandInHost& host, const RecordedEffect& effect,
                                                const HostStreamState& stream, std::string* error = nullptr);
    // An instance made by create, rendered as component describes. Null, with
    // the reason in *error, when create makes nothing, the object answers no
    // effect-parameters interface, or attaching or preparing a private-data
    // field fails.
    static std::unique_ptr<HostInstance> Create(StandInHost& host, AAXCreateObjectProc create,
                                                const RecordedComponent& component, const HostStreamState& stream,
                                                std::string* error = nullptr);
    // Detaches and releases the instance.
    ~HostInstance();
    HostInstance(const HostInstance&) = delete;
    HostInstance& operator=(const HostInstance&) = delete;

    AAX_IACFEffectParameters& Effect() const { return *effect; }
    // The host object the instance is attached with; its GUI objects are
    // attached with it too (it answers the instance's effect-parameters
    // interface).
    IACFUnknown* HostObject() const;
    const RecordedComponent& Component() const { return component; }
    // What the controller and the transport answer.
    HostStreamState& Stream() { return stream; }

    // ---- Parameters (AAX result codes) --------------------------------------

    // Every registered parameter in the instance's order.
    std::vector<HostParameterInfo> Parameters() const;
    int32_t Normalized(const char* id, double* value) const;
    // The host sets the value (automation playback): ApplyHostParamValue;
    // when it took, the GUI objects hear ReflectParamValue.
    int32_t SetNormalized(const char* id, double normalized);
    // The current value's text, at most maxChars long.
    int32_t Text(const char* id, std::string* text, int32_t maxChars = kTextMax) const;
    // The value of text, parsed by the parameter, set as SetNormalized does;
    // nothing changes when the text does not parse (-20002).
    int32_t SetText(const char* id, const char* text);

    // ---- Automation ----------------------------------------------------------

    void SetEcho(HostEcho echo);
    // What the instance did since the last clear, in order (a long run
    // clears it now and then: publications add to it at every interval).
    std::vector<HostAutomationEvent> Automation() const;
    void ClearAutomation();
    // Automation() and ClearAutomation() in one step, so that nothing another
    // thread adds between them is lost.
    std::vector<HostAutomationEvent> TakeAutomation();
    // Applies the queued requests in order; the number applied.
    int32_t DeliverRequests();

    // ---- GUI objects -------------------------------------------------------------

    // gui hears ReflectParamValue for every value the host applies from now
    // on, until removed (not retained: remove it before it goes). Removing
    // waits for the reports to GUI objects that began before it (on any
    // thread) to end, so that none reaches gui once it is removed: never
    // remove from inside such a report.
    void AddGuiObserver(AAX_IACFEffectGUI* gui);
    void RemoveGuiObserver(AAX_IACFEffectGUI* gui);

    // ---- State chunks (AAX result codes) --------------------------------------

    // The IDs of every chunk the instance offers.
    std::vector<uint32_t> ChunkIDs() const;
    // Asks for the size, then the chunk into a record of that size.
    int32_t GetChunk(uint32_t chunkID, std::vector<uint8_t>* data) const;
    int32_t SetChunk(uint32_t chunkID, const std::vector<uint8_t>& data);
    int32_t CompareChunk(uint32_t chunkID, const std::vector<uint8_t>& data, bool* equal) const;

    // ---- Rendering -------------------------------------------------------------

    // MIDI packets for the next render call (when the component has an input MIDI node).
    void QueueMidi(const AAXMidiPacket& packet) { inputMidi.Queue(packet); }
    // What the side-chain field says (when the component has one).
    void SetSideChainConnected(bool connected) { sideChain = connected ? 1 : 0; }
    // One render call for this instance alone.
    void Render(float* const* inputs, float* const* outputs, int32_t frames);
    // One render call per render procedure, in the order the jobs name them,
    // with the contexts of every job that uses it.
    static void RenderBatch(const std::vector<HostRenderJob>& jobs);

private:
    HostInstance(StandInHost& host, const RecordedComponent& component, const HostStreamState& stream);

    // Attaches effect and prepares the context; false with the reason in *error.
    bool Start(IACFUnknown* object, std::string* error);
    void BuildContext();
    // The context of a render call with these buffers.
    AAXRenderContext* PrepareRender(float* const* inputs, float* const* outputs, int32_t frames);
    int32_t PrepareField(const RecordedField& field, std::string* error);
    void OnAutomation(HostAutomationEvent::Kind kind, const char* id, double value) override;

    const RecordedComponent component;
    HostStreamState stream;
    HostRunTimeObject* runTime = nullptr;
    AAX_IACFEffectParameters* effect = nullptr;

    AAXRenderContext context = {};
    int32_t frameCount = 0;
    int32_t sideChain = 0;
    std::unique_ptr<HostTransportNode> transport;
    HostMidiNode inputMidi;
    HostMidiNode globalMidi;
    std::vector<std::vector<uint64_t>> fieldBlocks;  // private data, 8-byte aligned
    std::vector<uint32_t> idList;

    mutable std::mutex automationLock;
    HostEcho echo = HostEcho::kQueued;
    std::vector<HostAutomationEvent> automation;
    std::vector<std::pair<std::string, double>> requests;

    // The GUI objects, and the SetNormalized calls telling them (numbered
    // in the order they took the list).
    std::mutex guiLock;
    std::condition_variable guiCallEnded;
    std::vector<AAX_IACFEffectGUI*> guis;
    uint64_t guiCallsBegun = 0;
    std::set<uint64_t> guiCallsRunning;
};
