#pragma once
// Test doubles around the plug-in: a binding that records the values sent to
// the host and plays a scripted transport, an editor that a test can press,
// drag and inspect (made in place of the editor layer's surface, so the
// plug-in's editor members find no surface and leave the face unbuilt), and a
// fixture that keeps every file in a temporary data folder.

#include "framework/core/IEditorLink.h"
#include "plugin/MeterCommand.h"
#include "plugin/MeterParamIndex.h"
#include "plugin/Sonvarek.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Six planar channels of frames doubles and the pointer array that
// RunAudioBlock takes (moving keeps the memory, so the pointers stay valid).
struct ChannelBuffers
{
    explicit ChannelBuffers(int32_t frames);
    std::vector<double>& operator[](int32_t k) { return data[k]; }

    std::vector<std::vector<double>> data;
    double* ptrs[Sonvarek::kChannels];
};

// Input k at frame i.
using Signal = std::function<double(int32_t k, int64_t i)>;

struct ParamValue
{
    int32_t idx;
    double value;
};

class TestSonvarek : public Sonvarek
{
public:
    // As the binding does before streaming: the first nIn inputs and nOut
    // outputs connected, scratch buffers of blockFrames, the rate, then
    // PrepareStream.
    void SetUpStream(double rate, int32_t blockFrames = 1024, int32_t nIn = kChannels, int32_t nOut = kChannels);

    // A value from the host: the parameter takes it, then the change handler.
    void SetFromHost(int32_t idx, double value);

    // Runs nFrames frames (i counts from the first of this call) in blocks of
    // at most blockFrames through RunAudioBlock, under the lock as the render
    // path holds it; the buffers of the last block stay in in and out.
    void RunSignal(const Signal& signal, int64_t nFrames, int32_t blockFrames = 512);
    void RunSilence(int64_t nFrames, int32_t blockFrames = 512)
    {
        RunSignal([](int32_t, int64_t) { return 0.0; }, nFrames, blockFrames);
    }

    void SendParamToHost(int32_t idx, double unit) override { sent.push_back({idx, unit}); }
    void QueryTransport(ITransportRecord* transport) override { transport->playing = playing; }

    std::vector<ParamValue> sent;  // unit values
    bool playing = false;
    ChannelBuffers in{0};
    ChannelBuffers out{0};
};

class TestSonvarekEditor : public IEditorLink
{
public:
    explicit TestSonvarekEditor(Sonvarek& owner) : plug(owner) {}

    void PushParamToControls(int32_t, double, bool) override { ++pushes; }
    void CreateDrawBitmaps() override {}
    void ModuleFolder(StringBuf* out) override;
    bool IsMouseButtonHeld() const override { return mouseHeld; }
    EditorPressModifiers LastPressModifiers() const override { return mods; }
    // As the controls bound to the parameter do with a user's plain value.
    void SetParamControlsAsUser(int32_t idx, double value, bool isUnit) override;
    void ResizeDragDistance(int32_t* dx, int32_t* dy) const override
    {
        *dx = dragX;
        *dy = dragY;
    }

    Sonvarek& plug;
    bool mouseHeld = false;
    EditorPressModifiers mods;
    int32_t dragX = 0;
    int32_t dragY = 0;
    int pushes = 0;
    std::vector<ParamValue> asUser;  // plain values
};

// What the plug-in asked of its editor, and whether an editor is made.
struct EditorSeam
{
    bool makeEditor = true;
    std::vector<std::string> calls;  // "create", "module folder"
    int32_t width = 0;
    int32_t height = 0;
    int32_t framesPerSecond = 0;
};
EditorSeam& TheEditorSeam();

// The editor of plug when it is the test editor; null otherwise.
TestSonvarekEditor* EditorOf(Sonvarek& plug);

// Every instance lives with a data folder of its own.
class SonvarekTest : public ::testing::Test
{
protected:
    SonvarekTest();

    std::unique_ptr<TestSonvarek> Make() { return std::make_unique<TestSonvarek>(); }
    // The user's program files and "default.fxp" (the folders exist once an
    // instance was made).
    std::string UserFolder() const { return data.Path() + "Sonvarek/"; }
    std::string DefaultFxp() const { return data.Path() + "Sonvarek/AAX/default.fxp"; }

    TempFolder data;
    TempFolder home;
    DataHomeOverride env;
};

// x(t) = amplitude · sin(2π f t) at the rate, on every channel.
Signal Sine(double amplitude, double hz, double rate);

// Deterministic noise in [-0.5, 0.5], different on every channel.
double Noise(int32_t k, int64_t i);
