#include "TestPlug.h"

#include "platform/FourCharCode.h"

TestPlug::TestPlug(const char* io, int32_t nParams, int32_t nPresets, int32_t latency, bool doesChunks)
    : StubPlug(nParams, io, nPresets, "Test", "Product", "Maker", 0x00010200, static_cast<int32_t>(FourCharCode("QZ17")),
                static_cast<int32_t>(FourCharCode("QZLV")), latency, false,
                doesChunks, false, 4)
{
    if (nParams < 4)
        return;
    GetParam(0)->InitRange("Gain", 0.0, -60.0, 0.0, 0.1, "dB");
    GetParam(1)->InitIntRange("Count", 0, 0, 4);
    GetParam(2)->InitChoice("Type", 0, 3);
    GetParam(3)->InitRange("Scale", 1.0, 1.0, 3.0, 0.1);
}

void TestPlug::HandleParamChange(int32_t idx)
{
    PlatformLockGuard guard(GetLock());
    changes.push_back(idx);
}

void TestPlug::RunAudioBlock(double** inputs, double** outputs, int32_t nFrames)
{
    blocks.push_back(nFrames);
    lastInputs = inputs;
    lastOutputs = outputs;
    for (int32_t c = 0; c < NOutChannels(); ++c)
        for (int32_t f = 0; f < nFrames; ++f)
            outputs[c][f] = c < NInChannels() && inputs[c] ? inputs[c][f] * gain : 0.0;
}
