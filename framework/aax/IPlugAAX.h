#pragma once
// The AAX-facing plug-in base: the format-independent IPlugBase joined to the
// host's effect-parameters object. It builds the host parameters from the
// plug-in's parameters, carries values and gestures both ways, runs the
// host's render calls on the plug-in's processing, answers the plug-in's
// transport queries from the host's transport, and keeps the plug-in's state
// as one host chunk whose ID is the plug-in's unique ID.
//
// Host parameters: parameter i has the ID "i + 1" (ParamID.h); a choice
// (or the reserved kind 1) becomes an int parameter with one text per value,
// an integer an int parameter shown as a number with the unit label, a double
// (or a parameter never initialised) a double parameter mapped through the
// plug-in parameter's own range and exponent. "MasterBypassID" ("Master
// Bypass", texts "bypass" / "on") is the only bool; it names no plug-in
// parameter.
//
// State chunk: the plug-in's state exactly as SaveState writes it (one
// little-endian double per parameter in index order, no header).
//
// Locks: the render path, every host value change, the state chunk
// operations, attach and detach (which delete the parameters the render path
// reads) and the transport queries run under the plug-in lock, so no value
// changes during a block and a host value and the plug-in's value never
// disagree.

#include "framework/aax/AAX_CIPlugParameters.h"
#include "framework/aax/AAX_IViewContainer.h"
#include "framework/core/IPlugBase.h"

#include <atomic>
#include <cstdint>

class IPlugAAX : public IPlugBase, public AAX_CIPlugParameters
{
public:
    // The IPlugBase arguments (the plug-in format is AAX) and the number of
    // side-chain inputs. Every channel starts connected; a plug-in with inputs
    // gets its latency delay line; the scratch buffers hold 1024 frames; the
    // host is identified as "ProTools" with the plug-in's own version word.
    IPlugAAX(int32_t nParams, const char* ioString, int32_t nPresets, const char* effectName,
             const char* productName, const char* makerName, int32_t version, int32_t uniqueId, int32_t makerId,
             int32_t latency, bool takesMidi, bool doesChunks, bool isInstrument, int32_t sideChainInputs);
    // The host parameters and wrappers go first (also when the host never
    // detached), then the plug-in base.
    ~IPlugAAX() override;

    static constexpr int32_t kPlugApiAAX = 4;
    static constexpr int32_t kBlockSize = 1024;

    // ---- IPlugBase's host side ------------------------------------------------

    // UI thread: touch / release of parameter idx's host parameter.
    void BeginParamGesture(int32_t idx) override;
    void EndParamGesture(int32_t idx) override;
    // Under the plug-in lock: asks the host to take the unit value (with the
    // host's automation the value changes when the host applies it).
    void SendParamToHost(int32_t idx, double unit) override;
    void AnnounceProgramLoaded() override {}
    // Under the plug-in lock (audio thread, during a render call): the
    // transport of the latest render call. Without one, or when the host's
    // answer fails: sample position 0, tempo 120, meter 4/4, and the
    // transport record keeps what the caller put in.
    int32_t QuerySamplePosition() override;
    double QueryTempo() override;
    void QueryMeter(int32_t* numerator, int32_t* denominator) override;
    void QueryTransport(ITransportRecord* transport) override;
    // UI thread: with an editor, asks the view container (SetViewContainer)
    // for the size {height, width}, then OnEditorResized(flag). True when the
    // host took the size.
    bool ResizeHostView(int32_t width, int32_t height, int32_t flag) override;
    // Set-up thread: tells the host controller, then IPlugBase::ChangeLatency.
    void ChangeLatency(int32_t frames) override;
    // No MIDI goes to the host.
    bool SendMidiToHost(const IMidiMessage&) override { return false; }
    // Any thread: one more change for the host to count.
    void NoteStateChanged() override { NoteChange(); }

    // UI thread: the host view the editor lives in, for ResizeHostView; given
    // by the GUI object when the host opens the view, null when it closes.
    // Not owned.
    void SetViewContainer(AAX_IViewContainer* container) { viewContainer = container; }

    // ---- Host operations --------------------------------------------------------

    // Under the plug-in lock: the base's attach (which calls
    // CreateAAXParameters) and detach.
    int32_t AttachToHost(IACFUnknown* hostObject) override;
    int32_t DetachFromHost() override;
    // Under the plug-in lock: the host parameter of id takes the value; a
    // plug-in parameter takes it as its unit value (unless it holds that unit
    // value already, within 1e-12, so the host's answer to a value the
    // plug-in sent keeps the plain value exactly), the editor's controls are
    // given it and HandleParamChange runs. Then its packets are marked dirty
    // and the change is counted. -20001 for an unknown id, -20002 for a NaN
    // (nothing changes).
    int32_t ApplyHostParamValue(const char* id, double value, int32_t source) override;

    // The state chunk. ChunkIDAt: index 0 gives the unique ID, any other ID 0
    // and -20006. Another chunk ID: -20007. State that cannot be written:
    // -20007 (size 0). GetStateChunk: a state of another size than the one
    // GetStateChunkSize last reported, or a record whose data size is
    // smaller than the state: -20008, nothing written. SetStateChunk:
    // a record holding less than the state (or a negative size): -20008,
    // nothing changes; a longer one is read as far as the state goes; then
    // every parameter's unit value goes to the host, the editor's controls
    // are refreshed and the change counted. CompareStateChunk: a record of
    // another ID compares equal, one too short unequal.
    int32_t ChunkIDAt(int32_t index, uint32_t* chunkID) override;
    int32_t GetStateChunkSize(uint32_t chunkID, int32_t* sizeBytes) override;
    int32_t GetStateChunk(uint32_t chunkID, AAXChunkRecord* record) override;
    int32_t SetStateChunk(uint32_t chunkID, const AAXChunkRecord* record) override;
    int32_t CompareStateChunk(const AAXChunkRecord* record, uint8_t* equal) override;

    // During attach, under the plug-in lock: the master bypass and one host
    // parameter per plug-in parameter, each at the plug-in parameter's
    // current value; then the controller's sample rate (kept when the host
    // gives none, or one that is not finite and positive) and PrepareStream.
    int32_t CreateAAXParameters() override;

    // Host real-time thread, under the plug-in lock: the block of context.
    // Channel counts come from the controller's stem formats (none when it
    // does not answer); a negative frame count renders nothing; a block longer
    // than the scratch buffers runs in sub-blocks. Bypassed (master bypass on),
    // the outputs receive the inputs: without latency as they are, and the
    // plug-in's processing does not run; with latency delayed by it, after the
    // plug-in's processing ran.
    void RenderCallback(const AAXRenderContext& context) override;

private:
    uint32_t StateChunkID() const { return static_cast<uint32_t>(GetUniqueId()); }
    // The channel count of a stem format the controller reports; 0 when it
    // does not answer.
    int32_t StemChannels(int32_t (AAX_IController::*query)(uint32_t*)) const;
    void ReadMidi(const AAXRenderContext& context);
    void ConnectChannels(const AAXRenderContext& context, int32_t frames);

    AAX_ITransport* hostTransport = nullptr;  // of the latest render call; under the plug-in lock
    AAX_IViewContainer* viewContainer = nullptr;
    int32_t sideChainInputs;
    bool sideChainConnected = false;
    std::atomic<int32_t> reportedChunkSize{0};  // by the latest GetStateChunkSize
};
