// Construction, the user's "default.fxp", stream changes and the factory.
#include "plugin/CreateSonvarekInstance.h"
#include "support/TestSonvarek.h"

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Construction = SonvarekTest;

TEST_F(Construction, IdentityChannelsAndEditorInTheirOrder)
{
    auto plug = Make();
    EXPECT_STREQ(plug->GetEffectName(), "Sonvarek");
    EXPECT_STREQ(plug->GetProductName(), "");
    EXPECT_STREQ(plug->GetMakerName(), "Fennoryx");
    EXPECT_EQ(plug->GetVersion(), 0x10200);
    EXPECT_EQ(plug->GetUniqueId(), ('Q' << 24) | ('Z' << 16) | ('1' << 8) | '7');
    EXPECT_EQ(plug->GetMakerId(), ('Q' << 24) | ('Z' << 16) | ('L' << 8) | 'V');
    EXPECT_EQ(plug->NIOConfigs(), 5);
    EXPECT_EQ(plug->NInChannels(), 6);
    EXPECT_EQ(plug->NOutChannels(), 6);
    EXPECT_EQ(plug->GetLatency(), 0);
    EXPECT_FALSE(plug->DoesChunks());
    EXPECT_FALSE(plug->TakesMidi());
    EXPECT_EQ(plug->PresetSlotCount(), 17);

    const EditorSeam& seam = TheEditorSeam();
    EXPECT_EQ(seam.calls, (std::vector<std::string>{"create", "module folder", "face", "labels"}))
        << "the editor exists before the data folders ask it for the module folder; face and labels come last";
    EXPECT_EQ(seam.width, 616);
    EXPECT_EQ(seam.height, 352);
    EXPECT_EQ(seam.framesPerSecond, 30);
    ASSERT_NE(EditorOf(*plug), nullptr);
    EXPECT_EQ(EditorOf(*plug)->pushes, 29) << "attaching pushes every parameter";
    EXPECT_EQ(plug->GetEditorWidth(), 616);
    EXPECT_EQ(plug->GetEditorHeight(), 352);
    EXPECT_EQ(plug->GetGuiScale(), 1.0);
    EXPECT_FALSE(plug->ResizePending());
}

TEST_F(Construction, WorksWithoutAnEditor)
{
    TheEditorSeam().makeEditor = false;
    auto plug = Make();
    EXPECT_EQ(plug->GetEditor(), nullptr);
    EXPECT_EQ(TheEditorSeam().calls, std::vector<std::string>{"create"});
    plug->SetUpStream(48000.0);
    plug->RunSignal(Sine(0.5, 1000.0, 48000.0), 48000);
    for (int32_t cmd = kResetMeters; cmd <= kSaveDefaultPreset + 1; ++cmd)
        plug->HandleParamChange(cmd);
    plug->SetFromHost(kType, 1);
    EXPECT_EQ(plug->GetParam(kGUIScale)->Value(), 1.0);
    EXPECT_EQ(plug->GetParam(kRMSGain)->Value(), 0.0) << "matching needs a click on the editor";
    EXPECT_EQ(TheEditorSeam().calls, std::vector<std::string>{"create"});
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
        w.SetFromHost(kGUILayout, 0);
    });
    ASSERT_FALSE(ReadBytes(DefaultFxp()).empty());

    TheEditorSeam() = EditorSeam();
    auto plug = Make();
    EXPECT_EQ(plug->GetEditorWidth(), 924);
    EXPECT_EQ(plug->GetEditorHeight(), 528);
    EXPECT_EQ(TheEditorSeam().width, 616) << "the surface is made before the file loads and resized on opening";
    EXPECT_NEAR(plug->GetGuiScale(), 1.5, 1e-6);
    EXPECT_EQ(plug->ScaleX(), plug->GetGuiScale());
    EXPECT_EQ(plug->ScaleY(), plug->GetGuiScale());
    EXPECT_FALSE(plug->ResizePending()) << "the first opening sizes the editor";
    EXPECT_NEAR(plug->GetParam(kEBURefLevel)->Value(), -16.0, 1e-4);
    EXPECT_NEAR(plug->GetParam(kEBURefLevel)->DefaultValue(), -16.0, 1e-4);
    EXPECT_NEAR(plug->GetParam(kRMSWindow)->DefaultValue(), 300.0, 1e-3);
    EXPECT_NEAR(plug->GetPeakRmsEngine().WindowMs(), 300.0, 1e-3) << "the engines are made with the loaded values";
    EXPECT_NEAR(plug->GetPeakRmsEngine().Overlap(), 0.75, 1e-6);
    EXPECT_EQ(plug->GetParam(kGUILayout)->Value(), 1.0) << "GUI Layout is the constructor's";
    EXPECT_EQ(plug->GetParam(kOutRMSIL)->Value(), -144.0);
}

TEST_F(Construction, UnusableDefaultFxpLeavesTheTableDefaults)
{
    WriteDefault([](TestSonvarek& w) {
        w.SetFromHost(kGUIScale, 2.0);
        w.SetFromHost(kEBURefLevel, -16.0);
    });
    const std::string good = ReadBytes(DefaultFxp());
    ASSERT_GT(good.size(), 56u);
    std::string foreign = good;
    foreign[19] = 'X';  // the plug-in ID at offset 16

    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"header only", good.substr(0, 56)},
        {"one value short", good.substr(0, good.size() - 4)},
        {"another plug-in's", foreign},
    };
    for (const auto& [what, bytes] : cases)
    {
        SCOPED_TRACE(what);
        WriteBytes(DefaultFxp(), bytes);
        auto plug = Make();
        EXPECT_EQ(plug->GetParam(kEBURefLevel)->Value(), -23.0);
        EXPECT_EQ(plug->GetParam(kEBURefLevel)->DefaultValue(), -23.0);
        EXPECT_EQ(plug->GetGuiScale(), 1.0);
        EXPECT_EQ(plug->GetEditorWidth(), 616);
    }
    std::remove(DefaultFxp().c_str());
    auto plug = Make();
    EXPECT_EQ(plug->GetParam(kEBURefLevel)->Value(), -23.0) << "missing";
}

TEST_F(Construction, StreamChangeRemakesEnginesAndTimersOnlyWhenRateOrBlockSizeChanges)
{
    auto plug = Make();
    plug->SetFromHost(kWriteAutomationData, 1);
    plug->SetUpStream(48000.0, 512);
    plug->RunSignal(Sine(0.5, 1000.0, 48000.0), 24000);
    const double peak = plug->GetPeakRmsEngine().GetPeakMaxDb();
    ASSERT_GT(peak, -7.0);

    plug->PrepareStream();
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), peak) << "same rate and block size keep every measurement";

    // Periods at 44100 Hz: 2205, 8820, 2205 frames.
    plug->SetUpStream(44100.0, 512);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), -144.0) << "a new rate restarts the measurements";
    MeterSnapshot snapshot;
    plug->TakeDueMeterValues(&snapshot);
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

    // A new block size alone remakes them too.
    plug->RunSignal(Sine(0.5, 1000.0, 44100.0), 4410);
    plug->SetUpStream(44100.0, 256);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), -144.0);

    // A rate the engines cannot run at keeps the running ones.
    plug->RunSignal(Sine(0.5, 1000.0, 44100.0), 4410);
    plug->SetUpStream(0.0, 512);
    EXPECT_GT(plug->GetPeakRmsEngine().GetPeakMaxDb(), -7.0);
}

TEST_F(Construction, FactoryBuildsOneAtATimeAndAnswersNullWhenConstructionFails)
{
    Sonvarek* plug = CreateSonvarekInstance([]() -> Sonvarek* { return new TestSonvarek; });
    ASSERT_NE(plug, nullptr);
    delete plug;
    EXPECT_EQ(CreateSonvarekInstance(nullptr), nullptr);
    EXPECT_EQ(CreateSonvarekInstance([]() -> Sonvarek* { throw std::runtime_error("no"); }), nullptr);
    EXPECT_EQ(CreateSonvarekInstance([]() -> Sonvarek* { throw std::bad_alloc(); }), nullptr);
    plug = CreateSonvarekInstance([]() -> Sonvarek* { return new TestSonvarek; });
    EXPECT_NE(plug, nullptr) << "the factory lock was released";
    delete plug;
}

}  // namespace
