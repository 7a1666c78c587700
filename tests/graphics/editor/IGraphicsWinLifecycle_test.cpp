#include "support/WindowFixture.h"

#include "graphics/editor/IPlugMenu.h"
#include "graphics/raster/LICE_SysBitmap.h"

#include <algorithm>
#include <limits>

namespace {

using Lifecycle = WindowFixture;

UINT TimerPeriod(const Desktop& desktop, HWND window)
{
    for (const TimerView& t : desktop.Timers())
        if (t.window == window && t.id == IGraphicsWin::kTimerId)
            return t.periodMs;
    return 0;
}

int WidthOf(HWND w)
{
    RECT r = {};
    GetWindowRect(w, &r);
    return r.right - r.left;
}

TEST_F(Lifecycle, OpensAChildWithItsTimerAndPaintsEverythingOnTheFirstTick)
{
    TestControl* control = Add({10, 0, 10, 0, 20, 0, 20, 0}, kParamGain);
    control->TakeRedrawRequest();
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(GetParent(window), host);
    EXPECT_EQ(GetFocus(), window);
    EXPECT_EQ(WidthOf(window), 200);
    EXPECT_EQ(TimerPeriod(desktop, window), 33u);
    EXPECT_TRUE(control->IsChanged()) << "opening marks every control";
    EXPECT_TRUE(plug->sent.empty()) << "without sending values";
    Tick();
    EXPECT_EQ(desktop.WindowImage(host).At(15, 15), 0xFFC80000u);

    IGraphicsWin slow(nullptr, 10, 10, 25);
    EXPECT_EQ(TimerPeriod(desktop, static_cast<HWND>(slow.OpenEditorWindow(host))), 40u);
}

TEST_F(Lifecycle, TheFrameRateReArmsTheWindowsOwnTimer)
{
    Open();
    surface->SetFrameRate(50.0);
    EXPECT_EQ(TimerPeriod(desktop, window), 20u);
    for (double bad : {0.0, -30.0, std::numeric_limits<double>::quiet_NaN()})
        surface->SetFrameRate(bad);
    EXPECT_EQ(TimerPeriod(desktop, window), 20u);
    EXPECT_EQ(TimerPeriod(desktop, host), 0u) << "the host's window has no timer of ours";
    EXPECT_EQ(IGraphicsWin::TimerPeriodMs(1e9), 1u);
    EXPECT_EQ(IGraphicsWin::TimerPeriodMs(1e-9), static_cast<UINT>(INT32_MAX));
}

TEST_F(Lifecycle, OpenCloseAndReopenLeaveNothingBehind)
{
    Add({0, 0, 0, 0, 20, 0, 20, 0}, kParamGain);
    const LiveCounts before = desktop.Counts();
    for (int round = 0; round < 3; ++round)
    {
        ASSERT_NE(Open(), nullptr);
        Tick();
        surface->OpenEntryField(surface->ControlAt(0), TextStyle(), {0, 0, 40, 16}, "1", nullptr);
        ASSERT_NE(surface->EntryField(), nullptr);
        if (round == 2)
            SendMessageA(window, WM_CLOSE, 0, 0);  // while the field has the keyboard
        else
            surface->CloseEditorWindow();
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(surface->EntryField(), nullptr);
        EXPECT_EQ(desktop.Counts(), before) << "round " << round << ": the field and its font went too";
        EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
        EXPECT_FALSE(UnregisterClassA("IPlugWndClass", nullptr)) << "the class went with the last window";
    }
    EXPECT_EQ(surface->OpenEditorWindow(reinterpret_cast<void*>(0x1234)), nullptr) << "no such parent";
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);

    // Reopening while open keeps place and size.
    Open();
    SetWindowPos(window, nullptr, 7, 9, 150, 80, SWP_NOZORDER);
    Open();
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, kHostX + 7);
    EXPECT_EQ(r.right - r.left, 150);
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
}

TEST_F(Lifecycle, AWindowDestroyedFromOutsideIsForgottenAndAReopenStartsAfresh)
{
    Add({0, 0, 0, 0, 20, 0, 20, 0}, kParamGain);
    const LiveCounts before = desktop.Counts();
    Open();
    SetWindowPos(window, nullptr, 7, 9, 150, 80, SWP_NOZORDER);
    desktop.ButtonDown(MouseButton::Left, SX(10), SY(12));
    surface->OpenEntryField(surface->ControlAt(0), TextStyle(), {0, 0, 40, 16}, "1", nullptr);

    // The host's view goes first, the editor inside it.
    DestroyWindow(host);
    EXPECT_FALSE(surface->HasWindow());
    EXPECT_EQ(surface->EntryField(), nullptr);
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
    EXPECT_EQ(plug->gestures, (std::vector<std::string>{"begin 0", "end 0"}));
    LiveCounts gone = before;
    --gone.windows;
    EXPECT_EQ(desktop.Counts(), gone) << "the field's font went too";

    host = desktop.CreateHostWindow(kHostX, kHostY, 400, 300);
    ASSERT_NE(Open(), nullptr);
    RECT r = {};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, kHostX);
    EXPECT_EQ(r.top, kHostY);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 100);
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
    surface->CloseEditorWindow();
    EXPECT_FALSE(UnregisterClassA("IPlugWndClass", nullptr)) << "the class went with the last window";
}

TEST_F(Lifecycle, AWindowClosedFromATickOrAMenuLeavesEveryOtherWindowAlone)
{
    TestControl* control = Add({10, 0, 10, 0, 20, 0, 20, 0});
    const HWND other = desktop.CreateHostWindow(500, 50, 100, 100);  // another instance's view
    Open();
    Tick();
    desktop.ClearHostMessages(other);
    auto otherPaints = [&] {
        const std::vector<LoggedMessage>& log = desktop.HostMessages(other);
        return std::count_if(log.begin(), log.end(), [](const LoggedMessage& m) { return m.message == WM_PAINT; });
    };

    // The idle refresh changes a control and closes the editor.
    bool closeOnIdle = true;
    plug->onIdle = [&] {
        if (!closeOnIdle)
            return;
        closeOnIdle = false;
        control->SetHidden(false);
        surface->CloseEditorWindow();
    };
    Tick();
    EXPECT_FALSE(surface->HasWindow());
    EXPECT_EQ(otherPaints(), 0);

    // The editor closes while its menu is up.
    Open();
    Tick();
    desktop.ClearHostMessages(other);
    IPlugMenu menu;
    menu.InsertTextEntry("a", -1, 0);
    desktop.Services().chooseMenuItem = [&](const MenuRequest& r) {
        surface->CloseEditorWindow();
        return FindMenuItem(r.items, "a");
    };
    EXPECT_EQ(surface->ShowPopupMenu(&menu, {0, 0, 10, 10}), nullptr);
    EXPECT_EQ(menu.ChosenIndex(), -1);
    desktop.Pump();
    EXPECT_EQ(otherPaints(), 0);
}

TEST_F(Lifecycle, DeletingThePlugInWithAnOpenEditorFreesEverything)
{
    const LiveCounts empty = desktop.Counts();
    {
        SurfacePlug local;
        auto* editor = new IGraphicsWin(&local, 50, 50, 30);
        local.AttachEditor(editor);
        editor->OpenEditorWindow(host);
        editor->AppendControl(new TestControl(&local, {0, 0, 0, 0, 10, 0, 10, 0}, kParamGain));
        // A gesture left open: the plug-in, half destroyed, must not hear of it.
        editor->PointerDown(1, 1, {});
    }
    EXPECT_EQ(desktop.Counts(), empty);
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
}

TEST_F(Lifecycle, ResizingSizesTheWindowWithOrWithoutItsControls)
{
    Add({10, 0, 10, 0, 20, 0, 20, 0});
    Open();
    Tick();
    EXPECT_TRUE(surface->SetEditorSize(300, 150, true));
    EXPECT_EQ(WidthOf(window), 300) << "the window always shows the whole editor, also in AAX";
    EXPECT_EQ(WidthOf(host), 400) << "the host's window is the host's";
    Tick();
    EXPECT_EQ(desktop.WindowImage(window).At(15, 15), 0xFFC80000u) << "repainted";
    surface->SetEditorSize(100, 50, false);
    EXPECT_EQ(WidthOf(window), 100);
    surface->CloseEditorWindow();
    EXPECT_FALSE(surface->SetEditorSize(120, 60, true)) << "no window";
}

class OtherFormat : public WindowFixture
{
protected:
    OtherFormat() : WindowFixture(2) {}
};

TEST_F(OtherFormat, ParentAndGrandparentGrowWhileTheyAreChildren)
{
    HWND frame = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 300, 200, host, nullptr, nullptr, nullptr);
    HWND view = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 250, 150, frame, nullptr, nullptr, nullptr);
    ASSERT_NE(surface->OpenEditorWindow(view), nullptr);
    surface->SetEditorSize(230, 110, true);
    EXPECT_EQ(WidthOf(view), 280);
    EXPECT_EQ(WidthOf(frame), 330);
    EXPECT_EQ(WidthOf(host), 400);
}

}  // namespace
