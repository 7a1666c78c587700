#include "support/TestSession.h"

#include "framework/aax/ModuleEntry.h"
#include "host/RegisteredEffect.h"

TestSession::TestSession() : effect(RegisterEffect(host, ACFRegisterPlugin)) {}

HostStreamState TestSession::Stream(int32_t channels, float sampleRate)
{
    HostStreamState stream;
    stream.sampleRate = sampleRate;
    stream.inputStemFormat = StemFormatForChannels(channels);
    stream.outputStemFormat = StemFormatForChannels(channels);
    return stream;
}

std::unique_ptr<HostInstance> TestSession::NewInstance(int32_t channels, float sampleRate)
{
    return HostInstance::Create(host, effect, Stream(channels, sampleRate));
}

void TestAudio::FillRamp()
{
    for (int32_t c = 0; c < Channels(); ++c)
        for (size_t f = 0; f < Channel(c).size(); ++f)
            Channel(c)[f] = static_cast<float>(f) * 0.001f - static_cast<float>(c) * 0.25f;
}
