#pragma once
// The effect-parameters base: the object through which the host reads and
// writes an instance's parameters, asks for state chunks and hands over its
// run-time interfaces. It owns the host-side parameters (ParamRegistry), the
// change counter the host polls, the packet dispatcher and the wrappers of
// the controller, automation delegate and transport.
//
// A plug-in binding derives from it: it creates the parameters in
// CreateAAXParameters (during AttachToHost) and may override the chunk
// operations, ApplyHostParamValue and PrepareFieldData. Each host operation
// lets no exception out (an override must guard itself the same way, see
// GuardBoundary) and answers a null out pointer with kACFResultNullPointer.
// Normalised values from the host are clamped to [0, 1]; a NaN is refused
// with -20002 and changes nothing.
//
// Threads: the host calls from threads of its choosing. Attach and detach
// never overlap other calls; in between the registry is only read. Attach
// and detach delete parameters, so a binding whose render path reads them
// (the master bypass) holds its render lock around both. The change counter
// and the master-bypass pointer are atomic; the parameters' values are shared
// whole (AAX_CParameter). The base's chunk operations use a parser of their
// own per call.

#include "framework/aax/AAX_CChunkDataParser.h"
#include "framework/aax/AAX_CParameter.h"
#include "framework/aax/AAX_IEffectParameters.h"
#include "framework/aax/AAX_VAutomationDelegate.h"
#include "framework/aax/AAX_VController.h"
#include "framework/aax/AAX_VTransport.h"
#include "framework/aax/ParamPacketDispatcher.h"
#include "framework/aax/ParamRegistry.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <set>
#include <string>

class AAX_CEffectParameters : public AAX_IEffectParameters
{
public:
    static constexpr const char* kMasterBypassID = "MasterBypassID";
    static constexpr const char* kPreviewID = "PreviewID";
    // 'elck', the controls-state chunk of every registered parameter but the bypass.
    static constexpr uint32_t kControlsStateChunkID = 0x656C636B;

    AAX_CEffectParameters();
    // Deletes the parameters, then the wrappers, when the host did not detach.
    ~AAX_CEffectParameters() override;

    // Answers kIID_EffectParameters and kIID_EffectParameters2 with this object.
    int32_t LookupInterfaceInner(const ACFUID& iid, void** out) override;

    // ---- Host operations, in the order the host calls them by ------------

    // Makes the wrappers on hostObject, creates the parameters
    // (CreateAAXParameters; its failure is answered at once) and leaves the
    // bypass out of the controls-state chunk. Attaching again without a
    // detach first detaches: nothing leaks and no parameter is doubled.
    int32_t AttachToHost(IACFUnknown* hostObject) override;
    // Deletes the parameters and the wrappers; 0.
    int32_t DetachFromHost() override;
    // 'ASPv' switches a "PreviewID" parameter (first data word nonzero =
    // on); every notice answers 0.
    int32_t HandleHostNotice(uint32_t type, const void* data, uint32_t sizeBytes) override;
    int32_t CountParameters(int32_t* count) override;
    // "MasterBypassID" when such a parameter is registered, else "".
    int32_t BypassParameterID(AAX_IString* id) override;
    int32_t QueryAutomatable(const char* id, uint8_t* automatable) override;
    // -20033 for a count above 0x7FFFFFFF.
    int32_t QueryStepCount(const char* id, int32_t* steps) override;
    // An unknown id gives an empty name and 0.
    int32_t QueryParameterName(const char* id, AAX_IString* name) override;
    // The longest line of the abbreviation for maxChars (lines split at
    // "\n") that fits; when none does, its first maxChars bytes (none when
    // maxChars < 1). An unknown id gives an empty name and 0.
    int32_t QueryParameterNameFitting(const char* id, AAX_IString* name, int32_t maxChars) override;
    int32_t QueryDefaultNormalized(const char* id, double* value) override;
    int32_t AssignDefaultNormalized(const char* id, double value) override;
    int32_t QueryParameterKind(const char* id, int32_t* kind) override;
    int32_t QueryParameterStyle(const char* id, int32_t* style) override;
    int32_t LookupParameter(const char* id, AAX_IParameter** parameter) override;
    // -1 and -20001 for an unknown id.
    int32_t IndexOfParameter(const char* id, int32_t* index) override;
    // An empty id and -20001 out of range.
    int32_t ParameterIDAt(int32_t index, AAX_IString* id) override;
    // *detail = 0; -20009.
    int32_t QueryValueDetail(uint32_t argument, uint32_t* detail) override;
    // -20002 when the text does not parse or lies outside the range (then
    // *value holds the constrained position).
    int32_t ParseParameterText(const char* id, double* value, const AAX_IString* text) override;
    // -20002 when the value has no text.
    int32_t FormatParameterValue(const char* id, double value, AAX_IString* text, int32_t maxChars) override;
    int32_t FormatCurrentValue(const char* id, AAX_IString* text, int32_t maxChars) override;
    int32_t QueryNormalized(const char* id, double* value) override;
    // With automation the value changes when the host applies it.
    int32_t AssignNormalized(const char* id, double value) override;
    // Current position + delta, limited to [0, 1], then AssignNormalized.
    int32_t AssignNormalizedRelative(const char* id, double delta) override;
    int32_t BeginTouch(const char* id) override;
    int32_t EndTouch(const char* id) override;
    int32_t NoteTouchState(const char* id, uint8_t touched) override;
    // The parameter takes the value; its packets are marked dirty; the
    // change counter goes up.
    int32_t ApplyHostParamValue(const char* id, double value, int32_t source) override;
    // Current position + delta, limited to [0, 1], then ApplyHostParamValue.
    int32_t ApplyHostParamValueRelative(const char* id, double delta) override;
    int32_t FlushDirtyPackets() override;
    // Zero-fills the block; a null block of nonzero size gives -20008.
    int32_t PrepareFieldData(uint32_t field, void* data, uint32_t sizeBytes) override;

    // The controls-state chunk 'elck'. Index other than 0: ID 0 and -20006;
    // another chunk ID: -20007 (size 0); a size that changed since it was
    // last reported, or is 0: -20008. A record that does not read as a
    // controls-state chunk to its end restores nothing (-20008) and compares
    // unequal; a record of another ID compares equal.
    int32_t CountChunks(int32_t* count) override;
    int32_t ChunkIDAt(int32_t index, uint32_t* chunkID) override;
    int32_t GetStateChunkSize(uint32_t chunkID, int32_t* sizeBytes) override;
    int32_t GetStateChunk(uint32_t chunkID, AAXChunkRecord* record) override;
    int32_t SetStateChunk(uint32_t chunkID, const AAXChunkRecord* record) override;
    int32_t CompareStateChunk(const AAXChunkRecord* record, uint8_t* equal) override;
    // The change counter (0 should it ever wrap negative).
    int32_t CountChanges(int32_t* changes) override;

    int32_t Reserved1() override { return 0; }
    int32_t Reserved2() override;
    int32_t Reserved3(uint32_t* out) override;
    int32_t Reserved4() override { return 0; }
    int32_t Reserved5() override { return 0; }
    int32_t Reserved6() override;
    int32_t Reserved7() override { return 0; }
    int32_t Reserved8() override { return 0; }

    // ---- For the plug-in binding --------------------------------------------

    // During AttachToHost, after the wrappers exist: fills the registry. A
    // nonzero result ends the attach with it. Base: 0.
    virtual int32_t CreateAAXParameters();

    ParamRegistry& Registry() { return registry; }
    ParamPacketDispatcher& Dispatcher() { return dispatcher; }
    // Null outside attach .. detach (or when memory ran out at attach).
    AAX_IController* Controller() const { return controller.get(); }
    AAX_ITransport* Transport() const { return transport.get(); }
    AAX_IAutomationDelegate* AutomationDelegate() const { return automationDelegate.get(); }

    // The registered master-bypass parameter (set by CreateAAXParameters);
    // null before attach and after detach.
    void SetMasterBypassParameter(AAX_CParameter<bool>* parameter) { masterBypass.store(parameter); }
    AAX_CParameter<bool>* MasterBypassParameter() const { return masterBypass.load(); }
    // Audio thread: whether the master bypass is on; false without one.
    bool IsBypassed() const;

    // Any thread: one more change for the host to see.
    void NoteChange() { changeCounter.fetch_add(1); }
    // Registered parameters less the filtered ones, as of the last attach.
    int32_t UnfilteredParameterCount() const { return unfilteredCount; }

protected:
    // The first two steps of ApplyHostParamValue, for overrides: the value
    // checked (NaN: -20002) and clamped, then applied to the parameter of id
    // (-20001 when none). 0 when applied.
    int32_t ApplyValueToParameter(const char* id, double value);
    // The last steps: the packets of id marked dirty, one more change; the
    // result of the marking.
    int32_t FinishHostValueChange(const char* id);

    // Clears parser and puts every unfiltered parameter in registry order.
    void FillChunkParser(AAX_CChunkDataParser& parser) const;
    bool IsFiltered(const char* id) const { return filteredIDs.count(id) != 0; }

private:
    void ReleaseHost();

    std::atomic<int32_t> changeCounter{0};
    std::atomic<int32_t> lastChunkSize{0};
    int32_t unfilteredCount = 0;
    ParamPacketDispatcher dispatcher;
    ParamRegistry registry;
    std::set<std::string> filteredIDs;
    std::unique_ptr<AAX_VController> controller;
    std::unique_ptr<AAX_VTransport> transport;
    std::unique_ptr<AAX_VAutomationDelegate> automationDelegate;
    std::atomic<AAX_CParameter<bool>*> masterBypass{nullptr};
};
