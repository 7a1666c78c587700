// The editor's parameter path and the render path share the plug-in lock:
// a change and its hook never overlap an audio block, and the block's own
// parameter writes (published meter values) never race the editor's.

#include "support/TestPlug.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

class MirrorPlug : public TestPlug
{
public:
    MirrorPlug() : TestPlug("2-2") {}

    void HandleParamChange(int32_t idx) override
    {
        PlatformLockGuard guard(GetLock());
        if (inBlock)
            overlaps.fetch_add(1);
        if (idx == 0)
            gainDb = GetParam(0)->Value();  // the mirror the audio path reads
    }

    void RunAudioBlock(double** inputs, double** outputs, int32_t nFrames) override
    {
        inBlock = true;
        for (int32_t c = 0; c < 2; ++c)
            for (int32_t f = 0; f < nFrames; ++f)
                outputs[c][f] = inputs[c][f] * (1.0 + gainDb / 100.0);
        // Publication of a meter value, as the plug-in does from its block.
        const double reading = 1.0 + GetParam(1)->Value() * 0.25;
        GetParam(3)->SetValue(reading);
        SendParamToHost(3, GetParam(3)->GetUnitValue());
        inBlock = false;
    }

    bool inBlock = false;  // touched only under the lock
    double gainDb = 0.0;
    std::atomic<int> overlaps{0};
};

TEST(IPlugBaseConcurrency, EditorChangesNeverOverlapAudioBlocks)
{
    MirrorPlug plug;
    plug.ChangeBlockSize(64);
    std::vector<float> in(256, 0.5f);
    std::vector<float> out0(256), out1(256);
    const float* ins[2] = {in.data(), in.data()};
    float* outs[2] = {out0.data(), out1.data()};

    std::atomic<bool> stop{false};
    std::thread audio([&] {
        while (!stop.load())
        {
            PlatformLockGuard guard(plug.GetLock());
            plug.SetInputChannelConnections(0, 2, true);
            plug.SetOutputChannelConnections(0, 2, true);
            plug.AttachInputBuffers(0, 2, ins, 256);
            plug.AttachOutputBuffers(0, 2, outs);
            plug.ProcessBuffersFloat(256);
        }
    });
    for (int i = 0; i < 2000; ++i)
    {
        plug.SetParameterFromGUI(0, (i % 100) / 100.0);
        plug.SetParameterFromGUI(1, (i % 5) * 1.0, false);
    }
    stop = true;
    audio.join();
    EXPECT_EQ(plug.overlaps.load(), 0);
    size_t fromEditor = 0;
    for (const SentValue& v : plug.sent)
        fromEditor += v.idx != 3;
    EXPECT_EQ(fromEditor, 4000u);
}

}  // namespace
