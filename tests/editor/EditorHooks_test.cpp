// The editor as the host shows it: opening, closing and opening again, host
// values in the controls, and resizing by "GUI Scale", the resize corner and
// the logo. (A click's way to the host: through the module, tests/host.)
#include "framework/aax/ParamID.h"
#include "plugin/MeterParamIndex.h"
#include "support/EditorSession.h"
#include "tests/support/CairoStaticData.h"

#include <cmath>
#include <string>

namespace {

class EditorHooks : public EditorSession
{
protected:
    // Every control bound to a parameter shows the host's value of it.
    void ExpectControlsShowHostValues() const
    {
        int32_t bound = 0;
        for (int32_t i = 0; i < Editor().ControlCount(); ++i)
        {
            const IControl* control = Editor().ControlAt(i);
            if (control->ParamIdx() < 0)
                continue;
            ++bound;
            EXPECT_NEAR(control->CurrentValue(), HostNormalized(control->ParamIdx()), 1e-9) << "control " << i;
        }
        EXPECT_EQ(bound, 14);
    }
};

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
