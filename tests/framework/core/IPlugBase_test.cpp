#include "graphics/editor/IGraphicsWin.h"
#include "support/TestPlug.h"
#include "tests/support/TestEditorLink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(IPlugBase, ConstructionParsesConfigurationsAndNamesPresets)
{
    TestPlug plug("1-1 2-2 4-4 5-5 6-6", 29, 17);
    ASSERT_EQ(plug.NIOConfigs(), 5);
    EXPECT_EQ(plug.GetIOConfig(3)->inputs, 5);
    EXPECT_EQ(plug.GetIOConfig(5), nullptr);
    EXPECT_EQ(plug.NInChannels(), 6);
    EXPECT_EQ(plug.NOutChannels(), 6);
    EXPECT_FALSE(plug.IsInputConnected(0));
    EXPECT_EQ(plug.GetParam(29), nullptr);
    ASSERT_EQ(plug.NPresets(), 17);
    EXPECT_STREQ(plug.GetPreset(0)->name, "empty 0");
    EXPECT_STREQ(plug.GetPreset(16)->name, "empty 16");
    EXPECT_FALSE(plug.GetPreset(16)->initialised);

    EXPECT_EQ(plug.GetHostId(), kHostUninit);
    plug.SetHost("ProTools", 0x00010200);
    EXPECT_EQ(plug.GetHostId(), kHostProTools);

    TestPlug noDash("3  2-6 ", 0, 0);
    ASSERT_EQ(noDash.NIOConfigs(), 2);
    EXPECT_EQ(noDash.GetIOConfig(0)->inputs, 3);
    EXPECT_EQ(noDash.GetIOConfig(0)->outputs, 0) << "a token without a dash has no outputs";
    EXPECT_EQ(noDash.NOutChannels(), 6);
}

TEST(IPlugBase, UnitFormSetsSendsThenRunsTheChangeHook)
{
    TestPlug plug;
    plug.SetParameterFromGUI(2, 0.74);  // choice of 3: 1.48 snaps to 1
    EXPECT_EQ(plug.GetParam(2)->Value(), 1.0);
    ASSERT_EQ(plug.sent.size(), 1u);
    EXPECT_EQ(plug.sent[0].idx, 2);
    EXPECT_EQ(plug.sent[0].unit, 0.74);
    EXPECT_EQ(plug.changes, std::vector<int32_t>{2});

    plug.SetParameterFromGUI(0, 1.3);
    EXPECT_EQ(plug.GetParam(0)->Value(), 0.0);
    EXPECT_EQ(plug.sent.back().unit, 1.0) << "the host is sent the clamped unit value";
}

TEST(IPlugBase, PlainFormStoresSnappedAndSkipsTheChangeHook)
{
    TestPlug plug;
    plug.SetParameterFromGUI(1, 2.4, false);  // integer 0..4
    EXPECT_EQ(plug.GetParam(1)->Value(), 2.0);
    ASSERT_EQ(plug.sent.size(), 1u);
    EXPECT_DOUBLE_EQ(plug.sent[0].unit, 0.6);
    EXPECT_TRUE(plug.changes.empty());

    plug.SetParameterFromGUI(0, 0.5, true);
    EXPECT_DOUBLE_EQ(plug.GetParam(0)->Value(), -30.0);
    EXPECT_TRUE(plug.changes.empty());
}

TEST(IPlugBase, BadIndexOrNaNFromTheEditorChangesNothing)
{
    TestPlug plug;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    plug.GetParam(0)->SetValue(-12.0);
    plug.SetParameterFromGUI(0, nan);
    plug.SetParameterFromGUI(0, nan, false);
    plug.SetParameterFromGUI(4, 0.5);
    plug.SetParameterFromGUI(-1, 0.5, true);
    EXPECT_EQ(plug.GetParam(0)->Value(), -12.0);
    EXPECT_TRUE(plug.sent.empty());
    EXPECT_TRUE(plug.changes.empty());
}

TEST(IPlugBase, AllParamsToHostAndAllChangeHooksInIndexOrder)
{
    TestPlug plug;
    plug.GetParam(3)->SetValue(2.0);
    plug.SendAllParamsToHost();
    ASSERT_EQ(plug.sent.size(), 4u);
    EXPECT_EQ(plug.sent[3].idx, 3);
    EXPECT_DOUBLE_EQ(plug.sent[3].unit, 0.5);
    plug.HandleAllParamChanges();
    EXPECT_EQ(plug.changes, (std::vector<int32_t>{0, 1, 2, 3}));
}

TEST(IPlugBase, AttachEditorPushesUnitValuesThenMakesBitmaps)
{
    int deletions = 0;
    {
        TestPlug plug;
        plug.GetParam(0)->SetValue(-30.0);
        plug.AttachEditor(nullptr);
        EXPECT_EQ(plug.GetEditor(), nullptr);

        auto* editor = new TestEditorLink(&deletions);
        plug.AttachEditor(editor);
        EXPECT_EQ(plug.GetEditor(), editor);
        ASSERT_EQ(editor->pushes.size(), 4u);
        EXPECT_EQ(editor->pushes[0].idx, 0);
        EXPECT_DOUBLE_EQ(editor->pushes[0].value, 0.5);
        EXPECT_TRUE(editor->pushes[0].isUnit);
        EXPECT_EQ(editor->bitmapsMadeAfterPushes, 4u);

        editor->pushes.clear();
        plug.RefreshParamControls();
        ASSERT_EQ(editor->pushes.size(), 4u);
        EXPECT_EQ(editor->pushes[0].value, -30.0) << "plain values";
        EXPECT_FALSE(editor->pushes[0].isUnit);

        plug.AttachEditor(new TestEditorLink(&deletions));
        EXPECT_EQ(deletions, 1) << "the editor attached before";
    }
    EXPECT_EQ(deletions, 2) << "the attached editor goes with the plug-in";
}

// A control that counts its own deletion.
class CountedControl final : public IControl
{
public:
    CountedControl(IPlugBase* plug, int32_t paramIdx, int* deletions)
        : IControl(plug, {0, 0, 0, 0, 10, 0, 10, 0}, paramIdx), deletions(deletions)
    {
    }
    ~CountedControl() override { ++*deletions; }
    void Paint(IGraphics*) override {}

private:
    int* deletions;
};

TEST(IPlugBase, DrivesARealEditorSurface)
{
    int deletions = 0;
    {
        TestPlug plug;
        plug.GetParam(0)->SetValue(-15.0);
        auto* editor = new IGraphicsWin(&plug, 616, 352, 30);
        auto* gain = new CountedControl(&plug, 0, &deletions);
        auto* count = new CountedControl(&plug, 1, &deletions);
        editor->AppendControl(gain);
        editor->AppendControl(count);
        plug.AttachEditor(editor);
        EXPECT_EQ(gain->CurrentValue(), 0.75) << "attaching gives every control its unit value";

        // A control's edit goes to the host and to the change handler.
        gain->AcceptUserValue(0.5);
        ASSERT_EQ(plug.sent.size(), 1u);
        EXPECT_EQ(plug.changes, std::vector<int32_t>{0});
        EXPECT_EQ(plug.GetParam(0)->Value(), -30.0);

        // Restored plain values reach the controls as unit values.
        plug.GetParam(1)->SetValue(2.0);
        plug.RefreshParamControls();
        EXPECT_EQ(count->CurrentValue(), 0.5);
        EXPECT_EQ(gain->CurrentValue(), 0.5);
    }
    EXPECT_EQ(deletions, 2) << "the editor and its controls go with the plug-in";
}

}  // namespace
