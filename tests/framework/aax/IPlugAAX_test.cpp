// The plug-in binding's parameters, values both ways, transport queries,
// view size, latency and lifecycle, with the test plug-in behind the
// stand-in host.

#include "framework/aax/AAX_VViewContainer.h"
#include "framework/aax/ParamID.h"
#include "host/HostRunTimeObject.h"
#include "host/HostString.h"
#include "platform/AAXResults.h"
#include "platform/ACFInterfaceIDs.h"
#include "support/TestPlugAAX.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using Event = HostAutomationEvent;
using IPlugAAXParameters = PlugInstanceTest;

std::string TextOf(HostInstance& instance, const char* id, int32_t maxChars = HostInstance::kTextMax)
{
    std::string text;
    EXPECT_EQ(instance.Text(id, &text, maxChars), 0) << id;
    return text;
}

std::string FormatAt(HostInstance& instance, const char* id, double normalized, int32_t maxChars)
{
    HostString text;
    EXPECT_EQ(instance.Effect().FormatParameterValue(id, normalized, &text, maxChars), 0);
    return text.Text();
}

TEST(ParamID, IsTheDecimalIndexPlusOneAndReadsBackStrictly)
{
    EXPECT_STREQ(ParamIDOfIndex(0), "1");
    EXPECT_STREQ(ParamIDOfIndex(28), "29");
    EXPECT_EQ(ParamIndexOfID("1", 29), 0);
    EXPECT_EQ(ParamIndexOfID("29", 29), 28);
    for (const char* id : {"30", "0", "01", "MasterBypassID", "", "2x", "-1", "99999999999999999999"})
        EXPECT_EQ(ParamIndexOfID(id, 29), -1) << id;
    EXPECT_EQ(ParamIndexOfID(nullptr, 29), -1);
}

TEST_F(IPlugAAXParameters, TheHostSeesTheBypassAndOneParameterPerPlugInParameter)
{
    const std::vector<HostParameterInfo> parameters = instance->Parameters();
    ASSERT_EQ(parameters.size(), 1u + kTestNParams);
    struct Expected
    {
        const char* id;
        const char* name;
        int32_t steps;
        int32_t kind;
        double defaultNormalized;
    };
    const Expected expected[] = {
        {"MasterBypassID", "Master Bypass", 2, 0, 0.0},
        {"1", "Type", 2, 0, 1.0},
        {"2", "Gain", 128, 1, 60.0 / 72.0},
        {"3", "Window", 128, 1, 0.3},
        {"4", "Target", 128, 1, 13.0 / 36.0},
        {"5", "Release", 128, 1, std::pow(290.0 / 9990.0, 1.0 / 2.5)},
        {"6", "OUT:Level", 128, 1, 0.0},
    };
    for (size_t i = 0; i < parameters.size(); ++i)
    {
        SCOPED_TRACE(expected[i].id);
        EXPECT_EQ(parameters[i].id, expected[i].id);
        EXPECT_EQ(parameters[i].name, expected[i].name);
        EXPECT_EQ(parameters[i].steps, expected[i].steps);
        EXPECT_EQ(parameters[i].kind, expected[i].kind);
        EXPECT_TRUE(parameters[i].automatable);
        EXPECT_NEAR(parameters[i].defaultNormalized, expected[i].defaultNormalized, 1e-12);
    }
    HostString bypass;
    EXPECT_EQ(instance->Effect().BypassParameterID(&bypass), 0);
    EXPECT_EQ(bypass.Text(), "MasterBypassID");
}

TEST_F(IPlugAAXParameters, TextsCarryTheUnitOrTheListEntry)
{
    EXPECT_EQ(TextOf(*instance, "MasterBypassID"), "bypass");
    EXPECT_EQ(TextOf(*instance, "1"), "EBU");
    EXPECT_EQ(TextOf(*instance, "2"), "0.00dB");
    EXPECT_EQ(TextOf(*instance, "3"), "3.00ms");
    EXPECT_EQ(TextOf(*instance, "4"), "-23.00LUFS");
    EXPECT_EQ(TextOf(*instance, "6"), "-144.00dB");

    // Limited texts: the unit only when the whole of it fits, a cut number loses a trailing point.
    EXPECT_EQ(FormatAt(*instance, "4", 13.0 / 36.0, 10), "-23.00LUFS");
    EXPECT_EQ(FormatAt(*instance, "4", 13.0 / 36.0, 9), "-23.00");
    EXPECT_EQ(FormatAt(*instance, "4", 13.0 / 36.0, 4), "-23");
    EXPECT_EQ(FormatAt(*instance, "1", 0.0, 1), "RMS");
    EXPECT_EQ(FormatAt(*instance, "MasterBypassID", 1.0, 8), "on");
}

TEST_F(IPlugAAXParameters, ParsedTextsReachThePlugInParameter)
{

    EXPECT_EQ(instance->SetText("4", "-18.00LUFS"), 0);
    EXPECT_DOUBLE_EQ(PlainValue(kTestTarget), -18.0);
    EXPECT_EQ(TextOf(*instance, "4"), "-18.00LUFS");
    EXPECT_EQ(instance->SetText("1", "RMS"), 0);
    EXPECT_EQ(PlainValue(kTestType), 0.0);
    EXPECT_EQ(instance->SetText("3", "7ms"), 0);
    EXPECT_EQ(PlainValue(kTestWindow), 7.0);
    EXPECT_EQ(instance->SetText("MasterBypassID", "on"), 0);
    double bypass = 0.0;
    EXPECT_EQ(instance->Normalized("MasterBypassID", &bypass), 0);
    EXPECT_EQ(bypass, 1.0);

    // Texts that do not parse, or lie outside the range, change nothing.
    EXPECT_EQ(instance->SetText("2", "loud"), kAAXResultInvalidText);
    EXPECT_EQ(instance->SetText("2", "40.00dB"), kAAXResultInvalidText);
    EXPECT_EQ(instance->SetText("1", "rms"), kAAXResultInvalidText);
    EXPECT_EQ(PlainValue(kTestGain), 0.0);
    EXPECT_EQ(PlainValue(kTestType), 0.0);
}

TEST_F(IPlugAAXParameters, NormalisedValuesMapThroughThePlugInParametersOwnRange)
{

    EXPECT_EQ(instance->SetNormalized("5", 0.5), 0);
    EXPECT_DOUBLE_EQ(PlainValue(kTestRelease), 10.0 + 9990.0 * std::pow(0.5, 2.5));
    double normalized = 0.0;
    EXPECT_EQ(instance->Normalized("5", &normalized), 0);
    EXPECT_NEAR(normalized, 0.5, 1e-12);

    // An int parameter snaps to whole values on both sides.
    EXPECT_EQ(instance->SetNormalized("3", 0.44), 0);
    EXPECT_EQ(PlainValue(kTestWindow), 4.0);
    EXPECT_EQ(instance->Normalized("3", &normalized), 0);
    EXPECT_DOUBLE_EQ(normalized, 0.4);

    // Out of range clamps; NaN and unknown IDs change nothing.
    EXPECT_EQ(instance->SetNormalized("2", 7.0), 0);
    EXPECT_EQ(PlainValue(kTestGain), 12.0);
    EXPECT_EQ(instance->SetNormalized("2", -1.0), 0);
    EXPECT_EQ(PlainValue(kTestGain), -60.0);
    EXPECT_EQ(instance->SetNormalized("2", std::numeric_limits<double>::quiet_NaN()), kAAXResultInvalidText);
    EXPECT_EQ(instance->SetNormalized("7", 0.5), kAAXResultInvalidParameterID);
    EXPECT_EQ(PlainValue(kTestGain), -60.0);
}

TEST_F(IPlugAAXParameters, AHostChangeReachesTheHandlerAndTheEditorAndCountsOnce)
{
    plug->changes.clear();
    int32_t before = 0;
    instance->Effect().CountChanges(&before);

    EXPECT_EQ(instance->SetNormalized("2", 0.5), 0);  // no editor
    EXPECT_EQ(plug->changes, std::vector<int32_t>{kTestGain});
    EXPECT_DOUBLE_EQ(plug->gainFactor, std::exp(-24.0 * 0.11512925464970228));

    auto* editor = new TestEditorLink;
    plug->AttachEditor(editor);
    EXPECT_EQ(instance->SetNormalized("1", 0.0), 0);
    ASSERT_FALSE(editor->pushes.empty());
    EXPECT_EQ(editor->pushes.back().idx, kTestType);
    EXPECT_EQ(editor->pushes.back().value, 0.0);
    EXPECT_TRUE(editor->pushes.back().isUnit);

    // The bypass changes no plug-in parameter, but counts.
    const size_t pushes = editor->pushes.size();
    EXPECT_EQ(instance->SetNormalized("MasterBypassID", 1.0), 0);
    EXPECT_EQ(plug->changes, (std::vector<int32_t>{kTestGain, kTestType}));
    EXPECT_EQ(editor->pushes.size(), pushes);
    EXPECT_TRUE(plug->IsBypassed());
    int32_t after = 0;
    instance->Effect().CountChanges(&after);
    EXPECT_EQ(after - before, 3);
}

TEST_F(IPlugAAXParameters, TheEchoOfTheHeldValueKeepsThePlainValueExactly)
{
    {
        PlatformLockGuard guard(plug->GetLock());
        plug->GetParam(kTestRelease)->SetValue(123.456789);  // as a restored state holds it
    }
    const double unit = plug->GetParam(kTestRelease)->GetUnitValue();
    EXPECT_EQ(instance->SetNormalized("5", unit), 0);
    EXPECT_EQ(PlainValue(kTestRelease), 123.456789);
}

TEST_F(IPlugAAXParameters, EditorChangesGoToTheHostAsGesturesAndComeBackAsValues)
{
    instance->ClearAutomation();
    plug->changes.clear();

    plug->BeginParamGesture(kTestGain);
    plug->SetParameterFromGUI(kTestGain, 0.25);
    plug->EndParamGesture(kTestGain);
    EXPECT_EQ(instance->Automation(), (std::vector<Event>{{Event::kTouch, "2", 0.0},
                                                           {Event::kTouch, "2", 0.0},
                                                           {Event::kRequest, "2", 0.25},
                                                           {Event::kRelease, "2", 0.0},
                                                           {Event::kRelease, "2", 0.0}}));
    EXPECT_EQ(plug->changes, std::vector<int32_t>{kTestGain});
    double normalized = 0.0;
    instance->Normalized("2", &normalized);
    EXPECT_DOUBLE_EQ(normalized, 60.0 / 72.0);  // the host has not answered yet

    // The host answers: the value is set again and the handler runs a second time.
    EXPECT_EQ(instance->DeliverRequests(), 1);
    EXPECT_EQ(plug->changes, (std::vector<int32_t>{kTestGain, kTestGain}));
    instance->Normalized("2", &normalized);
    EXPECT_DOUBLE_EQ(normalized, 0.25);
    EXPECT_EQ(instance->Automation().back(), (Event{Event::kReport, "2", 0.25}));
    EXPECT_DOUBLE_EQ(PlainValue(kTestGain), -42.0);
}

TEST(IPlugAAXAttach, AttachingAgainMakesTheParametersAnewAtTheCurrentValues)
{
    StandInHost host;
    TestPlugRef plug;
    ASSERT_EQ(plug->AttachToHost(host.RunTime()), 0);
    EXPECT_EQ(plug->ApplyHostParamValue("4", 0.5, 0), 0);
    ASSERT_EQ(plug->AttachToHost(host.RunTime()), 0);  // no detach in between
    int32_t count = 0;
    plug->CountParameters(&count);
    EXPECT_EQ(count, 1 + kTestNParams);
    EXPECT_EQ(plug->UnfilteredParameterCount(), kTestNParams);
    double normalized = 0.0;
    EXPECT_EQ(plug->QueryNormalized("4", &normalized), 0);
    EXPECT_DOUBLE_EQ(normalized, 0.5);
    EXPECT_EQ(plug->prepareCalls, 2);
    EXPECT_EQ(plug->DetachFromHost(), 0);
    EXPECT_EQ(host.LiveObjects(), 0);
}

TEST(IPlugAAXAttach, TheSampleRateComesFromTheHostWhenItIsUsable)
{
    StandInHost host;
    for (float rate : {96000.0f, 0.0f, -48000.0f, std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity()})
    {
        TestPlugRef plug;
        host.stream.sampleRate = rate;
        ASSERT_EQ(plug->AttachToHost(host.RunTime()), 0);
        EXPECT_EQ(plug->preparedRate, rate == 96000.0f ? 96000.0 : 44100.0) << rate;
        EXPECT_EQ(plug->prepareCalls, 1);
    }
    host.stream.sampleRate = 48000.0f;
    host.Fail(kIID_Controller, -7);
    TestPlugRef failing;
    ASSERT_EQ(failing->AttachToHost(host.RunTime()), 0);
    EXPECT_EQ(failing->preparedRate, 44100.0);
    host.Withhold(kIID_Controller);
    TestPlugRef missing;
    ASSERT_EQ(missing->AttachToHost(host.RunTime()), 0);
    EXPECT_EQ(missing->preparedRate, 44100.0);
}

struct NoSink : HostAutomationSink
{
    void OnAutomation(HostAutomationEvent::Kind, const char*, double) override {}
};

TEST(IPlugAAXLifecycle, ReleasingWithoutDetachLetsGoOfEverything)
{
    StandInHost host;
    NoSink sink;
    auto* runTime = new HostRunTimeObject(host, host.stream, sink);
    {
        TestPlugRef plug;
        ASSERT_EQ(plug->AttachToHost(runTime->Unknown()), 0);
    }
    runTime->Relinquish();
    EXPECT_EQ(host.LiveObjects(), 0);  // the module's wrappers let go of the run-time object
    int unregistered = 0;
    for (const std::string& call : host.Calls())
        unregistered += call.find("UnregisterParameter") != std::string::npos ? 1 : 0;
    EXPECT_EQ(unregistered, 1 + kTestNParams);
}

TEST(IPlugAAXLifecycle, ConstructionConnectsEveryChannelAndIdentifiesTheHost)
{
    TestPlugRef plug(TestPlugConfig{"1-1 2-2", 16, false, 0});
    EXPECT_EQ(plug->GetPlugApi(), IPlugAAX::kPlugApiAAX);
    EXPECT_EQ(plug->GetBlockSize(), IPlugAAX::kBlockSize);
    EXPECT_EQ(plug->GetHostId(), kHostProTools);
    EXPECT_EQ(plug->GetHostVersion(), 0x10200);
    for (int32_t c = 0; c < 2; ++c)
    {
        EXPECT_TRUE(plug->IsInputConnected(c));
        EXPECT_TRUE(plug->IsOutputConnected(c));
    }
    EXPECT_EQ(plug->GetLatency(), 16);
}

TEST(IPlugAAXHostSide, TransportQueriesAnswerDefaultsWithoutARenderCall)
{
    TestPlugRef plug;
    EXPECT_EQ(plug->QuerySamplePosition(), 0);
    EXPECT_EQ(plug->QueryTempo(), 120.0);
    int32_t numerator = 0;
    int32_t denominator = 0;
    plug->QueryMeter(&numerator, &denominator);
    EXPECT_EQ(numerator, 4);
    EXPECT_EQ(denominator, 4);
    ITransportRecord record;
    record.tempo = 77.0;
    plug->QueryTransport(&record);
    EXPECT_EQ(record.tempo, 77.0);
    plug->QueryTransport(nullptr);
}

TEST(IPlugAAXHostSide, TheViewIsSizedHeightFirstOnlyWithAnEditor)
{
    StandInHost host;
    TestPlugRef plug;
    EXPECT_FALSE(plug->ResizeHostView(616, 352, 1));
    EXPECT_TRUE(plug->resized.empty());

    plug->AttachEditor(new TestEditorLink);
    EXPECT_FALSE(plug->ResizeHostView(616, 352, 1));  // no view container yet
    EXPECT_EQ(plug->resized, std::vector<int32_t>{1});

    AAX_VViewContainer view(host.View());
    plug->SetViewContainer(&view);
    EXPECT_TRUE(plug->ResizeHostView(924, 528, 0));
    EXPECT_EQ(host.view.size.height, 528.0f);
    EXPECT_EQ(host.view.size.width, 924.0f);
    EXPECT_EQ(plug->resized, (std::vector<int32_t>{1, 0}));
    host.Fail(kIID_ViewContainer, -5);
    EXPECT_FALSE(plug->ResizeHostView(616, 352, 0));
    plug->SetViewContainer(nullptr);
}

TEST(IPlugAAXHostSide, LatencyGoesToTheHostAndChangesCount)
{
    StandInHost host;
    TestPlugRef plug(TestPlugConfig{"2-2", 0, false, 0});
    ASSERT_EQ(plug->AttachToHost(host.RunTime()), 0);
    plug->ChangeLatency(64);
    EXPECT_EQ(plug->GetLatency(), 64);
    EXPECT_EQ(host.Calls().back(), "runtime1.SetSignalLatency(64)");
    int32_t before = 0;
    plug->CountChanges(&before);
    plug->NoteStateChanged();
    int32_t after = 0;
    plug->CountChanges(&after);
    EXPECT_EQ(after, before + 1);
    EXPECT_FALSE(plug->SendMidiToHost(IMidiMessage{}));
}

}  // namespace
