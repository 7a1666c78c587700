// The render path of the plug-in binding, driven by the stand-in host through
// the effect's registered render procedure.

#include "framework/aax/AAX_CIPlugParameters.h"
#include "framework/aax/InstanceField.h"
#include "platform/AAXResults.h"
#include "platform/ACFInterfaceIDs.h"
#include "support/TestPlugAAX.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

using IPlugAAXRender = PlugInstanceTest;

constexpr float kUntouched = 1234.5f;

bool SameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

// Gain and bypass of the meter itself are checked through the module; here
// the samples a conversion could change.
TEST_F(IPlugAAXRender, BypassPassesEveryFloatBitExactAndLeavesTheProcessingAlone)
{
    ASSERT_EQ(instance->SetNormalized("2", 0.5), 0);
    ASSERT_EQ(instance->SetNormalized("MasterBypassID", 1.0), 0);
    TestAudio in(2, 6);
    const float specials[] = {1e-40f, -0.0f, std::numeric_limits<float>::infinity(), -3.4e38f,
                              std::numeric_limits<float>::denorm_min(), 0.3333333f};
    for (int32_t c = 0; c < 2; ++c)
        std::copy(std::begin(specials), std::end(specials), in.Channel(c).begin());
    TestAudio out(2, 6, kUntouched);
    instance->Render(in.Buffers(), out.Buffers(), 6);
    EXPECT_TRUE(SameBits(out.Channel(0), in.Channel(0)));
    EXPECT_TRUE(SameBits(out.Channel(1), in.Channel(1)));
    EXPECT_EQ(plug->blocks, 0);
    EXPECT_TRUE(plug->GetLastBypass());
}

TEST_F(IPlugAAXRender, ANegativeFrameCountRendersNothingAndZeroFramesOneEmptyBlock)
{
    TestAudio in(2, 4, 0.5f);
    TestAudio out(2, 4, kUntouched);
    instance->Render(in.Buffers(), out.Buffers(), -5);
    EXPECT_EQ(plug->blocks, 0);
    instance->Render(in.Buffers(), out.Buffers(), 0);
    EXPECT_EQ(plug->blocks, 1);
    EXPECT_EQ(plug->framesRendered, 0);
    EXPECT_EQ(out.Channel(0)[0], kUntouched);
}

TEST_F(IPlugAAXRender, TheChannelsTheHostNamesAreConnectedAndNoOthers)
{
    auto mono = session.NewInstance(1);
    ASSERT_NE(mono, nullptr);
    TestAudio in(1, 16, 0.25f);
    TestAudio out(1, 16);
    mono->Render(in.Buffers(), out.Buffers(), 16);
    EXPECT_TRUE(PlugOf(*mono).IsInputConnected(0));
    EXPECT_FALSE(PlugOf(*mono).IsInputConnected(1));
    EXPECT_FALSE(PlugOf(*mono).IsOutputConnected(5));
    EXPECT_EQ(out.Channel(0)[15], 0.25f);

    // Without stem formats no channel is connected and the host's buffers stay alone.
    session.host.Fail(kIID_Controller, -9);
    TestAudio stereoIn(2, 16, 0.25f);
    TestAudio stereoOut(2, 16, kUntouched);
    instance->Render(stereoIn.Buffers(), stereoOut.Buffers(), 16);
    EXPECT_FALSE(plug->IsInputConnected(0));
    EXPECT_FALSE(plug->IsOutputConnected(0));
    EXPECT_EQ(stereoOut.Channel(0)[0], kUntouched);
    EXPECT_EQ(plug->blocks, 1);  // the block runs on silence of its own
}

TEST_F(IPlugAAXRender, TheTransportComesFromTheRenderCallsNode)
{
    HostStreamState& stream = instance->Stream();
    stream.playing = true;
    stream.tempo = 93.5;
    stream.meterNumerator = 3;
    stream.meterDenominator = 8;
    stream.tickPosition = 960000;
    stream.samplePosition = (int64_t{1} << 33) + 5;
    stream.looping = true;
    stream.loopStartTick = 480000;
    stream.loopEndTick = 3 * 960000;
    TestAudio in(2, 4);
    TestAudio out(2, 4);
    instance->Render(in.Buffers(), out.Buffers(), 4);
    const ITransportRecord& t = plug->transport;
    EXPECT_TRUE(t.playing);
    EXPECT_EQ(t.tempo, 93.5);
    EXPECT_EQ(t.numerator, 3);
    EXPECT_EQ(t.denominator, 8);
    EXPECT_EQ(t.quarterNotePosition, 1.0);
    EXPECT_EQ(t.samplePosition, 8589934597.0);
    EXPECT_TRUE(t.looping);
    EXPECT_EQ(t.cycleStart, 0.5);
    EXPECT_EQ(t.cycleEnd, 3.0);
    EXPECT_EQ(t.lastBarPosition, -1.0);  // not the host's to say
    EXPECT_EQ(plug->samplePosition, 5);  // the low 32 bits
}

TEST_F(IPlugAAXRender, FailedOrMissingTransportQueriesLeaveTheRecordAtItsDefaults)
{
    instance->Stream().tempo = 93.5;
    instance->Stream().samplePosition = 77;
    TestAudio in(2, 4);
    TestAudio out(2, 4);
    session.host.Withhold(kIID_Transport2);
    instance->Render(in.Buffers(), out.Buffers(), 4);
    EXPECT_EQ(plug->transport.tempo, 93.5);
    EXPECT_EQ(plug->transport.samplePosition, -1.0);
    EXPECT_EQ(plug->samplePosition, 0);

    const ITransportRecord defaults;
    for (bool withhold : {false, true})
    {
        if (withhold)
            session.host.Withhold(kIID_Transport);
        else
            session.host.Fail(kIID_Transport, -3);
        plug->transport = ITransportRecord();
        instance->Render(in.Buffers(), out.Buffers(), 4);
        EXPECT_EQ(plug->transport.tempo, defaults.tempo) << withhold;
        EXPECT_EQ(plug->transport.quarterNotePosition, defaults.quarterNotePosition) << withhold;
        EXPECT_EQ(plug->QueryTempo(), 120.0) << withhold;
    }
}

// A plug-in on the stereo component, changed by edit, made by make.
template <class Edit>
std::unique_ptr<HostInstance> InstanceOn(TestSession& session, AAXCreateObjectProc make, Edit edit)
{
    RecordedComponent component = session.StereoComponent();
    edit(component);
    return HostInstance::Create(session.host, make, component, TestSession::Stream(2));
}

IACFUnknown* MakeMidiPlug() { return AsHostObject(new TestPlugAAX(TestPlugConfig{"2-2", 0, true, 0})); }

TEST(IPlugAAXRenderPaths, MidiFromTheInputNodeReachesThePlugInInOrder)
{
    TestSession session;
    auto instance = InstanceOn(session, &MakeMidiPlug, [](RecordedComponent& component) {
        for (RecordedField& field : component.fields)
            if (field.index == kAAXFieldInputMidi)
            {
                field.kind = FieldKind::Node;
                field.nodeType = kAAXNodeInputMidi;
            }
    });
    ASSERT_NE(instance, nullptr);
    instance->QueueMidi({12, 0x90, 60, 100});
    instance->QueueMidi({40, 0x80, 61, 0});
    TestAudio in(2, 64);
    TestAudio out(2, 64);
    instance->Render(in.Buffers(), out.Buffers(), 64);
    instance->Render(in.Buffers(), out.Buffers(), 64);  // the queue went with the first call
    const std::vector<IMidiMessage>& midi = PlugOf(*instance).midi;
    ASSERT_EQ(midi.size(), 2u);
    EXPECT_EQ(midi[0].offset, 12);
    EXPECT_EQ(midi[0].status, 0x90);
    EXPECT_EQ(midi[0].data1, 60);
    EXPECT_EQ(midi[0].data2, 100);
    EXPECT_EQ(midi[1].offset, 40);
    EXPECT_EQ(midi[1].data1, 61);
}

IACFUnknown* MakeSideChainPlug() { return AsHostObject(new TestPlugAAX(TestPlugConfig{"3-2", 0, false, 1})); }

TEST(IPlugAAXRenderPaths, TheSideChainIsConnectedAfterTheMainInputsWhileTheHostFeedsIt)
{
    TestSession session;
    auto instance = InstanceOn(session, &MakeSideChainPlug, [](RecordedComponent& component) {
        RecordedField sideChain;
        sideChain.index = kAAXFieldSideChain;
        sideChain.kind = FieldKind::SideChainIn;
        component.fields.push_back(sideChain);
    });
    ASSERT_NE(instance, nullptr);
    TestPlugAAX& plug = PlugOf(*instance);
    TestAudio in(3, 32, 0.5f);
    TestAudio out(2, 32);
    for (bool connected : {false, true, false})
    {
        instance->SetSideChainConnected(connected);
        instance->Render(in.Buffers(), out.Buffers(), 32);
        EXPECT_TRUE(plug.IsInputConnected(1));
        EXPECT_EQ(plug.IsInputConnected(2), connected);
    }
}

IACFUnknown* MakeQuietPlug()
{
    auto* plug = new TestPlugAAX;
    plug->GetParam(kTestGain)->SetValue(-60.0);
    plug->HandleParamChange(kTestGain);
    return AsHostObject(plug);
}

TEST(IPlugAAXRenderPaths, ABatchRendersEachInstanceAndOneFailureSilencesNoOther)
{
    TestSession session;
    auto loud = session.NewInstance();
    auto quiet = HostInstance::Create(session.host, &MakeQuietPlug, session.StereoComponent(), TestSession::Stream(2));
    auto failing = session.NewInstance();
    ASSERT_TRUE(loud && quiet && failing);
    PlugOf(*failing).throwInRender = true;
    TestAudio in(2, 16, 0.5f);
    TestAudio loudOut(2, 16);
    TestAudio quietOut(2, 16);
    TestAudio failingOut(2, 16, kUntouched);
    HostInstance::RenderBatch({{failing.get(), in.Buffers(), failingOut.Buffers(), 16},
                               {loud.get(), in.Buffers(), loudOut.Buffers(), 16},
                               {quiet.get(), in.Buffers(), quietOut.Buffers(), 16}});
    EXPECT_EQ(loudOut.Channel(0)[3], 0.5f);
    EXPECT_EQ(quietOut.Channel(0)[3], static_cast<float>(0.5 * std::exp(-60.0 * 0.11512925464970228)));

    // The failed instance's lock was released: it renders again.
    PlugOf(*failing).throwInRender = false;
    failing->Render(in.Buffers(), failingOut.Buffers(), 16);
    EXPECT_EQ(failingOut.Channel(1)[0], 0.5f);
}

TEST(IPlugAAXRenderPaths, RenderingBeforeAttachAndAfterDetachIsHarmless)
{
    StandInHost host;
    TestPlugRef plug;
    void* field = nullptr;
    EXPECT_EQ(plug->PrepareFieldData(kAAXFieldInstance, &field, 2), kAAXResultWrongDataSize);
    EXPECT_EQ(plug->PrepareFieldData(kAAXFieldInstance, &field, sizeof field), 0);
    EXPECT_EQ(field, static_cast<AAX_CIPlugParameters*>(&*plug));

    TestAudio in(2, 8, 0.5f);
    TestAudio out(2, 8, kUntouched);
    const int32_t frames = 8;
    AAXRenderContext context = {};
    context.inputs = in.Buffers();
    context.outputs = out.Buffers();
    context.frameCount = &frames;
    context.instance = &field;
    AAXRenderContext empty = {};
    AAXRenderContext* contexts[] = {&context, &empty, nullptr};
    AAX_CIPlugParameters::RenderInstances(contexts, contexts + 3);
    EXPECT_EQ(plug->blocks, 1);
    EXPECT_FALSE(plug->GetLastBypass());
    EXPECT_EQ(out.Channel(0)[0], kUntouched);

    ASSERT_EQ(plug->AttachToHost(host.RunTime()), 0);
    AAX_CIPlugParameters::RenderInstances(contexts, contexts + 1);
    EXPECT_EQ(out.Channel(0)[0], 0.5f);
    ASSERT_EQ(plug->DetachFromHost(), 0);
    AAX_CIPlugParameters::RenderInstances(contexts, contexts + 1);
    EXPECT_EQ(plug->blocks, 3);
    AAX_CIPlugParameters::RenderInstances(nullptr, nullptr);
}

}  // namespace
