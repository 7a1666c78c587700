#pragma once
// The stand-in host with the effect this test executable describes: the
// module's own description, registered in-process, whose effect-parameters
// procedure makes the test plug-in. Plus audio buffers as a host hands them.

#include "framework/aax/EffectDescription.h"
#include "host/HostAudio.h"
#include "host/HostInstance.h"
#include "host/StandInHost.h"
#include "support/TestPlugAAX.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class TestSession
{
public:
    TestSession();

    // An instance with channels in and out at the sample rate (null on failure).
    std::unique_ptr<HostInstance> NewInstance(int32_t channels = 2, float sampleRate = 48000.0f);
    // The stream state of channels in and out at the sample rate.
    static HostStreamState Stream(int32_t channels, float sampleRate = 48000.0f);
    // The component of the 2-2 layout.
    const RecordedComponent& StereoComponent() const { return effect.components.at(1); }

    StandInHost host;
    RecordedEffect effect;
};

// Channels of frames each, as float buffers and the pointer arrays of a render call.
class TestAudio : public HostAudio
{
public:
    using HostAudio::HostAudio;

    // Channel c, frame f = f * 0.001 - c * 0.25: every sample different.
    void FillRamp();
};

// The test plug-in behind an instance of the stand-in host.
inline TestPlugAAX& PlugOf(HostInstance& instance) { return *dynamic_cast<TestPlugAAX*>(&instance.Effect()); }

// A fixture with one stereo instance at 48 kHz.
class PlugInstanceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        instance = session.NewInstance();
        ASSERT_NE(instance, nullptr);
        plug = &PlugOf(*instance);
    }

    // A plug-in parameter's plain value, read under the plug-in lock.
    double PlainValue(int32_t idx) const
    {
        PlatformLockGuard guard(plug->GetLock());
        return plug->GetParam(idx)->Value();
    }

    // A host parameter's normalised value, as the host reads it.
    double Normalized(const char* id) const
    {
        double normalized = -1.0;
        EXPECT_EQ(instance->Normalized(id, &normalized), 0) << id;
        return normalized;
    }

    TestSession session;
    std::unique_ptr<HostInstance> instance;
    TestPlugAAX* plug = nullptr;
};
