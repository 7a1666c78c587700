// The editor as the host shows it: opening, closing and opening again, host
// values in the controls, and resizing by "GUI Scale", the resize corner and
// the logo. (A click's way to the host: through the module, tests/host.)
#include "framework/aax/ParamID.h"
#include "plugin/MeterParamIndex.h"
#include "support/EditorSession.h"
#include "tests/support/CairoStaticData.h"

#include <cmath>
#include <string>
#include <thread>

namespace {

using EditorHooks = EditorSession;

TEST_F(EditorHooks, EachOpeningShowsTheHostsValuesAndTheyFollowTheHost)
{
    Open();
    Close();
    EXPECT_EQ(Editor().Window(), nullptr);
    EXPECT_FALSE(Plug().EditorOpen());
    // Changed while no editor is shown, the controls not told (as a host
    // that reports only to an open view would).
    SetFromHost(kRMSGain, "-6");
    SetFromHost(kSync, "1");
    for (int32_t i = 0; i < Editor().ControlCount(); ++i)
        Editor().ControlAt(i)->AcceptPlugValue(0.0);
    Open();
    EXPECT_TRUE(Plug().EditorOpen());
    ExpectControlsShowHostValues();

    SetFromHost(kEBURefLevel, "-16");
    SetFromHost(kRMSWFilterMode, "Leq(A)");
    ExpectControlsShowHostValues();
}

TEST_F(EditorHooks, TextsAndVisibilityChangeOnTheEditorsThreadOnly)
{
    using Slots = SonvarekEditorTables;
    const auto fromAnotherThread = [this](int32_t idx, const char* text) {
        std::thread([&] { SetFromHost(idx, text); }).join();
    };
    Open();
    Tick();
    fromAnotherThread(kType, "EBU");
    EXPECT_EQ(SlotText(Slots::kCaptionSlot), "Peak") << "the editor may be painting them";
    EXPECT_FALSE(Editor().ControlAt(Tables().RmsGroupList.front())->IsHidden());
    Tick();
    EXPECT_EQ(SlotText(Slots::kCaptionSlot), "True Peak");
    EXPECT_TRUE(Editor().ControlAt(Tables().RmsGroupList.front())->IsHidden());
    EXPECT_FALSE(Editor().ControlAt(Tables().EbuGroupList.front())->IsHidden());

    // Left while the editor is closed, they are done as it opens.
    Close();
    fromAnotherThread(kType, "RMS");
    fromAnotherThread(kRMSDelta, "1");
    EXPECT_EQ(SlotText(Slots::kCaptionSlot), "True Peak");
    Open();
    EXPECT_EQ(SlotText(Slots::kCaptionSlot), "Peak");
    EXPECT_EQ(ReadoutUnit(0), "dB");
    EXPECT_FALSE(Editor().ControlAt(Tables().RmsGroupList.front())->IsHidden());

    // On the editor's own thread at once.
    SetFromHost(kRMSDelta, "0");
    EXPECT_EQ(ReadoutUnit(0), "dBFS");
}

TEST_F(EditorHooks, GuiScaleFromTheHostResizesTheEditorAndTheHostsView)
{
    Open();
    SetFromHost(kGUIScale, "2.0");
    EXPECT_EQ(Editor().Width(), 616) << "the next tick resizes";
    Tick();
    EXPECT_EQ(Editor().Width(), 1232);
    EXPECT_EQ(Editor().Height(), 704);
    EXPECT_EQ(gui->View().size.width, 1232.0f);
    EXPECT_EQ(gui->View().size.height, 704.0f);
    RECT r = {};
    GetWindowRect(Editor().Window(), &r);
    EXPECT_EQ(r.right - r.left, 1232);

    // Told a resize that dropped its controls, the plug-in lays nothing out.
    const IBounds before = Editor().ControlAt(0)->DrawArea();
    Plug().OnEditorResized(0);
    EXPECT_EQ(Editor().ControlAt(0)->DrawArea(), before);
}

TEST_F(EditorHooks, AScaleChangedWhileClosedWaitsForTheFirstTickAfterReopening)
{
    Open();
    Close();
    SetFromHost(kGUIScale, "1.5");
    Open();
    EXPECT_EQ(Editor().Width(), 616) << "only the first opening sizes the editor";
    Tick();
    EXPECT_EQ(Editor().Width(), 924);
    EXPECT_EQ(Editor().Height(), 528);
}

TEST_F(EditorHooks, TheResizeCornerScalesTheEditorInProportionToItsDrag)
{
    Open();
    Tick();
    desktop.ButtonDown(MouseButton::Left, 608, 344);
    desktop.MouseMove(608 + 308, 344);
    desktop.ButtonUp(MouseButton::Left, 916, 344);
    EXPECT_DOUBLE_EQ(Plug().GetGuiScale(), std::sqrt(1.5));
    Tick();
    EXPECT_EQ(Editor().Width(), 754);
    EXPECT_EQ(Editor().Height(), 431);
    // The host's answer is the same scale: nothing moves again.
    instance->DeliverRequests();
    EXPECT_NEAR(HostNormalized(kGUIScale), (std::sqrt(1.5) - 1.0) / 2.0, 1e-9);
    EXPECT_FALSE(Plug().ResizePending());
}

TEST_F(EditorHooks, ACtrlClickOnTheLogoBringsTheScaleBackToOne)
{
    SetFromHost(kGUIScale, "2.0");
    Open();
    Tick();
    ASSERT_EQ(Editor().Width(), 1232);
    desktop.Click(MouseButton::Left, 20, 20);
    desktop.Click(MouseButton::Left, 20, 20, kControlKey | kShiftKey);
    Tick();
    EXPECT_EQ(Editor().Width(), 1232) << "a plain or a ctrl-shift click does nothing";
    desktop.Click(MouseButton::Left, 20, 20, kControlKey);
    Tick();
    EXPECT_EQ(Editor().Width(), 616);
}

}  // namespace
