// Construction with and without an editor, the user's "default.fxp", and
// stream changes.
#include "support/TestSonvarek.h"

#include "graphics/vector/ShapeScene.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Construction = SonvarekTest;

TEST_F(Construction, TheEditorIsMadeFirstAndTheArtworkBuiltWithOrWithoutIt)
{
    auto plug = Make();
    const EditorSeam& seam = TheEditorSeam();
    EXPECT_EQ(seam.calls, (std::vector<std::string>{"create", "module folder"}))
        << "the data folders ask the editor for the module folder";
    EXPECT_EQ(seam.width, 616);
    EXPECT_EQ(seam.height, 352);
    EXPECT_EQ(seam.framesPerSecond, 30);
    ASSERT_NE(EditorOf(*plug), nullptr);
    EXPECT_EQ(EditorOf(*plug)->pushes, 29) << "attaching pushes every parameter";
    EXPECT_EQ(plug->GetEditorWidth(), 616);
    EXPECT_EQ(plug->GetEditorHeight(), 352);
    ASSERT_NE(plug->FaceArt(), nullptr);
    EXPECT_EQ(plug->FaceArt()->Count(), 60);
    EXPECT_EQ(plug->Surface(), nullptr) << "the test editor is no surface: no controls";
    EXPECT_TRUE(plug->EditorTables().RmsGroupList.empty());
    EXPECT_EQ(plug->EditorTables().BarTable[0], -1);

    TheEditorSeam() = EditorSeam();
    TheEditorSeam().makeEditor = false;
    plug = Make();
    EXPECT_EQ(plug->GetEditor(), nullptr);
    plug->SetUpStream(48000.0);
    plug->RunSignal(Sine(0.5, 1000.0, 48000.0), 48000);
    for (int32_t cmd = kResetMeters; cmd <= kSaveDefaultPreset + 1; ++cmd)
        plug->HandleParamChange(cmd);
    plug->SetFromHost(kType, 1);
    EXPECT_EQ(plug->GetParam(kRMSGain)->Value(), 0.0) << "matching needs a click on the editor";
    EXPECT_EQ(TheEditorSeam().calls, std::vector<std::string>{"create"});
    EXPECT_EQ(plug->FaceArt()->Count(), 60);
    plug->IdleRefresh();
    plug->OnEditorOpened();
    plug->IdleRefresh();
    plug->OnEditorResized(1);
    EXPECT_TRUE(plug->EditorOpenedOnce()) << "the hooks need no editor";
}

// "default.fxp" as an instance with these values saves it.
void WriteDefault(const std::function<void(TestSonvarek&)>& set)
{
    TestSonvarek writer;
    set(writer);
    writer.HandleParamChange(kSaveDefaultPreset);
}

TEST_F(Construction, DefaultFxpBecomesValuesAndDefaultsAndSizesTheEditor)
{
    WriteDefault([](TestSonvarek& w) {
        w.SetFromHost(kGUIScale, 1.5);
        w.SetFromHost(kEBURefLevel, -16.0);
        w.SetFromHost(kRMSWindow, 300.0);
    });
    auto plug = Make();
    EXPECT_EQ(plug->GetEditorWidth(), 924);
    EXPECT_EQ(plug->GetEditorHeight(), 528);
    EXPECT_EQ(plug->ScaleX(), 1.5);
    EXPECT_FALSE(plug->ResizePending()) << "the first opening sizes the editor";
    EXPECT_NEAR(plug->GetParam(kEBURefLevel)->DefaultValue(), -16.0, 1e-4);
    EXPECT_NEAR(plug->GetParam(kRMSWindow)->DefaultValue(), 300.0, 1e-3);
    EXPECT_EQ(plug->GetPeakRmsEngine().Overlap(), 0.75) << "the engines are made with the loaded values";
}

TEST_F(Construction, UnusableDefaultFxpLeavesTheTableDefaults)
{
    WriteDefault([](TestSonvarek& w) { w.SetFromHost(kEBURefLevel, -16.0); });
    const std::string good = ReadBytes(DefaultFxp());
    ASSERT_GT(good.size(), 56u);
    std::string foreign = good;
    foreign[19] = 'X';  // the plug-in ID at offset 16
    for (const std::string& bytes : {std::string(), good.substr(0, 56), good.substr(0, good.size() - 1), foreign})
    {
        WriteBytes(DefaultFxp(), bytes);
        EXPECT_EQ(Make()->GetParam(kEBURefLevel)->DefaultValue(), -23.0) << bytes.size() << " bytes";
    }
    std::remove(DefaultFxp().c_str());
    EXPECT_EQ(Make()->GetParam(kEBURefLevel)->Value(), -23.0) << "missing";
}

TEST_F(Construction, StreamChangesRemakeEnginesAndTimersOnlyWhenTheyMust)
{
    auto plug = Make();
    plug->SetFromHost(kWriteAutomationData, 1);
    plug->SetUpStream(48000.0, 512);
    plug->RunSignal(Sine(0.5, 1000.0, 48000.0), 24000);
    plug->PrepareStream();
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), -6.0) << "same rate and block size keep the measurements";
    plug->SetUpStream(48000.0, 256);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), -144.0) << "a new block size restarts them";

    // At 44100 Hz: bars every 2205 frames, read-outs every 8820, publication every 2205.
    plug->SetUpStream(44100.0, 512);
    MeterSnapshot taken;
    plug->TakeDueMeterValues(&taken);
    plug->sent.clear();
    plug->RunSilence(2204, 1);
    EXPECT_FALSE(plug->BarsDue());
    EXPECT_TRUE(plug->sent.empty());
    plug->RunSilence(1, 1);
    EXPECT_TRUE(plug->BarsDue());
    EXPECT_EQ(plug->sent.size(), 6u);
    plug->RunSilence(8820 - 2205 - 1, 1);
    EXPECT_FALSE(plug->ReadoutsDue());
    plug->RunSilence(1, 1);
    EXPECT_TRUE(plug->ReadoutsDue());

    plug->RunSignal(Sine(0.5, 1000.0, 44100.0), 4410);
    plug->SetUpStream(0.0, 512);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), -6.0) << "a rate the engines cannot run at keeps them";
}

}  // namespace
