// The change handler: mirrors, rebuilds and resets, and the editor's commands.
#include "support/TestSonvarek.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr double kRate = 48000.0;

class Handler : public SonvarekTest
{
protected:
    Handler() : plug(Make()), editor(EditorOf(*plug))
    {
        plug->SetUpStream(kRate);
        EXPECT_NE(editor, nullptr);
    }

    // A click on a button of the editor.
    void Click(int32_t command)
    {
        editor->mouseHeld = true;
        plug->HandleParamChange(command);
        editor->mouseHeld = false;
    }

    int LabelUpdates() const
    {
        const auto& calls = TheEditorSeam().calls;
        return static_cast<int>(std::count(calls.begin(), calls.end(), std::string("labels")));
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

TEST_F(Handler, MatchingEbuIntegratedSetsTheGainThatMeetsTheReference)
{
    plug->SetFromHost(kType, kMeterTypeEbu);
    plug->RunSignal(Sine(0.1, 997.0, kRate), 5 * 48000);
    const double reading = plug->GetLoudnessEngine().integrator.GetIntegratedLoudness();
    ASSERT_NEAR(reading, -20.0, 0.2);

    plug->sent.clear();
    Click(kMatchEBUIntegrated);
    const double expected = -23.0 - (std::floor(reading * 10.0 + 0.5) / 10.0 - 0.0);
    ASSERT_EQ(editor->asUser.size(), 1u);
    EXPECT_EQ(editor->asUser[0].idx, kEBUGain);
    EXPECT_DOUBLE_EQ(editor->asUser[0].value, expected);
    EXPECT_NEAR(plug->GetParam(kEBUGain)->Value(), expected, 1e-9) << "through the controls to the parameter";
    ASSERT_EQ(plug->sent.size(), 1u) << "and to the host";
    EXPECT_EQ(plug->sent[0].idx, kEBUGain);
    EXPECT_NEAR(AppliedFactor(), std::exp(expected * 0.11512925464970228), 1e-12);
    EXPECT_EQ(plug->GetLoudnessEngine().HasData(), 0) << "the rebuild restarted the integration";

    Click(kMatchEBUIntegrated);
    EXPECT_EQ(editor->asUser.size(), 1u) << "pressed again at once it does nothing";
}

TEST_F(Handler, MatchingActsOnlyOnAClickAndOnReadingsThatMeanSomething)
{
    plug->SetFromHost(kType, kMeterTypeEbu);
    for (int32_t cmd = kMatchRMSIntegrated; cmd <= kResetGUIScale; ++cmd)
        plug->HandleParamChange(cmd);
    EXPECT_TRUE(editor->asUser.empty()) << "without a mouse button held (automation) nothing happens";
    EXPECT_EQ(plug->GetParam(kGUIScale)->Value(), 1.0);

    plug->RunSignal(Sine(0.00005, 997.0, kRate), 48000);  // about -86 LUFS: nothing passes the gate
    Click(kMatchEBUIntegrated);
    Click(kMatchShortTermMax);
    EXPECT_TRUE(editor->asUser.empty()) << "no integrated block; the short-term window has not filled";
    Click(kMatchMomentaryMax);
    ASSERT_EQ(editor->asUser.size(), 1u) << "the momentary window has filled";
    EXPECT_EQ(editor->asUser[0].idx, kEBUGain);

    plug->RunSignal(Sine(0.5, 997.0, kRate), 3 * 48000 + 4800);
    Click(kMatchShortTermMax);
    EXPECT_EQ(editor->asUser.size(), 2u);
    Click(kMatchEBUTruePeakMax);
    EXPECT_EQ(editor->asUser.size(), 3u) << "true peak acts always";
}

TEST_F(Handler, RmsIntegratedBeforeAnySignalActsOnlyInAvgPlus3)
{
    for (int32_t mode : {0, 2})
    {
        plug->SetFromHost(kRMSMode, mode);
        Click(kMatchRMSIntegrated);
        Click(kMatchRMSMomentaryMax);
    }
    EXPECT_TRUE(editor->asUser.empty()) << "SUM and AVG read -144.0";

    plug->SetFromHost(kRMSMode, 1);
    ASSERT_EQ(plug->GetPeakRmsEngine().GetRmsIntegratedDb(), -141.0);
    Click(kMatchRMSIntegrated);
    ASSERT_EQ(editor->asUser.size(), 1u);
    // -18 - (-141 - 0) = 123 dB: more than the parameter shows, so the mirror
    // takes the parameter's clamp too.
    EXPECT_EQ(editor->asUser[0].value, 60.0);
    EXPECT_EQ(plug->GetParam(kRMSGain)->Value(), 60.0);
    EXPECT_NEAR(AppliedFactor(), 1000.0, 1e-9);
}

TEST_F(Handler, PeakMatchingBeforeAnySignalClampsTheGain)
{
    Click(kMatchPeakMax);
    ASSERT_EQ(editor->asUser.size(), 1u);
    EXPECT_EQ(plug->GetParam(kRMSGain)->Value(), 60.0);
    EXPECT_NEAR(AppliedFactor(), 1000.0, 1e-9);

    plug->SetFromHost(kRMSGain, 0.0);
    plug->RunSignal(Sine(0.5, 1000.0, kRate), 4800);
    const double truePeak = plug->GetPeakRmsEngine().GetTruePeakMaxDb();
    ASSERT_GT(truePeak, -7.0);
    Click(kMatchRMSTruePeakMax);
    EXPECT_NEAR(plug->GetParam(kRMSGain)->Value(), -18.0 - truePeak, 1e-9);
}

TEST_F(Handler, WhatEachSettingResets)
{
    plug->SetFromHost(kType, kMeterTypeEbu);
    plug->RunSignal(Sine(0.5, 997.0, kRate), 48000);
    const double integrated = plug->GetLoudnessEngine().integrator.GetIntegratedLoudness();
    ASSERT_GT(integrated, -10.0);

    plug->SetFromHost(kEBURefLevel, -16.0);
    plug->SetFromHost(kRMSRefLevel, -20.0);
    EXPECT_EQ(plug->GetLoudnessEngine().integrator.GetIntegratedLoudness(), integrated) << "reference levels reset nothing";

    // Peak/RMS measures only while it is the selected type: give it something.
    plug->SetFromHost(kType, kMeterTypeRms);
    plug->RunSignal(Sine(0.5, 997.0, kRate), 4800);
    plug->SetFromHost(kType, kMeterTypeEbu);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), -144.0) << "Type resets both engines";
    EXPECT_EQ(plug->GetLoudnessEngine().HasData(), 0);

    plug->RunSignal(Sine(0.5, 997.0, kRate), 48000);
    plug->SetFromHost(kEBUGain, -1.0);
    EXPECT_EQ(plug->GetLoudnessEngine().HasData(), 1) << "the integration continues through an EBU Gain change";
}

TEST_F(Handler, RelabelsAndRebuildsFollowTheTable)
{
    const int before = LabelUpdates();
    plug->SetFromHost(kRMSGain, 3.0);
    plug->SetFromHost(kRMSRefLevel, -3.0);
    plug->SetFromHost(kSync, 1);
    plug->SetFromHost(kRMSWindow, 3000.0);
    EXPECT_EQ(LabelUpdates(), before);
    EXPECT_NEAR(plug->GetPeakRmsEngine().Overlap(), 1.0 - 100.0 / 3000.0, 1e-15);
    plug->SetFromHost(kRMSWindow, 300.0);
    EXPECT_EQ(plug->GetPeakRmsEngine().Overlap(), 0.75);
    plug->SetFromHost(kRMSWFilterMode, 5);
    EXPECT_EQ(plug->GetWeightingFilter(5).Mode(), WeightingMode::LeqM);

    for (int32_t idx : {kType, kRMSChannelConfig, kRMSDelta, kEBUChannelConfig, kEBUDelta})
        plug->SetFromHost(idx, 1);
    plug->HandleParamChange(kResetMeters);
    EXPECT_EQ(LabelUpdates(), before + 6);
    for (int32_t idx : {29, 43, -1, 1000})
        plug->HandleParamChange(idx);
    EXPECT_EQ(LabelUpdates(), before + 6);
}

TEST_F(Handler, GuiScaleRequestsAResizeOnlyWhenItChanges)
{
    plug->SetFromHost(kGUIScale, 1.0);
    EXPECT_FALSE(plug->ResizePending());
    plug->SetFromHost(kGUIScale, 2.0);
    EXPECT_TRUE(plug->ResizePending());
    EXPECT_EQ(plug->ScaleX(), 2.0);
    EXPECT_EQ(plug->ScaleY(), 2.0);
    EXPECT_EQ(static_cast<int32_t>(plug->ScaleX() * Sonvarek::kDesignWidth), 1232);
    EXPECT_EQ(static_cast<int32_t>(plug->ScaleY() * Sonvarek::kDesignHeight), 704);
}

TEST_F(Handler, ResetGuiScaleNeedsCtrlWithoutShift)
{
    plug->SetFromHost(kGUIScale, 2.0);
    editor->mods = {true, true};
    Click(kResetGUIScale);
    editor->mods = {false, false};
    Click(kResetGUIScale);
    EXPECT_EQ(plug->GetGuiScale(), 2.0);

    plug->sent.clear();
    editor->mods = {false, true};
    Click(kResetGUIScale);
    EXPECT_EQ(plug->GetGuiScale(), 1.0);
    EXPECT_EQ(plug->ScaleX(), 1.0);
    EXPECT_EQ(plug->GetParam(kGUIScale)->Value(), 1.0);
    ASSERT_EQ(plug->sent.size(), 1u);
    EXPECT_EQ(plug->sent[0].idx, kGUIScale);
    EXPECT_EQ(plug->sent[0].unit, 0.0);
}

TEST_F(Handler, ResizeByDragScalesInProportionWithinOneToThree)
{
    auto drag = [&](int32_t dx, int32_t dy) {
        editor->dragX = dx;
        editor->dragY = dy;
        plug->HandleParamChange(kResizeByDrag);
        return plug->GetGuiScale();
    };
    EXPECT_EQ(drag(0, 0), 1.0);
    EXPECT_FALSE(plug->ResizePending()) << "no drag, nothing";
    EXPECT_DOUBLE_EQ(drag(308, 0), std::sqrt(1.5));
    EXPECT_TRUE(plug->ResizePending());
    EXPECT_NEAR(plug->GetParam(kGUIScale)->Value(), std::sqrt(1.5), 1e-12);
    EXPECT_EQ(plug->sent.back().idx, kGUIScale);

    plug->SetFromHost(kGUIScale, 2.9);
    EXPECT_EQ(drag(2000, 2000), 3.0);
    EXPECT_EQ(drag(-1800, -1000), 1.0) << "shrinking stops at 1.0";
    plug->SetFromHost(kGUIScale, 2.0);
    EXPECT_EQ(drag(-1232, 0), 1.0) << "a product of 0";
    plug->SetFromHost(kGUIScale, 2.0);
    EXPECT_EQ(drag(-2000, 10), 1.0) << "a negative product";
    EXPECT_EQ(plug->ScaleX(), 1.0);
}

TEST_F(Handler, CallsWhileThePresetManagerIsBusyAreDropped)
{
    plug->SetBusy(true);
    plug->SetFromHost(kType, kMeterTypeEbu);
    plug->SetBusy(false);
    plug->RunSignal(Sine(0.5, 997.0, kRate), 4800);
    EXPECT_GT(plug->GetPeakRmsEngine().GetPeakMaxDb(), -7.0) << "the change never reached the mirror";
}

TEST_F(Handler, SaveDefaultWritesTheCurrentValues)
{
    plug->SetFromHost(kEBURefLevel, -14.0);
    plug->HandleParamChange(kSaveDefaultPreset);
    ASSERT_GT(ReadBytes(DefaultFxp()).size(), 56u);
    auto next = Make();
    EXPECT_NEAR(next->GetParam(kEBURefLevel)->Value(), -14.0, 1e-4);
}

}  // namespace
