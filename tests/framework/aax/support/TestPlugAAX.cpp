#include "support/TestPlugAAX.h"

#include "framework/aax/PlugInstanceFactory.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

IPlugAAX* CreatePlugInstance() { return new TestPlugAAX; }

TestPlugAAX::TestPlugAAX(const TestPlugConfig& config)
    : IPlugAAX(kTestNParams, config.io, 2, "TestPlug", "", "Fennoryx", 0x10200, static_cast<int32_t>(kUniqueID),
               static_cast<int32_t>(FourCharCode("QZLV")), config.latency, config.takesMidi, false, false,
               config.sideChainInputs)
{
    IPlugParam* type = GetParam(kTestType);
    type->InitChoice("Type", 1, 2);
    type->AddDisplayText(0, "RMS");
    type->AddDisplayText(1, "EBU");
    GetParam(kTestGain)->InitRange("Gain", 0.0, -60.0, 12.0, 0.1, "dB");
    GetParam(kTestWindow)->InitIntRange("Window", 3, 0, 10, "ms");
    GetParam(kTestTarget)->InitRange("Target", -23.0, -36.0, 0.0, 0.1, "LUFS");
    GetParam(kTestRelease)->InitRange("Release", 300.0, 10.0, 10000.0, 1.0, "ms", "", 2.5);
    GetParam(kTestOutLevel)->InitRange("OUT:Level", -144.0, -144.0, 0.0, 0.1, "dB");
}

void TestPlugAAX::PrepareStream()
{
    PlatformLockGuard guard(GetLock());
    ++prepareCalls;
    preparedRate = GetSampleRate();
    publishPeriod = static_cast<int32_t>(0.05 * GetSampleRate());
    sincePublished = 0;
}

void TestPlugAAX::HandleParamChange(int32_t idx)
{
    PlatformLockGuard guard(GetLock());
    changes.push_back(idx);
    if (idx == kTestGain)
        gainFactor = std::exp(GetParam(kTestGain)->Value() * 0.11512925464970228);
}

void TestPlugAAX::RunAudioBlock(double** inputs, double** outputs, int32_t nFrames)
{
    if (throwInRender)
        throw std::runtime_error("render failed");
    ++blocks;
    framesRendered += nFrames;
    QueryTransport(&transport);
    samplePosition = QuerySamplePosition();
    for (int32_t f = 0; f < nFrames; ++f)
    {
        for (int32_t c = 0; c < NOutChannels(); ++c)
        {
            const double x = inputs && c < NInChannels() ? inputs[c][f] * gainFactor : 0.0;
            outputs[c][f] = x;
            peak = std::max(peak, std::fabs(x));
        }
        if (publishPeriod > 0 && ++sincePublished == publishPeriod)
        {
            sincePublished = 0;
            const double level = peak > 0.0 ? std::log(peak) * 8.685889638065037 : -144.0;
            GetParam(kTestOutLevel)->SetValue(level);
            SendParamToHost(kTestOutLevel, GetParam(kTestOutLevel)->GetUnitValue());
            peak = 0.0;
        }
    }
}
