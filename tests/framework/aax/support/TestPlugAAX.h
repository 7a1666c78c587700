#pragma once
// A small plug-in on the AAX binding: one parameter of each kind, an output
// parameter it publishes every 50 ms of audio, gain on the audio, and records
// of what the binding asked of it. CreatePlugInstance (the binding's factory
// seam) makes one with the default configuration.
//
// Records and mirrors are written under the plug-in lock; read them there,
// or once the other threads have stopped.

#include "framework/aax/IPlugAAX.h"
#include "platform/FourCharCode.h"
#include "support/HeldObject.h"

#include <string>
#include <vector>

enum TestPlugParam : int32_t
{
    kTestType,      // choice "RMS" / "EBU", default "EBU"
    kTestGain,      // double -60 .. 12 dB, default 0, applied to the audio
    kTestWindow,    // integer 0 .. 10 ms, default 3
    kTestTarget,    // double -36 .. 0 LUFS, default -23
    kTestRelease,   // double 10 .. 10000 ms, exponent 2.5, default 300
    kTestOutLevel,  // output: the block peak in dB, -144 .. 0, published
    kTestNParams,
};

struct TestPlugConfig
{
    const char* io = "1-1 2-2 4-4 5-5 6-6";
    int32_t latency = 0;
    bool takesMidi = false;
    int32_t sideChainInputs = 0;
};

class TestPlugAAX final : public IPlugAAX
{
public:
    static constexpr uint32_t kUniqueID = FourCharCode("QZ17");

    explicit TestPlugAAX(const TestPlugConfig& config = {});

    // Publication every trunc(0.05 x sample rate) frames.
    void PrepareStream() override;
    void HandleParamChange(int32_t idx) override;
    // outputs = inputs x gain; publishes the peak of the last 50 ms.
    void RunAudioBlock(double** inputs, double** outputs, int32_t nFrames) override;
    void HandleMidiMessage(const IMidiMessage& message) override { midi.push_back(message); }
    void OnEditorResized(int32_t flag) override { resized.push_back(flag); }
    void OnEditorOpened() override { editorEvents.push_back("opened"); }
    void OnEditorClosed() override { editorEvents.push_back("closed"); }
    bool SaveState(IStateChunk& chunk) override { return !failSave && IPlugAAX::SaveState(chunk); }

    std::vector<int32_t> changes;
    std::vector<IMidiMessage> midi;
    std::vector<int32_t> resized;
    std::vector<std::string> editorEvents;  // "opened", "closed"
    int32_t prepareCalls = 0;
    double preparedRate = 0.0;
    int32_t blocks = 0;
    int64_t framesRendered = 0;
    ITransportRecord transport;  // as QueryTransport filled it in the last block
    int32_t samplePosition = 0;  // QuerySamplePosition in the last block
    bool throwInRender = false;  // RunAudioBlock throws
    bool failSave = false;       // SaveState fails

private:
    int32_t publishPeriod = 0;
    double gainFactor = 1.0;
    int32_t sincePublished = 0;
    double peak = 0.0;
};

using TestPlugRef = HeldObject<TestPlugAAX>;

// The host object of a new plug-in, as a creation procedure returns it.
inline IACFUnknown* AsHostObject(TestPlugAAX* plug) { return static_cast<AAX_IACFEffectParameters*>(plug); }
