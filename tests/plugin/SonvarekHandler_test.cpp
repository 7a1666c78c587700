// The change handler: resets and rebuilds, and the editor's commands.
#include "support/TestSonvarek.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

constexpr double kRate = 48000.0;

class Handler : public SonvarekTest
{
protected:
    Handler() : plug(Make()), editor(EditorOf(*plug)) { plug->SetUpStream(kRate); }

    // A click on a button of the editor.
    void Click(int32_t command)
    {
        editor->mouseHeld = true;
        plug->HandleParamChange(command);
        editor->mouseHeld = false;
    }

    // The factor the audio path applies now, seen on channel 1.
    double AppliedFactor()
    {
        plug->RunSignal([](int32_t, int64_t) { return 0.5; }, 1, 1);
        return plug->out[0][0] / 0.5;
    }

    std::unique_ptr<TestSonvarek> plug;
    TestSonvarekEditor* editor;
};

TEST_F(Handler, EachMatchingCommandSetsItsGainSoThatItsReadingMeetsTheReference)
{
    using Reading = double (*)(const TestSonvarek&);
    const std::tuple<int32_t, int32_t, Reading> cases[] = {
        {kMatchEBUIntegrated, kEBUGain, [](auto& p) { return p.GetLoudnessEngine().integrator.GetIntegratedLoudness(); }},
        {kMatchShortTermMax, kEBUGain, [](auto& p) { return p.GetLoudnessEngine().shortTerm.GetMaxLoudness(); }},
        {kMatchMomentaryMax, kEBUGain, [](auto& p) { return p.GetLoudnessEngine().momentary.GetMaxLoudness(); }},
        {kMatchEBUTruePeakMax, kEBUGain, [](auto& p) { return p.GetLoudnessEngine().GetTruePeakMaxDb(); }},
        {kMatchRMSIntegrated, kRMSGain, [](auto& p) { return p.GetPeakRmsEngine().GetRmsIntegratedDb(); }},
        {kMatchRMSMomentaryMax, kRMSGain, [](auto& p) { return p.GetPeakRmsEngine().GetRmsMaxDb(); }},
        {kMatchPeakMax, kRMSGain, [](auto& p) { return p.GetPeakRmsEngine().GetPeakMaxDb(); }},
        {kMatchRMSTruePeakMax, kRMSGain, [](auto& p) { return p.GetPeakRmsEngine().GetTruePeakMaxDb(); }},
    };
    for (const auto& [command, gain, reading] : cases)
    {
        SCOPED_TRACE(testing::Message() << "command " << command);
        plug->SetFromHost(kType, gain == kRMSGain ? kMeterTypeRms : kMeterTypeEbu);
        plug->SetFromHost(gain, 0.0);
        // About -20 dB (-20 LUFS), then silence but for the integrated
        // loudness, whose exact value is checked: the maxima stay, the current
        // readings fall.
        plug->RunSignal(Sine(0.1, 997.0, kRate), 5 * 48000);
        plug->RunSilence(command == kMatchEBUIntegrated ? 0 : 24000);
        const double expected = (gain == kRMSGain ? -18.0 : -23.0) - std::floor(reading(*plug) * 10.0 + 0.5) / 10.0;
        const size_t clicks = editor->asUser.size();
        const size_t sent = plug->sent.size();
        Click(command);
        ASSERT_EQ(editor->asUser.size(), clicks + 1);
        EXPECT_EQ(editor->asUser.back().idx, gain);
        EXPECT_DOUBLE_EQ(editor->asUser.back().value, expected);
        EXPECT_NEAR(plug->GetParam(gain)->Value(), expected, 1e-9) << "through the controls to the parameter";
        EXPECT_EQ(plug->sent.size(), sent + 1) << "and to the host";
        EXPECT_NEAR(AppliedFactor(), std::exp(expected * 0.11512925464970228), 1e-12);
        if (command == kMatchEBUIntegrated)
        {
            EXPECT_EQ(expected, -3.0) << "-23 - tenths(-20.0x)";
            Click(command);
            EXPECT_EQ(editor->asUser.size(), clicks + 1) << "pressed again at once: the integration restarted";
        }
    }
}

TEST_F(Handler, MatchingActsOnlyOnAClickAndOnReadingsThatMeanSomething)
{
    plug->SetFromHost(kType, kMeterTypeEbu);
    for (int32_t cmd = kMatchRMSIntegrated; cmd <= kResetGUIScale; ++cmd)
        plug->HandleParamChange(cmd);
    EXPECT_TRUE(editor->asUser.empty()) << "without a mouse button held (automation) nothing happens";

    plug->RunSignal(Sine(0.00005, 997.0, kRate), 48000);  // about -86 LUFS: nothing passes the gate
    Click(kMatchEBUIntegrated);
    Click(kMatchShortTermMax);
    EXPECT_TRUE(editor->asUser.empty()) << "no integrated block; the short-term window has not filled";
    Click(kMatchMomentaryMax);
    EXPECT_EQ(editor->asUser.size(), 1u) << "the momentary window has filled";

    plug->RunSignal(Sine(0.5, 997.0, kRate), 3 * 48000 + 4800);
    Click(kMatchShortTermMax);
    EXPECT_EQ(editor->asUser.size(), 2u);
}

TEST_F(Handler, BeforeAnySignalRmsMatchingActsOnlyInAvgPlus3AndTheGainIsClamped)
{
    for (int32_t mode : {0, 2})
    {
        plug->SetFromHost(kRMSMode, mode);
        Click(kMatchRMSIntegrated);
        Click(kMatchRMSMomentaryMax);
    }
    EXPECT_TRUE(editor->asUser.empty()) << "SUM and AVG read -144.0";

    plug->SetFromHost(kRMSMode, 1);
    Click(kMatchRMSIntegrated);  // -18 - (-141 - 0) = 123 dB
    ASSERT_EQ(editor->asUser.size(), 1u);
    EXPECT_EQ(editor->asUser[0].value, 60.0);
    EXPECT_EQ(plug->GetParam(kRMSGain)->Value(), 60.0);
    EXPECT_NEAR(AppliedFactor(), 1000.0, 1e-9) << "the audio path applies what the parameter shows";
}

TEST_F(Handler, WhatEachChangeResets)
{
    plug->SetFromHost(kType, kMeterTypeEbu);
    plug->RunSignal(Sine(0.5, 997.0, kRate), 48000);
    const double integrated = plug->GetLoudnessEngine().integrator.GetIntegratedLoudness();
    plug->SetFromHost(kEBURefLevel, -16.0);
    plug->SetFromHost(kRMSRefLevel, -20.0);
    plug->SetFromHost(kEBUGain, -1.0);
    EXPECT_EQ(plug->GetLoudnessEngine().integrator.GetIntegratedLoudness(), integrated)
        << "reference levels and the EBU Gain leave the integration running";

    plug->SetFromHost(kType, kMeterTypeRms);
    plug->RunSignal(Sine(0.5, 997.0, kRate), 4800);
    plug->SetFromHost(kEBUGain, -2.0);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), -144.0) << "a gain resets the peak/RMS engine";
    plug->RunSignal(Sine(0.5, 997.0, kRate), 4800);
    plug->SetFromHost(kType, kMeterTypeEbu);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), -144.0) << "Type resets both engines";
    EXPECT_EQ(plug->GetLoudnessEngine().HasData(), 0);
}

TEST_F(Handler, AValueThatLeavesItsSettingAsItWasResetsNothing)
{
    // Every setting that resets or rebuilds, sent again at its value: a field
    // pressed and released, a menu re-choosing its item, automation playback.
    const int32_t settings[] = {kType,           kRMSChannelConfig, kRMSGain,  kRMSMode,  kRMSWindow, kRMSDelta,
                                kRMSWFilterMode, kEBUChannelConfig, kEBUGain,  kEBUDelta, kGUIScale};
    for (int32_t type : {kMeterTypeEbu, kMeterTypeRms})
    {
        SCOPED_TRACE(testing::Message() << "Type " << type);
        plug->SetFromHost(kType, type);
        plug->RunSignal(Sine(0.5, 997.0, kRate), 2 * 48000);
        const double integrated = plug->GetLoudnessEngine().integrator.GetIntegratedLoudness();
        const double peakMax = plug->GetPeakRmsEngine().GetPeakMaxDb();
        const double rmsIntegrated = plug->GetPeakRmsEngine().GetRmsIntegratedDb();
        for (int32_t idx : settings)
            plug->SetFromHost(idx, plug->GetParam(idx)->Value());
        EXPECT_EQ(plug->GetLoudnessEngine().integrator.GetIntegratedLoudness(), integrated);
        EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), peakMax);
        EXPECT_EQ(plug->GetPeakRmsEngine().GetRmsIntegratedDb(), rmsIntegrated);
        EXPECT_FALSE(plug->ResizePending());
    }
    plug->HandleParamChange(kResetMeters);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), -144.0) << "the reset command still resets";
    EXPECT_EQ(plug->GetLoudnessEngine().HasData(), 0);
}

TEST_F(Handler, GuiScaleAndItsCommands)
{
    plug->SetFromHost(kGUIScale, 1.0);
    EXPECT_FALSE(plug->ResizePending()) << "an equal value requests nothing";
    plug->SetFromHost(kGUIScale, 2.0);
    EXPECT_TRUE(plug->ResizePending());
    EXPECT_EQ(plug->ScaleY(), 2.0);

    for (EditorPressModifiers mods : {EditorPressModifiers{true, true}, EditorPressModifiers{false, false}})
    {
        editor->mods = mods;
        Click(kResetGUIScale);
    }
    EXPECT_EQ(plug->GetGuiScale(), 2.0) << "reset needs ctrl without shift";
    editor->mods = {false, true};
    Click(kResetGUIScale);
    EXPECT_EQ(plug->ScaleX(), 1.0);
    EXPECT_EQ(plug->GetParam(kGUIScale)->Value(), 1.0);
    EXPECT_EQ(plug->sent.back().idx, kGUIScale);

    auto drag = [&](int32_t dx, int32_t dy) {
        editor->dragX = dx;
        editor->dragY = dy;
        plug->HandleParamChange(kResizeByDrag);
        return plug->GetGuiScale();
    };
    EXPECT_DOUBLE_EQ(drag(308, 0), std::sqrt(1.5));
    EXPECT_NEAR(plug->GetParam(kGUIScale)->Value(), std::sqrt(1.5), 1e-12);
    plug->SetFromHost(kGUIScale, 2.9);
    EXPECT_EQ(drag(2000, 2000), 3.0);
    EXPECT_EQ(drag(-1800, -1000), 1.0) << "shrinking stops at 1.0";
    plug->SetFromHost(kGUIScale, 2.0);
    EXPECT_EQ(drag(-1232, 0), 1.0) << "a product of 0";
    plug->SetFromHost(kGUIScale, 2.0);
    EXPECT_EQ(drag(-2000, 10), 1.0) << "a negative product";
    plug->SetFromHost(kGUIScale, 1.0);
    EXPECT_EQ(drag(-1300, -800), 1.0) << "both axes shrunk past nothing: a positive product of negative factors";
    plug->SetFromHost(kGUIScale, 2.0);
    EXPECT_EQ(drag(0, 0), 2.0) << "no drag, nothing";
}

}  // namespace
