#include "support/TestSonvarek.h"

#include "plugin/SonvarekEditor.h"

#include <algorithm>
#include <cmath>

ChannelBuffers::ChannelBuffers(int32_t frames) : data(Sonvarek::kChannels, std::vector<double>(frames))
{
    for (int32_t k = 0; k < Sonvarek::kChannels; ++k)
        ptrs[k] = data[k].data();
}

void TestSonvarek::SetUpStream(double rate, int32_t blockFrames, int32_t nIn, int32_t nOut)
{
    SetInputChannelConnections(0, NInChannels(), false);
    SetOutputChannelConnections(0, NOutChannels(), false);
    SetInputChannelConnections(0, nIn, true);
    SetOutputChannelConnections(0, nOut, true);
    ChangeBlockSize(blockFrames);
    SetSampleRate(rate);
    PrepareStream();
}

void TestSonvarek::SetFromHost(int32_t idx, double value)
{
    PlatformLockGuard guard(GetLock());
    GetParam(idx)->SetValue(value);
    HandleParamChange(idx);
}

void TestSonvarek::RunSignal(const Signal& signal, int64_t nFrames, int32_t blockFrames)
{
    in = ChannelBuffers(blockFrames);
    out = ChannelBuffers(blockFrames);
    for (int64_t done = 0; done < nFrames;)
    {
        const auto n = static_cast<int32_t>(std::min<int64_t>(blockFrames, nFrames - done));
        for (int32_t k = 0; k < NInChannels(); ++k)
            for (int32_t i = 0; i < n; ++i)
                in[k][i] = signal(k, done + i);
        PlatformLockGuard guard(GetLock());
        RunAudioBlock(in.ptrs, out.ptrs, n);
        done += n;
    }
}

void TestSonvarekEditor::ModuleFolder(StringBuf* out)
{
    TheEditorSeam().calls.push_back("module folder");
    out->Set("");
}

void TestSonvarekEditor::SetParamControlsAsUser(int32_t idx, double value, bool isUnit)
{
    asUser.push_back({idx, value});
    plug.SetParameterFromGUI(idx, isUnit ? value : plug.GetParam(idx)->MapToUnit(value));
}

EditorSeam& TheEditorSeam()
{
    static EditorSeam seam;
    return seam;
}

TestSonvarekEditor* EditorOf(Sonvarek& plug) { return dynamic_cast<TestSonvarekEditor*>(plug.GetEditor()); }

SonvarekTest::SonvarekTest() : env(data.Path().c_str(), home.Path().c_str()) { TheEditorSeam() = EditorSeam(); }

Signal Sine(double amplitude, double hz, double rate)
{
    return [=](int32_t, int64_t i) { return amplitude * std::sin(2.0 * M_PI * hz * static_cast<double>(i) / rate); };
}

double Noise(int32_t k, int64_t i)
{
    const uint32_t h = static_cast<uint32_t>(i * 2654435761u) ^ static_cast<uint32_t>(k * 40503u);
    return (static_cast<double>(h % 20001u) - 10000.0) / 20000.0;
}

// The plug-in's editor surface: the test editor in place of the editor layer's.

IEditorLink* CreateSonvarekEditor(Sonvarek& plug, int32_t width, int32_t height, int32_t framesPerSecond)
{
    EditorSeam& seam = TheEditorSeam();
    seam.calls.push_back("create");
    seam.width = width;
    seam.height = height;
    seam.framesPerSecond = framesPerSecond;
    return seam.makeEditor ? new TestSonvarekEditor(plug) : nullptr;
}
