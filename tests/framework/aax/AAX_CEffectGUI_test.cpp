// The GUI object as the stand-in host drives it: made by the effect's GUI
// procedure, attached with the instance's host object, its editor opened in
// and closed off host windows of the test desktop, sizes and values.

#include "framework/aax/AAX_CEffectGUI_IPLUG.h"
#include "graphics/editor/IGraphicsWin.h"
#include "host/HostEditor.h"
#include "platform/ACFInterfaceIDs.h"
#include "platform/AAXResults.h"
#include "platform/win32/Desktop.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Events = std::vector<std::string>;

class Fader final : public IControl
{
public:
    Fader(IPlugBase* plug, int32_t paramIdx) : IControl(plug, {10, 0, 10, 0, 20, 0, 80, 0}, paramIdx) {}
    void Paint(IGraphics* graphics) override { graphics->FillBounds({255, 90, 90, 90}, DrawArea(), nullptr); }
};

class EffectGUI : public PlugInstanceTest
{
protected:
    void SetUp() override
    {
        PlugInstanceTest::SetUp();
        hostWindow = desktop.CreateHostWindow(0, 0, 800, 500);
        otherWindow = desktop.CreateHostWindow(0, 0, 800, 500);
        editor = new IGraphicsWin(plug, 616, 352, 30);
        plug->AttachEditor(editor);
        fader = new Fader(plug, kTestGain);
        editor->AppendControl(fader);
        std::string error;
        gui = HostEditor::Create(session.host, session.effect, *instance, &error);
        ASSERT_NE(gui, nullptr) << error;
    }
    void TearDown() override { gui.reset(); }

    Desktop desktop;
    HWND hostWindow = nullptr;
    HWND otherWindow = nullptr;
    IGraphicsWin* editor = nullptr;  // the plug-in's
    Fader* fader = nullptr;
    std::unique_ptr<HostEditor> gui;
};

TEST_F(EffectGUI, OpensInTheHostsViewClosesAndOpensAgainEachTimeShowingTheHostsValues)
{
    const int32_t hostObjects = session.host.LiveObjects();
    ASSERT_EQ(instance->SetNormalized("2", 0.25), 0);
    fader->AcceptPlugValue(0.9);  // out of step with the host
    ASSERT_EQ(gui->GiveView(hostWindow), 0);
    ASSERT_NE(editor->Window(), nullptr);
    EXPECT_EQ(GetParent(editor->Window()), hostWindow);
    EXPECT_NEAR(fader->CurrentValue(), 0.25, 1e-12) << "the opening refreshes every control";
    EXPECT_NE(editor->ViewContainer(), nullptr);

    ASSERT_EQ(gui->RemoveView(), 0);
    EXPECT_EQ(editor->Window(), nullptr);
    EXPECT_EQ(editor->ViewContainer(), nullptr);
    EXPECT_EQ(session.host.LiveObjects(), hostObjects) << "the removed view's container is let go";

    fader->AcceptPlugValue(0.9);
    ASSERT_EQ(gui->GiveView(hostWindow), 0);
    EXPECT_NE(editor->Window(), nullptr);
    EXPECT_NEAR(fader->CurrentValue(), 0.25, 1e-12);
    EXPECT_EQ(plug->editorEvents, (Events{"opened", "closed", "opened"}));
}

TEST_F(EffectGUI, AViewGivenInPlaceOfAnotherMovesTheEditorAndLetsTheOldOneGo)
{
    const int32_t hostObjects = session.host.LiveObjects();
    gui->GiveView(hostWindow);
    gui->GiveView(otherWindow);
    ASSERT_NE(editor->Window(), nullptr);
    EXPECT_EQ(GetParent(editor->Window()), otherWindow);
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
    EXPECT_EQ(plug->editorEvents, (Events{"opened", "closed", "opened"}));
    gui->RemoveView();
    EXPECT_EQ(session.host.LiveObjects(), hostObjects);
}

TEST_F(EffectGUI, TheHostLearnsSizeChangesOnlyWhileItShowsTheEditor)
{
    AAXViewSize size = {0.0f, 0.0f};
    ASSERT_EQ(gui->ViewSize(&size), 0);
    EXPECT_EQ(size.height, 352.0f);
    EXPECT_EQ(size.width, 616.0f);
    EXPECT_EQ(gui->Gui().ReportViewSize(nullptr), kACFResultNullPointer);

    gui->GiveView(hostWindow);
    editor->SetEditorSize(924, 528, true);
    EXPECT_EQ(gui->View().size.height, 528.0f);
    EXPECT_EQ(gui->View().size.width, 924.0f);
    gui->RemoveView();
    editor->SetEditorSize(616, 352, true);
    EXPECT_EQ(gui->View().size.width, 924.0f) << "no view, no size request";
    EXPECT_EQ(plug->resized, (std::vector<int32_t>{1, 1}));
}

TEST_F(EffectGUI, HostValuesReachTheControlsOfTheirParameterOnly)
{
    gui->GiveView(hostWindow);
    fader->AcceptPlugValue(0.9);
    EXPECT_EQ(gui->Gui().ReflectParamValue("MasterBypassID"), 0);
    EXPECT_EQ(gui->Gui().ReflectParamValue("3"), 0);
    EXPECT_EQ(gui->Gui().ReflectParamValue("99"), 0);
    EXPECT_EQ(gui->Gui().ReflectParamValue(nullptr), 0);
    EXPECT_EQ(fader->CurrentValue(), 0.9);
    EXPECT_EQ(gui->Gui().ReflectParamValue("2"), 0);
    EXPECT_NEAR(fader->CurrentValue(), 60.0 / 72.0, 1e-12) << "the host's value of Gain (0 dB)";
}

TEST_F(EffectGUI, LeavingTheHostWhileShownClosesTheEditorFirst)
{
    gui->GiveView(hostWindow);
    EXPECT_EQ(gui->Gui().DetachFromHost(), 0);
    EXPECT_EQ(editor->Window(), nullptr);
    EXPECT_EQ(editor->ViewContainer(), nullptr);
    EXPECT_EQ(plug->editorEvents, (Events{"opened", "closed"}));
    // Attached again: the editor is found again and opens in a new view.
    EXPECT_EQ(gui->Gui().AttachToHost(instance->HostObject()), 0);
    gui->GiveView(hostWindow);
    EXPECT_NE(editor->Window(), nullptr);
    gui.reset();  // released while shown
    EXPECT_EQ(editor->Window(), nullptr);
    EXPECT_EQ(plug->editorEvents, (Events{"opened", "closed", "opened", "closed"}));
}

TEST_F(EffectGUI, ARefusedAttachLeavesTheShownEditorAsItWas)
{
    gui->GiveView(hostWindow);
    const HWND shown = editor->Window();
    EXPECT_EQ(gui->Gui().AttachToHost(nullptr), kAAXResultNoController);
    EXPECT_EQ(editor->Window(), shown);
    EXPECT_NE(editor->ViewContainer(), nullptr);
    EXPECT_EQ(plug->editorEvents, (Events{"opened"}));
    ASSERT_EQ(instance->SetNormalized("2", 0.25), 0);
    EXPECT_NEAR(fader->CurrentValue(), 0.25, 1e-12) << "host values still reach the editor";
}

TEST_F(EffectGUI, AViewThatAnswersAsNoViewContainerShowsNothing)
{
    session.host.Withhold(kIID_ViewContainer);
    EXPECT_EQ(gui->GiveView(hostWindow), 0);
    EXPECT_EQ(editor->Window(), nullptr) << "no native view";
    EXPECT_TRUE(plug->editorEvents.empty());
}

TEST_F(EffectGUI, WithoutAnEditorOrItsInstanceNothingOpens)
{
    EXPECT_EQ(gui->Gui().DetachFromHost(), 0);
    EXPECT_EQ(gui->Gui().AttachToHost(nullptr), kAAXResultNoController);
    gui->GiveView(hostWindow);
    EXPECT_EQ(editor->Window(), nullptr) << "not attached: no instance, no editor";
    gui->RemoveView();
    gui.reset();

    session.host.Withhold(kIID_EffectParameters);
    std::string error;
    gui = HostEditor::Create(session.host, session.effect, *instance, &error);
    ASSERT_NE(gui, nullptr) << error;
    gui->GiveView(hostWindow);
    EXPECT_EQ(editor->Window(), nullptr);
    AAXViewSize size = {1.0f, 2.0f};
    EXPECT_EQ(gui->ViewSize(&size), 0);
    EXPECT_EQ(size.height, 1.0f) << "no editor: the record is left as it was";
    gui.reset();
    EXPECT_TRUE(plug->editorEvents.empty());

    // An instance whose plug-in has no editor.
    auto bare = session.NewInstance();
    ASSERT_NE(bare, nullptr);
    gui = HostEditor::Create(session.host, session.effect, *bare, &error);
    ASSERT_NE(gui, nullptr) << error;
    EXPECT_EQ(gui->GiveView(otherWindow), 0);
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
    gui.reset();
    EXPECT_TRUE(PlugOf(*bare).editorEvents.empty());
}

}  // namespace
