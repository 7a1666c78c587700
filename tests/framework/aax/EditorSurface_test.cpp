// The binding with a real editor surface in a window of the test desktop:
// gestures and values as the host records them, and the host taking a click.

#include "framework/aax/AAX_VViewContainer.h"
#include "graphics/editor/IGraphicsWin.h"
#include "platform/win32/Desktop.h"
#include "support/TestSession.h"
#include "tests/support/AutomationKinds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A fader: dragging up by a pixel raises it by 0.01.
class Fader final : public IControl
{
public:
    Fader(IPlugBase* plug, int32_t paramIdx) : IControl(plug, {10, 0, 10, 0, 20, 0, 80, 0}, paramIdx) {}
    void PointerDragged(int32_t, int32_t, int32_t, int32_t dy, const IPointerMods&) override
    {
        AcceptUserValue(CurrentValue() - dy * 0.01);
    }
    void Paint(IGraphics* graphics) override { graphics->FillBounds({255, 90, 90, 90}, DrawArea(), nullptr); }
};

class EditorSurface : public PlugInstanceTest
{
protected:
    void SetUp() override
    {
        PlugInstanceTest::SetUp();
        host = desktop.CreateHostWindow(0, 0, 300, 200);
        editor = new IGraphicsWin(plug, 200, 100, 30);
        plug->AttachEditor(editor);
        fader = new Fader(plug, kTestGain);
        editor->AppendControl(fader);
        plug->RefreshParamControls();
        ASSERT_NE(editor->OpenEditorWindow(host), nullptr);
        desktop.RunFor(33);
        instance->ClearAutomation();
    }
    void TearDown() override { editor->CloseEditorWindow(); }

    std::string Kinds(const char* id) const { return AutomationKinds(instance->Automation(), id); }

    Desktop desktop;
    HWND host = nullptr;
    IGraphicsWin* editor = nullptr;  // the plug-in's
    Fader* fader = nullptr;
};

TEST_F(EditorSurface, ADragIsOneGestureAroundItsValues)
{
    const double before = Normalized("2");
    desktop.ButtonDown(MouseButton::Left, 15, 50);
    desktop.MouseMove(15, 45);
    desktop.MouseMove(15, 40);
    desktop.ButtonUp(MouseButton::Left, 15, 40);
    // The drag's touch and release around both values (each value asked
    // for is touched and released once more by the parameter itself).
    EXPECT_EQ(Kinds("2"), "TTQRTQRR");
    EXPECT_NEAR(fader->CurrentValue(), before + 0.1, 1e-9);
    EXPECT_EQ(instance->DeliverRequests(), 2);
    EXPECT_NEAR(Normalized("2"), before + 0.1, 1e-9);
    EXPECT_NEAR(PlainValue(kTestGain), -60.0 + 72.0 * (before + 0.1), 1e-9);
}

TEST_F(EditorSurface, TheHostMayTakeTheClickThroughItsView)
{
    AAX_VViewContainer view(session.host.View());
    editor->SetViewContainer(&view);
    session.host.view.takesParameterClicks = true;
    session.host.view.modifiers = kAAXModifierAlt;
    desktop.ButtonDown(MouseButton::Left, 15, 50, kShiftKey);
    desktop.MouseMove(15, 40, kShiftKey);
    desktop.ButtonUp(MouseButton::Left, 15, 40);
    EXPECT_EQ(Kinds("2"), "") << "no gesture and no value: the host has the click";
    bool offered = false;
    for (const std::string& call : session.host.Calls())
        offered |= call.find("HandleParameterMouseDown(\"2\", 0x5)") != std::string::npos;
    EXPECT_TRUE(offered);
    editor->SetViewContainer(nullptr);
}

}  // namespace
