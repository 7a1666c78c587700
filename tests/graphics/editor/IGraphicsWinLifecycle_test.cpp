#include "support/WindowFixture.h"

#include "graphics/raster/LICE_SysBitmap.h"

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

RECT RectOf(HWND w)
{
    RECT r = {};
    GetWindowRect(w, &r);
    return r;
}

TEST_F(Lifecycle, OpensAChildWindowWithItsTimerAndPaintsEverythingOnTheFirstTick)
{
    TestControl* control = Add({10, 0, 10, 0, 20, 0, 20, 0}, kParamGain);
    control->TakeRedrawRequest();
    ASSERT_NE(Open(), nullptr);
    EXPECT_TRUE(surface->HasWindow());
    EXPECT_STREQ(surface->BackendName(), "Windows GDI");
    EXPECT_EQ(GetParent(window), host);
    EXPECT_EQ(GetFocus(), window);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    EXPECT_STREQ(name, "IPlugWndClass");
    EXPECT_EQ(RectOf(window).right - RectOf(window).left, 200);
    EXPECT_EQ(TimerPeriod(desktop, window), 33u);
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
    EXPECT_TRUE(control->IsChanged()) << "opening marks every control";
    EXPECT_TRUE(plug->sent.empty()) << "without sending values";

    Tick();
    EXPECT_EQ(control->paints, 1);
    EXPECT_EQ(desktop.WindowImage(window).At(15, 15), 0xFFC80000u);
    EXPECT_EQ(desktop.WindowImage(host).At(15, 15), 0xFFC80000u);
}

TEST_F(Lifecycle, TwentyFiveFramesASecondTickEvery40Ms)
{
    IGraphicsWin slow(nullptr, 10, 10, 25);
    slow.CreateDrawBitmaps();
    HWND w = static_cast<HWND>(slow.OpenEditorWindow(host));
    EXPECT_EQ(TimerPeriod(desktop, w), 40u);
    slow.CloseEditorWindow();
    IGraphicsWin defaulted(nullptr, 10, 10, 0);
    EXPECT_EQ(defaulted.FrameRate(), 25.0);
}

TEST_F(Lifecycle, TheFrameRateReArmsTheWindowsOwnTimer)
{
    Open();
    surface->SetFrameRate(50.0);
    EXPECT_EQ(TimerPeriod(desktop, window), 20u);
    for (double bad : {0.0, -30.0, std::numeric_limits<double>::quiet_NaN()})
        surface->SetFrameRate(bad);
    EXPECT_EQ(TimerPeriod(desktop, window), 20u);
    EXPECT_EQ(surface->FrameRate(), 50.0);
    EXPECT_EQ(TimerPeriod(desktop, host), 0u) << "the host's window has no timer of ours";
    surface->SetFrameRate(1e9);
    EXPECT_EQ(IGraphicsWin::TimerPeriodMs(1e9), 1u);
    surface->SetFrameRate(1e-9);
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
        // An entry field, its font and a popup menu come and go with the window.
        surface->OpenEntryField(surface->ControlAt(0), TextStyle(), {0, 0, 40, 16}, "1", nullptr);
        EXPECT_NE(surface->EntryField(), nullptr);
        surface->CloseEditorWindow();
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(surface->EntryField(), nullptr);
        EXPECT_EQ(desktop.Counts(), before) << "round " << round;
        EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
        EXPECT_FALSE(UnregisterClassA("IPlugWndClass", nullptr)) << "the class went with the last window";
    }
    desktop.RunFor(100);
    surface->CloseEditorWindow();  // closed twice: nothing
}

TEST_F(Lifecycle, ReopeningWhileOpenKeepsPlaceAndSize)
{
    Open();
    SetWindowPos(window, nullptr, 7, 9, 150, 80, SWP_NOZORDER);
    HWND first = window;
    ASSERT_NE(Open(), nullptr);
    EXPECT_FALSE(IsWindow(first));
    const RECT r = RectOf(window);
    EXPECT_EQ(r.left, kHostX + 7);
    EXPECT_EQ(r.top, kHostY + 9);
    EXPECT_EQ(r.right - r.left, 150);
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
}

TEST_F(Lifecycle, TwoEditorsShareTheClassUntilTheLastCloses)
{
    Open();
    IGraphicsWin other(nullptr, 20, 20, 30);
    ASSERT_NE(other.OpenEditorWindow(host), nullptr);
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 2);
    surface->CloseEditorWindow();
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
    ASSERT_NE(Open(), nullptr) << "the class is still there";
    other.CloseEditorWindow();
    surface->CloseEditorWindow();
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
}

TEST_F(Lifecycle, AClosedMessageClosesAndAFailedCreationCountsNothing)
{
    Open();
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(surface->HasWindow());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
    EXPECT_EQ(surface->OpenEditorWindow(reinterpret_cast<void*>(0x1234)), nullptr) << "no such parent";
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
}

TEST_F(Lifecycle, DeletingThePlugInWithAnOpenEditorFreesEverything)
{
    const LiveCounts empty = desktop.Counts();
    {
        SurfacePlug local;
        auto* editor = new IGraphicsWin(&local, 50, 50, 30);
        local.AttachEditor(editor);
        editor->OpenEditorWindow(host);
        editor->OpenEntryField(nullptr, TextStyle(), {}, "", nullptr);
        auto* control = new TestControl(&local, {0, 0, 0, 0, 10, 0, 10, 0}, kParamGain);
        editor->AppendControl(control);
        editor->PointerDown(1, 1, {});  // a gesture left open: the plug-in must not hear of it as it goes
    }
    EXPECT_EQ(desktop.Counts(), empty);
    EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
}

TEST_F(Lifecycle, ResizingSizesTheWindowWithOrWithoutItsControls)
{
    TestControl* kept = Add({10, 0, 10, 0, 20, 0, 20, 0});
    Open();
    Tick();
    EXPECT_TRUE(surface->SetEditorSize(300, 150, true));
    RECT r = RectOf(window);
    EXPECT_EQ(r.right - r.left, 300) << "the window always shows the whole editor, also in AAX";
    EXPECT_EQ(r.bottom - r.top, 150);
    EXPECT_EQ(surface->ControlAt(0), kept);
    EXPECT_EQ(surface->BackBuffer()->Width(), 300);
    EXPECT_EQ(plug->hostViewSizes, std::vector<std::string>{"300 x 150 1"});
    Tick();
    EXPECT_EQ(desktop.WindowImage(window).At(15, 15), 0xFFC80000u) << "repainted after the resize";
    EXPECT_EQ(RectOf(host).right - RectOf(host).left, 400) << "the host's window is the host's";

    surface->SetEditorSize(100, 50, false);
    r = RectOf(window);
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(surface->ControlCount(), 0);
    Tick();

    surface->CloseEditorWindow();
    EXPECT_FALSE(surface->SetEditorSize(120, 60, true)) << "no window";
    EXPECT_EQ(surface->Width(), 120);
}

class OtherFormat : public WindowFixture
{
protected:
    OtherFormat() : WindowFixture(2) {}
};

TEST_F(OtherFormat, ParentAndGrandparentGrowWhileTheyAreChildren)
{
    // host (top level) > frame (child) > view (child) > editor
    HWND frame = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, host, nullptr, nullptr,
                                 nullptr);
    HWND view = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 250, 150, frame, nullptr, nullptr,
                                nullptr);
    ASSERT_NE(surface->OpenEditorWindow(view), nullptr);
    surface->SetEditorSize(230, 110, true);
    EXPECT_EQ(RectOf(view).right - RectOf(view).left, 280);
    EXPECT_EQ(RectOf(frame).bottom - RectOf(frame).top, 210);
    EXPECT_EQ(RectOf(host).right - RectOf(host).left, 400);
}

}  // namespace
