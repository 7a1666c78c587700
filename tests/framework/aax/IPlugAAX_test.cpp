// The plug-in binding's parameters, values both ways, transport queries,
// view size, latency and lifecycle, with the test plug-in behind the
// stand-in host.

#include "framework/aax/AAX_VViewContainer.h"
#include "framework/aax/ParamID.h"
#include "host/HostString.h"
#include "platform/AAXResults.h"
#include "platform/ACFInterfaceIDs.h"
#include "support/TestPlugAAX.h"
#include "support/TestSession.h"
#include "graphics/editor/IGraphicsWin.h"
#include "tests/support/TestEditorLink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using Event = HostAutomationEvent;
using IPlugAAXParameters = PlugInstanceTest;

std::string TextOf(HostInstance& instance, const char* id)
{
    std::string text;
    EXPECT_EQ(instance.Text(id, &text), 0) << id;
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
    EXPECT_STREQ(ParamIDOfIndex(28), "29");
    EXPECT_STREQ(ParamIDOfIndex(0), "1");
    EXPECT_STREQ(ParamIDOfIndex(9), "10");
    EXPECT_STREQ(ParamIDOfIndex(-1), "0");
    EXPECT_STREQ(ParamIDOfIndex(-12), "-11");
    EXPECT_STREQ(ParamIDOfIndex(INT32_MAX), "2147483648");
    EXPECT_STREQ(ParamIDOfIndex(INT32_MIN), "-2147483647");
    EXPECT_EQ(ParamIndexOfID("1", 29), 0);
    EXPECT_EQ(ParamIndexOfID("29", 29), 28);
    for (const char* id : {"30", "0", "01", "MasterBypassID", "", "2x", "-1", "99999999999999999999"})
        EXPECT_EQ(ParamIndexOfID(id, 29), -1) << id;
    EXPECT_EQ(ParamIndexOfID(nullptr, 29), -1);
}

// Each kind of plug-in parameter becomes a host parameter with its own steps, taper and display
// (the meter's own list, names and texts are checked through the module).
TEST_F(IPlugAAXParameters, EachKindBecomesAHostParameterOfItsOwnDisplay)
{
    const std::vector<HostParameterInfo> parameters = instance->Parameters();
    ASSERT_EQ(parameters.size(), 1u + kTestNParams);
    struct Expected
    {
        int32_t steps;
        int32_t kind;
        double defaultNormalized;
        const char* text;
    };
    const Expected expected[] = {
        {2, 0, 0.0, "bypass"},         {2, 0, 1.0, "EBU"},          {128, 1, 60.0 / 72.0, "0.00dB"},
        {128, 1, 0.3, "3.00ms"},       {128, 1, 13.0 / 36.0, "-23.00LUFS"},
        {128, 1, 0.242735, "300.00ms"},  // exponent 2.5
        {128, 1, 0.0, "-144.00dB"},
    };
    for (size_t i = 0; i < parameters.size(); ++i)
    {
        SCOPED_TRACE(parameters[i].id);
        EXPECT_EQ(parameters[i].steps, expected[i].steps);
        EXPECT_EQ(parameters[i].kind, expected[i].kind);
        EXPECT_NEAR(parameters[i].defaultNormalized, expected[i].defaultNormalized, 1e-6);
        EXPECT_EQ(TextOf(*instance, parameters[i].id.c_str()), expected[i].text);
    }
    EXPECT_EQ(parameters[0].name, "Master Bypass");
    EXPECT_EQ(FormatAt(*instance, "MasterBypassID", 1.0, 1), "on");
    EXPECT_EQ(FormatAt(*instance, "1", 0.0, 1), "RMS");
}

TEST_F(IPlugAAXParameters, TextsAndNormalisedValuesReachThePlugInParameter)
{
    EXPECT_EQ(instance->SetText("4", "-18.00LUFS"), 0);
    EXPECT_DOUBLE_EQ(PlainValue(kTestTarget), -18.0);
    EXPECT_EQ(instance->SetText("1", "RMS"), 0);
    EXPECT_EQ(PlainValue(kTestType), 0.0);
    EXPECT_EQ(instance->SetText("MasterBypassID", "on"), 0);
    EXPECT_EQ(Normalized("MasterBypassID"), 1.0);
    // Texts that do not parse, or lie outside the range, change nothing.
    EXPECT_EQ(instance->SetText("2", "loud"), kAAXResultInvalidText);
    EXPECT_EQ(instance->SetText("2", "40.00dB"), kAAXResultInvalidText);
    EXPECT_EQ(instance->SetText("1", "rms"), kAAXResultInvalidText);
    EXPECT_EQ(PlainValue(kTestGain), 0.0);
    EXPECT_EQ(PlainValue(kTestType), 0.0);

    // Through the plug-in parameter's own exponent; an int parameter snaps on both sides.
    EXPECT_EQ(instance->SetNormalized("5", 0.5), 0);
    EXPECT_NEAR(PlainValue(kTestRelease), 1775.999186, 1e-6);
    EXPECT_NEAR(Normalized("5"), 0.5, 1e-12);
    EXPECT_EQ(instance->SetNormalized("3", 0.44), 0);
    EXPECT_EQ(PlainValue(kTestWindow), 4.0);
    EXPECT_DOUBLE_EQ(Normalized("3"), 0.4);
    // Out of range clamps; NaN and unknown IDs change nothing.
    EXPECT_EQ(instance->SetNormalized("2", 7.0), 0);
    EXPECT_EQ(PlainValue(kTestGain), 12.0);
    EXPECT_EQ(instance->SetNormalized("2", std::numeric_limits<double>::quiet_NaN()), kAAXResultInvalidText);
    EXPECT_EQ(instance->SetNormalized("7", 0.5), kAAXResultInvalidParameterID);
    EXPECT_EQ(PlainValue(kTestGain), 12.0);
}

TEST_F(IPlugAAXParameters, AHostChangeReachesTheHandlerAndTheEditorAndCountsOnce)
{
    plug->changes.clear();
    int32_t before = 0;
    instance->Effect().CountChanges(&before);

    EXPECT_EQ(instance->SetNormalized("2", 0.5), 0);  // no editor
    EXPECT_EQ(plug->changes, std::vector<int32_t>{kTestGain});
    EXPECT_DOUBLE_EQ(PlainValue(kTestGain), -24.0);

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
    EXPECT_EQ(instance->SetNormalized("5", plug->GetParam(kTestRelease)->GetUnitValue()), 0);
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
    EXPECT_DOUBLE_EQ(Normalized("2"), 60.0 / 72.0);  // the host has not answered yet

    // The host answers: the value is set again and the handler runs a second time.
    EXPECT_EQ(instance->DeliverRequests(), 1);
    EXPECT_EQ(plug->changes, (std::vector<int32_t>{kTestGain, kTestGain}));
    EXPECT_DOUBLE_EQ(Normalized("2"), 0.25);
    EXPECT_EQ(instance->Automation().back(), (Event{Event::kReport, "2", 0.25}));
}

TEST(IPlugAAXAttach, AttachingAgainMakesTheParametersAnewAtTheCurrentValues)
{
    StandInHost host;
    TestPlugRef plug;
    EXPECT_EQ(plug->GetHostId(), kHostProTools);
    EXPECT_EQ(plug->GetBlockSize(), IPlugAAX::kBlockSize);
    ASSERT_EQ(plug->AttachToHost(host.RunTime()), 0);
    EXPECT_EQ(plug->ApplyHostParamValue("4", 0.5, 0), 0);
    ASSERT_EQ(plug->AttachToHost(host.RunTime()), 0);  // no detach in between
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
    }
    host.stream.sampleRate = 48000.0f;
    host.Fail(kIID_Controller, -7);
    TestPlugRef failing;
    ASSERT_EQ(failing->AttachToHost(host.RunTime()), 0);
    EXPECT_EQ(failing->preparedRate, 44100.0);
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
    plug->AttachEditor(new IGraphicsWin(&*plug, 616, 352, 30));
    EXPECT_FALSE(plug->ResizeHostView(616, 352, 1));  // no view container yet
    EXPECT_EQ(plug->resized, std::vector<int32_t>{1});

    AAX_VViewContainer view(host.View());
    plug->SetViewContainer(&view);
    EXPECT_TRUE(plug->ResizeHostView(924, 528, 0));
    EXPECT_EQ(host.view.size.height, 528.0f);
    EXPECT_EQ(host.view.size.width, 924.0f);
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
    EXPECT_EQ(host.Calls().back(), "runtime1.SetSignalLatency(64)");
    int32_t before = 0;
    plug->CountChanges(&before);
    plug->NoteStateChanged();
    int32_t after = 0;
    plug->CountChanges(&after);
    EXPECT_EQ(after, before + 1);
}

}  // namespace
