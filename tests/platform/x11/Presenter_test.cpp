// The layer's windows on the X display: their places, sizes and pixels,
// exposure, closing, the real clock, and opening without a display.

#include "support/DisplayTest.h"

#include "platform/win32/Win32.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <string>

namespace {

struct PresenterTest : DisplayTest
{
    bool HasXGeometry(HWND hwnd, int x, int y, int width, int height)
    {
        int gx, gy, gw, gh;
        const Window w = presenter->XWindowOf(hwnd);
        if (!w)
            return false;
        XSync(presenter->XDisplay(), False);
        user->Geometry(w, gx, gy, gw, gh);
        return gx == x && gy == y && gw == width && gh == height;
    }
};

TEST_F(PresenterTest, ATopLevelWindowAppearsInItsPlaceAndSizeShowingItselfAndItsChildren)
{
    const HWND host = windows.Create(100, 80, 240, 160);
    const HWND child = windows.Create(20, 30, 100, 50, host);
    Paint(host, 1);
    Paint(child, 2);
    ASSERT_TRUE(RunUntil([&] { return Viewable(host) && ShowsLayerImage(host); }));
    EXPECT_TRUE(HasXGeometry(host, 100, 80, 240, 160));
    EXPECT_EQ(presenter->XWindowOf(child), 0u) << "a child is composed into its top-level window";
    EXPECT_EQ(XPixel(host, 20, 30), desktop.WindowImage(child).At(0, 0) & 0xFFFFFF);

    const HWND hidden = CreateWindowExA(0, "Recording", "", 0, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    const HWND empty = windows.Create(10, 10, 0, 0);
    presenter->RunOnce(0);
    EXPECT_EQ(presenter->XWindowOf(hidden), 0u);
    EXPECT_EQ(presenter->XWindowOf(empty), 0u) << "an X window needs a size";
}

TEST_F(PresenterTest, OnlyChangedAreasAreSentAndExposedAreasAreSentAgain)
{
    const HWND host = windows.Create(50, 50, 200, 120);
    Paint(host, 3);
    ASSERT_TRUE(RunUntil([&] { return Viewable(host) && ShowsLayerImage(host); }));
    Settle();

    // Someone else paints the X window black: no exposure follows.
    Display* other = user->display;
    const Window xwindow = presenter->XWindowOf(host);
    const GC gc = XCreateGC(other, xwindow, 0, nullptr);
    XSetForeground(other, gc, 0);
    XFillRectangle(other, xwindow, gc, 0, 0, 200, 120);
    XSync(other, False);

    // A blit into a small area of the window: only that area is sent. Two
    // distant areas in one round are sent each alone, not what lies between.
    Fill(host, {40, 20, 50, 30}, 0xFF12AB34u);
    ASSERT_TRUE(RunUntil([&] { return XPixel(host, 45, 25) == 0x12AB34u; }));
    EXPECT_EQ(XPixel(host, 39, 25), 0u);
    EXPECT_EQ(XPixel(host, 50, 25), 0u);
    EXPECT_EQ(XPixel(host, 150, 100), 0u);
    Fill(host, {10, 10, 20, 15}, 0xFF102030u);
    Fill(host, {170, 100, 190, 110}, 0xFF405060u);
    ASSERT_TRUE(RunUntil([&] { return XPixel(host, 15, 12) == 0x102030u && XPixel(host, 180, 105) == 0x405060u; }));
    EXPECT_EQ(XPixel(host, 100, 60), 0u);

    XClearArea(other, xwindow, 0, 0, 0, 0, True);
    XSync(other, False);
    EXPECT_TRUE(RunUntil([&] { return ShowsLayerImage(host); })) << "exposure repaints from the layer's pixels";
    XFreeGC(other, gc);
}

TEST_F(PresenterTest, TheXWindowFollowsSizePlaceAndVisibility)
{
    const HWND host = windows.Create(100, 100, 200, 100);
    const HWND editor = windows.Create(0, 0, 200, 100, host);
    const HWND corner = windows.Create(150, 60, 20, 20, host);
    ASSERT_TRUE(RunUntil([&] { return Viewable(host); }));

    SetWindowPos(host, nullptr, 120, 90, 300, 150, SWP_NOZORDER);
    EXPECT_TRUE(RunUntil([&] { return HasXGeometry(host, 120, 90, 300, 150); }));

    // The editor filled the host before: the host follows its size.
    SetWindowPos(host, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(editor, nullptr, 0, 0, 260, 130, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(RunUntil([&] { return HasXGeometry(host, 120, 90, 260, 130); }));
    RECT r;
    GetWindowRect(host, &r);
    EXPECT_EQ(r.right - r.left, 260);
    Paint(editor, 4);
    EXPECT_TRUE(RunUntil([&] { return ShowsLayerImage(host); }));

    // A child that does not fill it leaves the host's size alone.
    SetWindowPos(corner, nullptr, 0, 0, 40, 40, SWP_NOMOVE | SWP_NOZORDER);
    presenter->RunOnce(0);
    GetWindowRect(host, &r);
    EXPECT_EQ(r.right - r.left, 260);

    SetWindowPos(host, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
    EXPECT_TRUE(RunUntil([&] { return !Viewable(host); }));
    SetWindowPos(host, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    EXPECT_TRUE(RunUntil([&] { return Viewable(host) && ShowsLayerImage(host); }));

    const Window xwindow = presenter->XWindowOf(host);
    DestroyWindow(host);
    presenter->RunOnce(0);
    EXPECT_EQ(presenter->XWindowOf(host), 0u);
    XWindowAttributes a;
    XSync(user->display, False);
    EXPECT_FALSE(XGetWindowAttributes(user->display, xwindow, &a)) << "the X window is gone";
}

TEST_F(PresenterTest, MovingTheXWindowMovesTheLayerWindow)
{
    const HWND host = windows.Create(100, 100, 120, 80);
    ASSERT_TRUE(RunUntil([&] { return Viewable(host); }));
    XMoveWindow(user->display, presenter->XWindowOf(host), 400, 300);
    XSync(user->display, False);
    RECT r{};
    EXPECT_TRUE(RunUntil([&] { return GetWindowRect(host, &r) && r.left == 400 && r.top == 300; }));
    EXPECT_EQ(r.right - r.left, 120);
}

TEST_F(PresenterTest, TheWindowIsNamedInTextPropertiesAndPlacedByTheWindowManager)
{
    const std::string title = "Sonvarek: \xC3\x9C\xC3\xBC \xE2\x82\xAC \xE6\x97\xA5.wav";
    presenter->SetTitle(title);
    const HWND host = windows.Create(100, 100, 120, 80);
    ASSERT_TRUE(RunUntil([&] { return Viewable(host); }));
    const Window w = presenter->XWindowOf(host);
    EXPECT_EQ(user->TextProperty(w, XA_WM_NAME), title);
    EXPECT_EQ(user->TextProperty(w, XA_WM_ICON_NAME), title);
    EXPECT_EQ(user->WindowClass(w), "sonvarek.Sonvarek");
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(user->display, w, &hints, &supplied));
    EXPECT_EQ(hints.flags & (USPosition | PPosition), 0) << "no place of its own";
    EXPECT_EQ(hints.min_width, 120);

    presenter->SetTitle("bad \xFF byte");
    const HWND second = windows.Create(100, 100, 120, 80);
    ASSERT_TRUE(RunUntil([&] { return Viewable(second); }));
    EXPECT_EQ(user->TextProperty(presenter->XWindowOf(second), XA_WM_NAME), "bad \xEF\xBF\xBD byte");
}

TEST_F(PresenterTest, AskingToCloseReachesTheHandlerOrStopsTheLoop)
{
    const HWND host = windows.Create(100, 100, 120, 80);
    ASSERT_TRUE(RunUntil([&] { return Viewable(host); }));
    user->AskToClose(presenter->XWindowOf(host));
    EXPECT_TRUE(RunUntil([&] { return presenter->StopRequested(); })) << "without a handler the loop stops";

    presenter.reset();
    std::string error;
    presenter = X11Presenter::Open(desktop, nullptr, error);
    ASSERT_TRUE(presenter) << error;
    std::vector<HWND> closed;
    presenter->SetCloseHandler([&](HWND hwnd) {
        closed.push_back(hwnd);
        DestroyWindow(hwnd);
    });
    ASSERT_TRUE(RunUntil([&] { return Viewable(host); }));
    user->AskToClose(presenter->XWindowOf(host));
    ASSERT_TRUE(RunUntil([&] { return !closed.empty(); }));
    EXPECT_EQ(closed, std::vector<HWND>{host});
    EXPECT_FALSE(presenter->StopRequested());
    EXPECT_FALSE(IsWindow(host));
}

TEST_F(PresenterTest, TimersRunOnTheRealClockAndRunReturnsWhenStopped)
{
    const HWND host = windows.Create(0, 0, 50, 50);
    const DWORD start = GetTickCount();
    SetTimer(host, 2, 33, nullptr);
    int ticks = 0;
    windows.handler = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_TIMER && ++ticks == 3)
            presenter->Stop();
        return std::nullopt;
    };
    presenter->Run();
    EXPECT_EQ(ticks, 3);
    EXPECT_GE(GetTickCount() - start, 99u) << "three periods of 33 ms passed on the real clock";
    EXPECT_TRUE(presenter->StopRequested());
}

TEST_F(PresenterTest, ClosingThePresenterLeavesAHeadlessDesktopWithItsTimers)
{
    const HWND host = windows.Create(0, 0, 50, 50);
    SetTimer(host, 5, 1000, nullptr);
    ASSERT_TRUE(RunUntil([&] { return presenter->XWindowOf(host) != 0; }));
    std::string error;
    EXPECT_FALSE(X11Presenter::Open(desktop, nullptr, error));
    EXPECT_EQ(error, "an X display presenter is open already");
    presenter.reset();
    const DWORD now = GetTickCount();
    desktop.Advance(5);
    EXPECT_EQ(GetTickCount(), now + 5) << "the virtual clock again, going on from the real time";
    desktop.RunFor(1000);
    EXPECT_EQ(Of(host, WM_TIMER).size(), 1u);
    const HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "One");
    EXPECT_EQ(TrackPopupMenu(menu, 0, 0, 0, 0, host, nullptr), 0);
    EXPECT_EQ(desktop.Services().menuLog.size(), 1u) << "the scripted services answer again";
    DestroyMenu(menu);
}

TEST(PresenterOpenTest, WithoutADisplayOpeningFailsWithAOneLineCause)
{
    Desktop desktop;
    const char* had = std::getenv("DISPLAY");
    const std::string saved = had ? had : "";
    unsetenv("DISPLAY");
    std::string error;
    EXPECT_FALSE(X11Presenter::Open(desktop, nullptr, error));
    EXPECT_EQ(error, "no X display: DISPLAY is not set");
    if (had)
        setenv("DISPLAY", saved.c_str(), 1);

    error.clear();
    EXPECT_FALSE(X11Presenter::Open(desktop, ":31999", error));
    EXPECT_EQ(error, "cannot open X display \":31999\"");
    desktop.Advance(7);
    EXPECT_EQ(GetTickCount(), 7u) << "nothing was installed";
}

}  // namespace
