#pragma once
// The format-independent base of every plug-in instance: parameters, preset
// slots, identity, host identity, sample rate, block size and latency, the
// channels with their connection state and double-precision scratch buffers,
// the latency delay line, the attached editor and the plug-in lock.
//
// A format binding (derived class) drives the plug-in class (derived from the
// binding) through the virtual operations below: audio, parameter changes,
// editor events. Operations without a base body are the binding's to supply.
//
// The plug-in lock is re-entrant. It is held by the binding's render path for
// a whole block, by both forms of SetParameterFromGUI, AttachEditor,
// SendAllParamsToHost, ChangeBlockSize, ChangeLatency, CreateDelayLine, the
// base bodies of PrepareStream and HandleParamChange, and by state
// serialising and restoring and by the program-file loaders; so settings and
// buffers never change during a block.

#include "framework/core/HostId.h"
#include "framework/core/IChannelDelayLine.h"
#include "framework/core/IEditorLink.h"
#include "framework/core/IMidiMessage.h"
#include "framework/core/IPlugChannel.h"
#include "framework/core/IPlugParam.h"
#include "framework/core/IPlugPreset.h"
#include "framework/core/IStateChunk.h"
#include "framework/core/ITransportRecord.h"
#include "framework/core/PointerList.h"
#include "framework/core/PresetValue.h"
#include "framework/core/StringBuf.h"
#include "platform/PlatformLock.h"

#include <cstddef>
#include <cstdint>

struct ProgramFileInfo;
enum class ProgramFileFault;

constexpr int32_t kPlugNameMax = 127;

class IPlugBase
{
public:
    // nParams default parameters and nPresets empty slots ("empty 0",
    // "empty 1", ...). ioString lists the accepted configurations as
    // "in-out" tokens separated by blanks ("1-1 2-2 6-6"; a missing number
    // counts as 0); one input and one output channel record is made for each
    // channel of the largest configuration, all disconnected and without
    // scratch memory until ChangeBlockSize. Names are cut to 127 bytes.
    // version: major in bits 16-31, minor 8-15, patch 0-7. uniqueId and
    // makerId: four characters as a 32-bit value. plugApi: the format driving
    // the instance.
    IPlugBase(int32_t nParams, const char* ioString, int32_t nPresets, const char* effectName,
              const char* productName, const char* makerName, int32_t version, int32_t uniqueId,
              int32_t makerId, int32_t latency, bool takesMidi, bool doesChunks, bool isInstrument,
              int32_t plugApi);
    // Deletes the editor, the parameters, the presets, the channel records,
    // the configurations and the delay line, in this order.
    virtual ~IPlugBase();
    IPlugBase(const IPlugBase&) = delete;
    IPlugBase& operator=(const IPlugBase&) = delete;

    // ---- Operations the plug-in class overrides --------------------------

    // Before streaming starts or when the stream changes (sample rate, block
    // size); set-up thread. Base: takes and releases the plug-in lock.
    virtual void PrepareStream();
    // A parameter has a new value, or (indices beyond the parameters) a
    // command of the editor arrived; any thread. Base: takes and releases the
    // plug-in lock.
    virtual void HandleParamChange(int32_t idx);
    // Audio thread, under the plug-in lock. inputs: NInChannels() buffers (or
    // null when there are none); outputs: NOutChannels() buffers; nFrames at
    // most GetBlockSize(). Base: copies input i to output i below the smaller
    // count and clears the remaining outputs; null buffers are skipped.
    virtual void RunAudioBlock(double** inputs, double** outputs, int32_t nFrames);
    // UI thread, when the host opens / closes the editor view. Base: nothing.
    virtual void OnEditorOpened() {}
    virtual void OnEditorClosed() {}
    // UI thread, on every tick of the editor's timer, before it collects the
    // changed controls. Base: nothing.
    virtual void IdleRefresh() {}
    // Audio thread, under the plug-in lock. Base: SendMidiToHost(message).
    virtual void HandleMidiMessage(const IMidiMessage& message);
    // UI thread, after the editor's size changed (flag: the editor kept its
    // controls). Base: nothing.
    virtual void OnEditorResized(int32_t flag) { (void)flag; }
    // UI thread, after the editor deleted and rebuilt its controls. Base: nothing.
    virtual void OnControlsReset() {}
    // After a preset was recalled. Base: nothing.
    virtual void OnPresetRecalled() {}

    // ---- Parameter flow between editor, plug-in and host -----------------

    // UI thread (a control changed). Under the plug-in lock: the parameter
    // takes the unit value (clamped to [0, 1]), the host is sent it
    // (SendParamToHost), then HandleParamChange(idx). Nothing for an index
    // that names no parameter or a NaN.
    virtual void SetParameterFromGUI(int32_t idx, double unit);
    // The same without HandleParamChange: the change reaches the plug-in when
    // the host hands the value back. A plain value (isUnit false) is first
    // turned into its unit value (so it is stored as the step snaps it).
    virtual void SetParameterFromGUI(int32_t idx, double value, bool isUnit);

    // ---- Host side: the binding supplies these ---------------------------

    // UI thread: a drag of parameter idx begins / ends (host touch, release).
    virtual void BeginParamGesture(int32_t idx) = 0;
    virtual void EndParamGesture(int32_t idx) = 0;
    // Under the plug-in lock (editor, publication of meter values on the audio
    // thread): asks the host to take parameter idx's unit value.
    virtual void SendParamToHost(int32_t idx, double unit) = 0;
    // A program file or preset was loaded.
    virtual void AnnounceProgramLoaded() = 0;
    // Audio thread, under the plug-in lock, during a render call: the host's
    // transport. Sample position in samples (its low 32 bits), tempo in
    // quarter notes per minute, meter as numerator / denominator.
    virtual int32_t QuerySamplePosition() = 0;
    virtual double QueryTempo() = 0;
    virtual void QueryMeter(int32_t* numerator, int32_t* denominator) = 0;
    // Fills the fields the host knows; the others keep what the caller put in.
    virtual void QueryTransport(ITransportRecord* transport) = 0;
    // UI thread: asks the host to resize the editor's view to width x height
    // pixels, then reports the resize (OnEditorResized(flag)); true on success.
    virtual bool ResizeHostView(int32_t width, int32_t height, int32_t flag) = 0;
    // Audio thread: sends a MIDI message to the host; false when not sent.
    virtual bool SendMidiToHost(const IMidiMessage& message) = 0;
    // The state changed in a way the host should count. Base: nothing.
    virtual void NoteStateChanged() {}

    // ---- Overridable set-up ------------------------------------------------

    // Set-up thread, under the plug-in lock; frames, negative counting as 0.
    // Base: latency = frames; the delay line, when there is one, is resized
    // to that length and cleared. A binding tells the host first.
    virtual void ChangeLatency(int32_t frames);
    // Set-up thread, under the plug-in lock (never on the audio path). Every
    // scratch buffer is resized to frames doubles (memory given back when it
    // shrinks) and cleared; nothing when frames equals the block size. When a
    // buffer cannot grow the block size becomes what every buffer holds.
    virtual void ChangeBlockSize(int32_t frames);
    // Takes ownership of the editor (a null editor is ignored). Under the
    // plug-in lock: every parameter's unit value is pushed to the editor's
    // controls, its bitmaps are made, and it is stored; a different editor
    // attached before is deleted.
    virtual void AttachEditor(IEditorLink* editor);
    // Pushes every parameter's plain value to the attached editor's controls.
    // Takes no lock: its callers hold it where needed.
    virtual void RefreshParamControls();

    // ---- Parameters ----------------------------------------------------------

    int32_t NParams() const { return params.GetSize(); }
    // Null for an index out of range.
    IPlugParam* GetParam(int32_t idx) const { return params.Get(idx); }
    // Under the plug-in lock: SendParamToHost for every parameter in index order.
    void SendAllParamsToHost();
    // HandleParamChange for every parameter in index order; takes no lock.
    void HandleAllParamChanges();
    // While set, restoring state calls no HandleParamChange per parameter.
    bool ParamChangeHooksSuppressed() const { return paramChangeHooksSuppressed; }
    void SuppressParamChangeHooks(bool suppress) { paramChangeHooksSuppressed = suppress; }

    // ---- State (format: IStateChunk.h) ------------------------------------------

    // Under the plug-in lock: appends every parameter's plain value to chunk
    // (not cleared first). False when the chunk cannot grow; it then holds the
    // values that fitted.
    bool SerializeParams(IStateChunk& chunk);
    // Under the plug-in lock: reads one value per parameter from pos on and
    // stores it clamped to the parameter's range (not snapped); with
    // presetParamsOnly only preset members take theirs. A value that is not
    // finite leaves its parameter as it was. A chunk that ends early sets only
    // the parameters whose 8 bytes are whole. Then, unless change hooks are
    // suppressed, HandleParamChange for every parameter. Returns the position
    // after the last value, -1 when the chunk ended early (or pos was -1).
    int32_t UnserializeParams(const IStateChunk& chunk, int32_t pos, bool presetParamsOnly);
    // Base: SerializeParams.
    virtual bool SaveState(IStateChunk& chunk);
    // Base: UnserializeParams(chunk, pos, false).
    virtual int32_t LoadState(const IStateChunk& chunk, int32_t pos);
    // Base: UnserializeParams(chunk, pos, presetParamsOnly).
    virtual int32_t LoadPresetState(const IStateChunk& chunk, int32_t pos, bool presetParamsOnly);
    // True when every parameter i equals values[first + i], both rounded to
    // single precision and differing by less than 1e-5; false when values
    // (nValues long) holds fewer than first + NParams().
    virtual bool CompareParams(const double* values, int32_t nValues, int32_t first);

    // ---- Preset slots ----------------------------------------------------------
    // Editor thread or construction; these take no lock of their own (the
    // state operations they call do).

    int32_t NPresets() const { return presets.GetSize(); }
    // Null for an index out of range.
    IPlugPreset* GetPreset(int32_t idx) const { return presets.Get(idx); }
    int32_t PresetSlotCount() const { return presetSlotCount; }
    int32_t GetCurrentPresetIdx() const { return currentPreset; }
    // The first slot that is not initialised; null when there is none.
    IPlugPreset* FirstFreePreset() const;
    // "user preset N", N = 1 + the number of slots whose name contains "user preset".
    void MakeUserPresetName(char* out, size_t outSize) const;
    // The slot's name; empty for an index out of range.
    const char* PresetName(int32_t idx) const;
    // An empty slot becomes initialised, named by MakeUserPresetName and
    // takes the current state; an initialised slot's state is restored (only
    // preset members with presetParamsOnly). On success currentPreset = idx,
    // OnPresetRecalled, RefreshParamControls. False for an index out of range
    // or a state that cannot be saved or restored whole (currentPreset stays).
    bool RecallPreset(int32_t idx, bool presetParamsOnly);
    // The slot takes the current state, and the name when it is neither null
    // nor empty; its initialised flag stays. False for an index out of range
    // or a state that cannot be saved.
    bool ModifyPreset(int32_t idx, const char* name);
    bool ModifyCurrentPreset(const char* name) { return ModifyPreset(currentPreset, name); }
    // Deletes every slot and makes PresetSlotCount() empty ones ("empty 0", ...).
    void MakeBlankPresets();

    // The preset makers (PresetValue.h): the target becomes initialised,
    // takes the name and holds, for every parameter in index order, the
    // value given for it or, where none is given, its current plain value.
    // Values are not clamped. Pairs whose index names no parameter are
    // ignored; of two pairs for one index the later wins. False, nothing
    // changed, without a target.
    // One value per parameter in index order, into the first free slot.
    virtual bool MakePresetFromValues(const char* name, PresetValues values);
    // Into the first free slot.
    virtual bool MakePresetFromPairs(const char* name, PresetPairs pairs);
    // Into the given slot.
    virtual bool MakePresetAtFromPairs(int32_t slotIndex, const char* name, PresetPairs pairs);
    // Into a record outside the slot list (the preset manager's default).
    virtual bool FillPresetFromPairs(IPlugPreset* preset, const char* name, PresetPairs pairs);

    // The destination slot takes a copy of the source slot's state, its
    // initialised flag, and with copyName its name (when not empty). Nothing
    // (false) for an index out of range, the same slot twice, or a source
    // that is not initialised (its empty state would wipe the destination).
    bool CopyPreset(int32_t srcIdx, int32_t dstIdx, bool copyName);
    // The same from a record outside the list; nothing for a null record.
    bool CopyPresetFrom(const IPlugPreset* source, int32_t dstIdx, bool copyName);

    // ---- Program files (format: ProgramFile.h) ----------------------------------
    // On the caller's thread (editor, construction); values are applied under
    // the plug-in lock. A file is validated whole before anything changes:
    // every rejection returns false with values, presets and currentPreset
    // as they were.

    // Writes the current values as an "FxCk" file (an "FPCh" file of the
    // state for a plug-in with chunks) under programName cut to 27 bytes. The
    // file replaces fileName atomically; false when anything fails, and then
    // fileName is as it was.
    bool SaveProgramFile(const StringBuf& fileName, const char* programName);
    // SaveProgramFile under the current slot's name.
    bool SaveCurrentProgramFile(const StringBuf& fileName);
    // The file's values become the current values. applyOnly ("FxCk" only):
    // HandleParamChange for every parameter and the slots stay. Otherwise the
    // current slot takes them under the file's program name and is recalled.
    // Then AnnounceProgramLoaded.
    bool LoadProgramFile(const StringBuf& fileName, bool applyOnly);
    // Reads and checks the file as the loaders do, changing nothing; what
    // would make them refuse it (ProgramFileFault::kNone: it would load).
    ProgramFileFault CheckProgramFile(const StringBuf& fileName) const;
    // Appends a slot (fromFile set, beyond the declared count) holding the
    // file's values, named after the file without its folders and last
    // extension; the current values stay as they were.
    bool LoadProgramFileAsPreset(const StringBuf& fileName);

    // ---- Identity --------------------------------------------------------------

    const char* GetEffectName() const { return effectName; }
    const char* GetProductName() const { return productName; }
    const char* GetMakerName() const { return makerName; }
    int32_t GetUniqueId() const { return uniqueId; }
    int32_t GetMakerId() const { return makerId; }
    int32_t GetVersion() const { return version; }
    int32_t GetPlugApi() const { return plugApi; }
    bool DoesChunks() const { return doesChunks; }
    bool IsInstrument() const { return isInstrument; }
    bool TakesMidi() const { return takesMidi; }

    // Identifies the host from its name (IdentifyHost) and keeps its version word.
    void SetHost(const char* hostName, int32_t hostVersionWord);
    // kHostUninit until SetHost.
    HostId GetHostId() const { return hostId; }
    int32_t GetHostVersion() const { return hostVersion; }

    // ---- Stream ----------------------------------------------------------------

    // Set-up thread, before PrepareStream.
    void SetSampleRate(double rate) { sampleRate = rate; }
    double GetSampleRate() const { return sampleRate; }
    int32_t GetBlockSize() const { return blockSize; }
    int32_t GetLatency() const { return latency; }
    // Bypass state of the last audio block, kept by the render path.
    void SetLastBypass(bool bypass) { lastBypass = bypass; }
    bool GetLastBypass() const { return lastBypass; }

    // ---- Channels and buffers (render path: audio thread, under the lock) ---

    int32_t NInChannels() const { return inputChannels.GetSize(); }
    int32_t NOutChannels() const { return outputChannels.GetSize(); }
    int32_t NIOConfigs() const { return ioConfigs.GetSize(); }
    // Null for an index out of range.
    const IChannelIOConfig* GetIOConfig(int32_t idx) const { return ioConfigs.Get(idx); }

    // False for a negative index or one at or beyond the channel count.
    bool IsInputConnected(int32_t idx) const;
    bool IsOutputConnected(int32_t idx) const;
    // Channels first .. first + count - 1 (clamped to the existing ones) take
    // the connection state. A channel that becomes disconnected is pointed at
    // its own scratch buffer, cleared, so processing finds silence there.
    void SetInputChannelConnections(int32_t first, int32_t count, bool connected);
    void SetOutputChannelConnections(int32_t first, int32_t count, bool connected);
    // The connected inputs among first .. first + count - 1 take the host's
    // float buffers in channel order (hostInputs advances only over connected
    // channels); the first min(nFrames, block size) frames are converted into
    // the scratch buffers now, the rest by the processing wrappers, which read
    // the host buffers of the latest call (so attach every channel each
    // block). A null array or buffer reads as silence.
    void AttachInputBuffers(int32_t first, int32_t count, const float* const* hostInputs, int32_t nFrames);
    // The connected outputs among first .. first + count - 1 take the host's
    // float buffers in channel order, for the float wrappers to fill.
    void AttachOutputBuffers(int32_t first, int32_t count, float* const* hostOutputs);
    // Clears every input and output scratch buffer.
    void ZeroScratchBuffers();
    // Creates (replacing any) the latency delay line over the input and
    // output channels, with the current latency; nothing without inputs.
    // Set-up thread, under the plug-in lock.
    void CreateDelayLine();

    // The processing wrappers, after the buffers are attached. A block longer
    // than the block size runs as consecutive sub-blocks of at most that
    // size; 0 frames runs one empty block; a negative count does nothing.
    // ProcessBuffers: the delay line (when latency > 0) records the inputs,
    // then RunAudioBlock. PassThroughBuffers (bypass): with latency > 0 and a
    // delay line, RunAudioBlock and then the inputs delayed by the latency
    // over the outputs; otherwise only the base RunAudioBlock (the plug-in's
    // own processing does not run). The Float forms then convert every
    // connected output into its host buffer (silence when nothing could be
    // processed).
    void ProcessBuffers(int32_t nFrames);
    void ProcessBuffersFloat(int32_t nFrames);
    void PassThroughBuffers(int32_t nFrames);
    void PassThroughBuffersFloat(int32_t nFrames);

    // ---- Lock and editor -----------------------------------------------------

    // The plug-in lock, for the binding's render and parameter paths.
    PlatformLock& GetLock() { return lock; }
    // Null while no editor is attached.
    IEditorLink* GetEditor() const { return editor; }
    // The size in pixels the plug-in wants its editor to have (0 x 0 until
    // the plug-in class sets it); set up by the plug-in class's constructor.
    void SetEditorSize(int32_t width, int32_t height)
    {
        editorWidth = width;
        editorHeight = height;
    }
    int32_t GetEditorWidth() const { return editorWidth; }
    int32_t GetEditorHeight() const { return editorHeight; }

private:
    // Reads and validates a program file of this plug-in into file.
    bool ReadProgramFile(const StringBuf& fileName, IStateChunk& file, ProgramFileInfo* info) const;
    // Applies a validated file's values: "FxCk" through SetUnitValue (no
    // change hooks), "FPCh" through LoadState.
    void ApplyProgramFile(const IStateChunk& file, const ProgramFileInfo& info);
    // The makers' common part; false without a target.
    bool StorePreset(IPlugPreset* target, const char* name, PresetPairs pairs, PresetValues values);

    void RunWrapped(int32_t nFrames, bool bypass, bool toHost);
    void RunOneBlock(int32_t nFrames, bool bypass);
    void ConvertHostInputs(int32_t offset, int32_t nFrames);
    void ConvertToHostOutputs(int32_t offset, int32_t nFrames);
    void SilenceHostOutputs(int32_t nFrames);
    double** InputArray() const;
    double** OutputArray() const;
    void ParseIOString(const char* ioString, int32_t* maxInputs, int32_t* maxOutputs);
    void MakeChannels(int32_t nInputs, int32_t nOutputs);

    bool paramChangeHooksSuppressed = false;
    PointerList<IChannelIOConfig> ioConfigs;
    PlatformLock lock;
    char effectName[kPlugNameMax + 1] = {};
    char productName[kPlugNameMax + 1] = {};
    char makerName[kPlugNameMax + 1] = {};
    int32_t uniqueId;
    int32_t makerId;
    int32_t version;
    int32_t plugApi;
    HostId hostId = kHostUninit;
    int32_t hostVersion = 0;
    bool doesChunks;
    bool isInstrument;
    bool takesMidi;
    bool lastBypass = false;
    int32_t currentPreset = 0;
    double sampleRate = 44100.0;
    int32_t blockSize = 0;
    int32_t latency;
    IChannelDelayLine* delayLine = nullptr;
    int32_t presetSlotCount;
    IEditorLink* editor = nullptr;
    int32_t editorWidth = 0;
    int32_t editorHeight = 0;
    PointerList<IPlugParam> params;
    PointerList<IPlugPreset> presets;
    GrowBuf inputPointers{4096};   // double*, one per input channel
    GrowBuf outputPointers{4096};  // double*, one per output channel
    PointerList<IInputChannel> inputChannels;
    PointerList<IOutputChannel> outputChannels;
};
