#include "framework/aax/AAX_CBinaryDisplayDelegate.h"
#include "framework/aax/AAX_CBinaryTaperDelegate.h"
#include "framework/aax/AAX_CIPlugTaperDelegate.h"
#include "framework/aax/AAX_CLinearTaperDelegate.h"
#include "framework/aax/AAX_CNumberDisplayDelegate.h"
#include "framework/aax/AAX_CParameter.h"
#include "framework/aax/AAX_CUnitDisplayDelegateDecorator.h"
#include "framework/aax/AAX_VAutomationDelegate.h"
#include "host/StandInHost.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

AAX_CParameter<int32_t> MakeInt(const char* id = "3", int32_t min = 0, int32_t max = 10, int32_t value = 3)
{
    return AAX_CParameter<int32_t>(id, AAX_CString("Window"), value, AAX_CLinearTaperDelegate<int32_t, 1>(min, max),
                                   AAX_CNumberDisplayDelegate<int32_t, 2, 0>(), true);
}

// Everything the module did on the host's automation since `from`.
Lines CallsSince(const StandInHost& host, size_t from)
{
    return Lines(host.Calls().begin() + static_cast<std::ptrdiff_t>(from), host.Calls().end());
}

TEST(AAX_CParameter, ConstructionCutsTheIdentifierAndTakesTheDefault)
{
    IPlugParam param;
    param.InitRange("Level", 3.0, 0.0, 10.0, 0.1);
    const AAX_CParameter<double> level("0123456789012345678901234567890123456789", AAX_CString("Level"), 3.0,
                                       AAX_CIPlugTaperDelegate<double>(param),
                                       AAX_CNumberDisplayDelegate<double, 2, 0>(), false);
    EXPECT_STREQ(level.IDText(), "0123456789012345678901234567890");
    EXPECT_DOUBLE_EQ(level.CurrentNormalized(), 0.3);
    EXPECT_EQ(level.StepCount(), 128u);
}

TEST(AAX_CParameter, AbbreviationsByLength)
{
    auto p = MakeInt();
    p.SetFullName(AAX_CString("Twelve chars"));
    EXPECT_EQ(std::string(p.AbbreviationFor(3).Get()), "Twelve chars");  // none yet
    p.AddAbbreviation(AAX_CString("Eigh"));
    p.AddAbbreviation(AAX_CString("Twelve c"));
    p.AddAbbreviation(AAX_CString("Twel"));  // replaces the first of length 4
    EXPECT_STREQ(p.AbbreviationFor(3).Get(), "Twel");  // the shortest even when too long
    for (int32_t n = 4; n <= 7; ++n)
        EXPECT_STREQ(p.AbbreviationFor(n).Get(), "Twel") << n;
    for (int32_t n = 8; n <= 11; ++n)
        EXPECT_STREQ(p.AbbreviationFor(n).Get(), "Twelve c") << n;
    EXPECT_STREQ(p.AbbreviationFor(12).Get(), "Twelve chars");
    EXPECT_STREQ(p.AbbreviationFor(-1).Get(), "Twelve chars");
}

TEST(AAX_CParameter, StepsRoundToTheNearestPosition)
{
    auto p = MakeInt("s", 0, 100, 49);
    p.SetStepCount(2);
    EXPECT_EQ(p.CurrentStep(), 0u);
    p.RequestStep(1);
    EXPECT_EQ(p.Value(), 100);
    p.RequestNormalized(0.5);
    EXPECT_EQ(p.CurrentStep(), 1u);

    for (uint32_t steps : {0u, 1u})
    {
        p.SetStepCount(steps);
        EXPECT_EQ(p.CurrentStep(), 0u);
        p.RequestStep(0);
        EXPECT_EQ(p.Value(), 50);
    }
}

TEST(AAX_CParameter, TextsCheckTheTapersRange)
{
    auto p = MakeInt();
    double normalized = -1.0;
    EXPECT_FALSE(p.NormalizedFromText(AAX_CString("12"), &normalized));
    EXPECT_EQ(normalized, 1.0);  // written even though out of range
    normalized = -1.0;
    EXPECT_FALSE(p.NormalizedFromText(AAX_CString("x"), &normalized));
    EXPECT_EQ(normalized, -1.0);
    EXPECT_TRUE(p.NormalizedFromText(AAX_CString("5"), &normalized));
    EXPECT_EQ(normalized, 0.5);

    AAX_CString text;
    EXPECT_TRUE(p.TextForNormalized(0.5, text));
    EXPECT_STREQ(text.Get(), "5.00");
    EXPECT_TRUE(p.TextForNormalizedLimited(0.5, 1, text));
    EXPECT_STREQ(text.Get(), "5");
    EXPECT_TRUE(p.CurrentValueTextLimited(1, text));
    EXPECT_STREQ(text.Get(), "3.00");  // no limit for the current value

    EXPECT_TRUE(p.RequestValueFromText(AAX_CString("7")));
    EXPECT_EQ(p.Value(), 7);
    EXPECT_FALSE(p.RequestValueFromText(AAX_CString("seven")));
    EXPECT_EQ(p.Value(), 7);
}

TEST(AAX_CParameter, TypedAccessOnlyInItsOwnTypeAndNeverNaN)
{
    auto p = MakeInt();
    int32_t i = 0;
    double d = -1.0;
    EXPECT_TRUE(p.ReadInt32(&i));
    EXPECT_EQ(i, 3);
    EXPECT_FALSE(p.ReadDouble(&d));
    EXPECT_EQ(d, -1.0);
    EXPECT_FALSE(p.WriteDouble(9.0));
    EXPECT_EQ(p.Value(), 3);
    EXPECT_TRUE(p.WriteInt32(9));
    EXPECT_EQ(p.Value(), 9);

    IPlugParam param;
    param.InitRange("Gain", 0.0, -60.0, 12.0, 0.1);
    AAX_CParameter<double> gain("2", AAX_CString("Gain"), -6.0, AAX_CIPlugTaperDelegate<double>(param),
                                AAX_CNumberDisplayDelegate<double, 2, 0>(), true);
    EXPECT_FALSE(gain.WriteDouble(std::numeric_limits<double>::quiet_NaN()));
    gain.ApplyHostNormalized(std::numeric_limits<double>::quiet_NaN());
    gain.RequestNormalized(std::numeric_limits<double>::quiet_NaN());
    EXPECT_DOUBLE_EQ(gain.Value(), -6.0);
    EXPECT_TRUE(gain.WriteDouble(100.0));
    EXPECT_EQ(gain.Value(), 12.0);
}

TEST(AAX_CParameter, DefaultMovesWithoutTheValue)
{
    auto p = MakeInt();
    p.AssignDefaultNormalized(0.8);
    EXPECT_DOUBLE_EQ(p.DefaultNormalized(), 0.8);
    EXPECT_EQ(p.Value(), 3);
    p.ResetToDefault();
    EXPECT_EQ(p.Value(), 8);
}

TEST(AAX_CParameter, WithADelegateValuesGoThroughTheHost)
{
    StandInHost host;
    AAX_VAutomationDelegate automation(host.RunTime());
    {
        auto p = MakeInt("3");
        p.BindAutomationDelegate(&automation);
        const size_t mark = host.Calls().size();
        p.RequestNormalized(0.5);
        EXPECT_EQ(p.Value(), 3);  // unchanged until the host applies it
        EXPECT_EQ(CallsSince(host, mark), (Lines{"runtime1.TouchParameter(\"3\")",
                                                 "runtime1.RequestParameterValue(\"3\", 0.500000)",
                                                 "runtime1.ReleaseParameter(\"3\")"}));

        const size_t applied = host.Calls().size();
        p.ApplyHostNormalized(0.5);
        p.ApplyHostNormalized(0.5);   // the same value again: nothing
        p.ApplyHostNormalized(0.52);  // rounds to the same value: nothing
        EXPECT_EQ(p.Value(), 5);
        EXPECT_EQ(CallsSince(host, applied), (Lines{"runtime1.ReportParameterValue(\"3\", 0.500000)"}));

        const size_t gestures = host.Calls().size();
        p.BeginGesture();
        p.EndGesture();
        p.ReplaceDisplay(AAX_CBinaryDisplayDelegate<bool>("off", "on"));  // another type: ignored
        p.ReplaceDisplay(AAX_CNumberDisplayDelegate<int32_t, 2, 0>());
        EXPECT_EQ(CallsSince(host, gestures),
                  (Lines{"runtime1.TouchParameter(\"3\")", "runtime1.ReleaseParameter(\"3\")",
                         "runtime1.ReportParameterValue(\"3\", 0.500000)"}));
    }
    EXPECT_EQ(host.Calls().back(), "runtime1.UnregisterParameter(\"3\")");
}

TEST(AAX_CParameter, APendingReportIsTakenEvenForTheSameValue)
{
    StandInHost host;
    AAX_VAutomationDelegate automation(host.RunTime());
    auto p = MakeInt("3");
    p.ReplaceTaper(AAX_CLinearTaperDelegate<int32_t, 1>(0, 20), false);  // keeps the position: 0.3 -> 6
    EXPECT_EQ(p.Value(), 6);
    p.ReplaceTaper(AAX_CLinearTaperDelegate<int32_t, 1>(0, 12), true);  // keeps the value
    EXPECT_EQ(p.Value(), 6);
    EXPECT_DOUBLE_EQ(p.CurrentNormalized(), 0.5);

    p.BindAutomationDelegate(&automation);
    const size_t mark = host.Calls().size();
    p.ReplaceTaper(AAX_CLinearTaperDelegate<int32_t, 1>(0, 12), false);  // same value, reported all the same
    p.ApplyHostNormalized(0.5);
    EXPECT_EQ(CallsSince(host, mark), (Lines{"runtime1.ReportParameterValue(\"3\", 0.500000)"}));
    p.BindAutomationDelegate(nullptr);
    EXPECT_EQ(host.Calls().back(), "runtime1.UnregisterParameter(\"3\")");
}

}  // namespace
