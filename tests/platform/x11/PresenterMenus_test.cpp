// Popup menus on the X display: where they open, choosing by click and by
// hover into submenus, cancelling, and what the layer sees around them.

#include "support/DisplayTest.h"

#include "platform/win32/Win32.h"
#include "platform/x11/PopupMenu.h"

#include <X11/keysym.h>

#include <atomic>

namespace {

struct PresenterMenusTest : DisplayTest
{
    HWND host = nullptr;
    HMENU menu = nullptr;
    // The items' kinds as the rows see them.
    std::vector<MenuItemView> view;

    void SetUp() override
    {
        DisplayTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        host = ShowHost(100, 100, 300, 200);
        const HMENU sub = CreatePopupMenu();
        AppendMenuA(sub, MF_STRING, 21, "Inner");
        AppendMenuA(sub, MF_STRING | MF_CHECKED, 22, "Checked");
        menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 11, "One");
        AppendMenuA(menu, MF_STRING, 12, "Two");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING | MF_GRAYED, 13, "Grey");
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub");
        view.resize(5);
        view[2].flags = MF_SEPARATOR;
        windows.log.clear();
    }
    void TearDown() override
    {
        if (menu)
            DestroyMenu(menu);
    }
};

// The middle of a row of the menu window w.
POINT RowCentre(XUser& user, Window w, const std::vector<MenuItemView>& items, size_t row)
{
    int x, y, width, height;
    user.Geometry(w, x, y, width, height);
    const RECT r = MenuRows(items, width)[row];
    return {x + (r.left + r.right) / 2, y + (r.top + r.bottom) / 2};
}

TEST_F(PresenterMenusTest, AMenuOpensAtItsPointAndAClickChoosesAnItem)
{
    int x = 0, y = 0, width = 0, height = 0;
    UserThread person(*presenter, [&](XUser& u) {
        const Window w = u.WaitForMenu();
        if (!w)
            return false;
        u.Geometry(w, x, y, width, height);
        const POINT two = RowCentre(u, w, view, 1);
        u.Click(Button1, two.x, two.y);
        return true;
    });
    EXPECT_EQ(TrackPopupMenu(menu, 0, 130, 150, 0, host, nullptr), TRUE);
    ASSERT_TRUE(person.Succeeded());
    EXPECT_EQ(x, 130);
    EXPECT_EQ(y, 150);
    EXPECT_EQ(height, MenuRows(view, width).back().bottom + kMenuBorder);
    desktop.Pump();
    const auto commands = Of(host, WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 12u);
}

TEST_F(PresenterMenusTest, HoveringOpensASubmenuBesideItsItem)
{
    UserThread person(*presenter, [&](XUser& u) {
        const Window w = u.WaitForMenu();
        if (!w)
            return false;
        const POINT sub = RowCentre(u, w, view, 4);
        u.MoveTo(sub.x, sub.y);
        const Window inner = u.WaitForMenu(w);
        if (!inner)
            return false;
        int x, y, width, height, innerX, innerY, innerWidth, innerHeight;
        u.Geometry(w, x, y, width, height);
        u.Geometry(inner, innerX, innerY, innerWidth, innerHeight);
        if (innerX != x + width - kMenuBorder)
            return false;
        const POINT checked = RowCentre(u, inner, std::vector<MenuItemView>(2), 1);
        u.Click(Button1, checked.x, checked.y);
        return true;
    });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 130, 150, 0, host, nullptr), 22);
    EXPECT_TRUE(person.Succeeded());
}

TEST_F(PresenterMenusTest, GreyedItemsStayOpenAndEscapeOrAClickOutsideCancels)
{
    UserThread escape(*presenter, [&](XUser& u) {
        const Window w = u.WaitForMenu();
        if (!w)
            return false;
        const POINT grey = RowCentre(u, w, view, 3);
        const POINT line = RowCentre(u, w, view, 2);
        u.Click(Button1, grey.x, grey.y);
        u.Click(Button1, line.x, line.y);
        u.Tap(XK_Escape);
        return true;
    });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 130, 150, 0, host, nullptr), 0);
    EXPECT_TRUE(escape.Succeeded());

    UserThread outside(*presenter, [&](XUser& u) {
        if (!u.WaitForMenu())
            return false;
        u.Click(Button1, 120, 120);
        return true;
    });
    EXPECT_EQ(TrackPopupMenu(menu, 0, 130, 150, 0, host, nullptr), 0);
    EXPECT_TRUE(outside.Succeeded());
    desktop.Pump();
    EXPECT_TRUE(Of(host, WM_COMMAND).empty());
    EXPECT_TRUE(Of(host, WM_LBUTTONDOWN).empty()) << "the click that cancels is the menu's";
}

TEST_F(PresenterMenusTest, TheKeysMoveOverSeparatorsAndGreyedItemsOpenAndCloseSubmenusAndChoose)
{
    // Down three times passes the separator and "Grey" to "Sub"; Right opens
    // it on its first item.
    UserThread downRight(*presenter, [&](XUser& u) {
        const Window w = u.WaitForMenu();
        if (!w)
            return false;
        for (int i = 0; i < 3; ++i)
            u.Tap(XK_Down);
        u.Tap(XK_Right);
        if (!u.WaitForMenu(w))
            return false;
        u.Tap(XK_Down);
        u.Tap(XK_Return);
        return true;
    });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 130, 150, 0, host, nullptr), 22);
    EXPECT_TRUE(downRight.Succeeded());

    // Up from the top goes round to "Sub"; Escape and Left each close one
    // level; Home and End jump.
    UserThread round(*presenter, [&](XUser& u) {
        const Window w = u.WaitForMenu();
        if (!w)
            return false;
        u.Tap(XK_Up);
        u.Tap(XK_Return);
        Window inner = u.WaitForMenu(w);
        if (!inner)
            return false;
        u.Tap(XK_Escape);
        if (!u.WaitForGone(inner))
            return false;
        u.Tap(XK_Right);
        inner = u.WaitForMenu(w);
        if (!inner)
            return false;
        u.Tap(XK_End);
        u.Tap(XK_Left);
        u.Tap(XK_Left);
        if (!u.WaitForGone(inner))
            return false;
        u.Tap(XK_Up);
        u.Tap(XK_Home);
        u.Tap(XK_Down);
        u.Tap(XK_Return);
        return true;
    });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 130, 150, 0, host, nullptr), 12);
    EXPECT_TRUE(round.Succeeded());
}

TEST_F(PresenterMenusTest, AMenuTallerThanTheScreenScrollsWithTheWheel)
{
    const HMENU tall = CreatePopupMenu();
    for (UINT_PTR id = 1; id <= 60; ++id)
        AppendMenuA(tall, MF_STRING, id, ("Preset " + std::to_string(id)).c_str());
    UserThread person(*presenter, [&](XUser& u) {
        const Window w = u.WaitForMenu();
        int x, y, width, height;
        if (!w)
            return false;
        u.Geometry(w, x, y, width, height);
        if (y != 0 || height != DisplayHeight(u.display, DefaultScreen(u.display)))
            return false;
        const POINT first = RowCentre(u, w, std::vector<MenuItemView>(60), 0);
        u.Click(Button5, first.x, first.y);
        u.Click(Button1, first.x, first.y);
        return true;
    });
    EXPECT_EQ(TrackPopupMenu(tall, TPM_RETURNCMD, 130, 150, 0, host, nullptr), 4) << "three rows further down";
    EXPECT_TRUE(person.Succeeded()) << "the menu fills the screen's height";

    UserThread keys(*presenter, [&](XUser& u) {
        const Window w = u.WaitForMenu();
        int x, y, width, height;
        if (!w)
            return false;
        u.Tap(XK_End);
        u.Geometry(w, x, y, width, height);
        u.Click(Button1, x + width / 2, y + height - kMenuBorder - kMenuItemHeight / 2);
        return true;
    });
    EXPECT_EQ(TrackPopupMenu(tall, TPM_RETURNCMD, 130, 150, 0, host, nullptr), 60) << "End scrolled to the last row";
    EXPECT_TRUE(keys.Succeeded());
    DestroyMenu(tall);
}

TEST_F(PresenterMenusTest, AStopEndsTheMenuAsCancelled)
{
    UserThread person(*presenter, [&](XUser& u) {
        if (!u.WaitForMenu())
            return false;
        presenter->Stop();
        return true;
    });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 130, 150, 0, host, nullptr), 0);
    EXPECT_TRUE(person.Succeeded());
}

TEST_F(PresenterMenusTest, TheReleaseOfAPressThatOpenedAMenuReachesTheLayerAfterIt)
{
    int chosen = -1;
    windows.handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == host && message == WM_LBUTTONDOWN)
        {
            SetCapture(host);
            chosen = TrackPopupMenu(menu, TPM_RETURNCMD, 130, 150, 0, host, nullptr);
        }
        if (hwnd == host && message == WM_LBUTTONUP)
            ReleaseCapture();
        return std::nullopt;
    };
    UserThread person(*presenter, [&](XUser& u) {
        u.MoveTo(120, 120);
        u.Press(Button1);
        if (!u.WaitForMenu())
            return false;
        u.Release(Button1);
        u.Tap(XK_Escape);
        return true;
    });
    ASSERT_TRUE(RunUntil([&] { return !Of(host, WM_LBUTTONUP).empty(); }));
    EXPECT_TRUE(person.Succeeded());
    EXPECT_EQ(chosen, 0);
    EXPECT_EQ(Of(host, WM_LBUTTONUP).size(), 1u);
    EXPECT_GE(GetAsyncKeyState(VK_LBUTTON), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    windows.log.clear();
    user->MoveTo(150, 150);
    ASSERT_TRUE(RunUntil([&] { return !Of(host, WM_MOUSEMOVE).empty(); }));
    EXPECT_EQ(Of(host, WM_MOUSEMOVE)[0].wParam & MK_LBUTTON, 0u) << "no drag goes on after the menu";
}

TEST_F(PresenterMenusTest, ClosingOrDestroyingTheOwnersWindowEndsItsMenuUnansweredThenCloses)
{
    std::vector<HWND> closed;
    presenter->SetCloseHandler([&](HWND hwnd) { closed.push_back(hwnd); });
    const Window xhost = presenter->XWindowOf(host);
    const std::function<void(XUser&)> ends[] = {[&](XUser& u) { u.AskToClose(xhost); },
                                                [&](XUser& u) { XDestroyWindow(u.display, xhost); }};
    for (const auto& end : ends)
    {
        UserThread person(*presenter, [&](XUser& u) {
            const Window w = u.WaitForMenu();
            end(u);
            return w && u.WaitForGone(w);
        });
        EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 130, 150, 0, host, nullptr), 0);
        EXPECT_TRUE(person.Succeeded()) << "the menu's window went";
        EXPECT_TRUE(closed.empty()) << "the close waits for the menu's loop to unwind";
        XSync(presenter->XDisplay(), False);
        EXPECT_TRUE(user->CanGrab()) << "the menu's grabs went with it";
        EXPECT_TRUE(RunUntil([&] { return closed == std::vector<HWND>{host}; }));
        closed.clear();
    }
}

// X errors on the presenter's connection, but for a frame it was putting as
// the window went: that races another client's destroy on any machine.
std::atomic<int> presenterErrors{0};
Display* presenterDisplay = nullptr;
constexpr unsigned char kPutImage = 72;  // the core protocol's request code
int CountError(Display* d, XErrorEvent* e)
{
    return presenterErrors += d == presenterDisplay && e->request_code != kPutImage, 0;
}

TEST_F(PresenterMenusTest, AMenuLevelAnotherClientDestroysDismissesTheMenuAndLetsGo)
{
    presenterDisplay = presenter->XDisplay();
    const auto previous = XSetErrorHandler(CountError);
    // The level destroyed once its first row is lit (1: "Sub" opened by the
    // keys), and whether Return follows, which would choose that row.
    for (const auto& [level, enter] : {std::pair{0, true}, {1, true}, {0, false}})
    {
        UserThread person(*presenter, [&](XUser& u) {
            const Window w = u.WaitForMenu();
            u.MoveTo(120, 120);  // where the keys go once the menu lets them
            level ? (u.Tap(XK_Up), u.Tap(XK_Right)) : u.Tap(XK_Down);
            const Window gone = level ? u.WaitForMenu(w) : w;
            if (!PollUntil([&] { return u.Pixel(gone, 5, 5) == 0x3366CC; }, 2000))
                return false;
            XDestroyWindow(u.display, gone);
            enter ? u.Tap(XK_Return) : void();
            return PollUntil([&] { return u.CanGrab(); }, 2000) && (u.Click(Button1, 120, 120), true);
        });
        EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 130, 150, 0, host, nullptr), 0) << level << enter;
        EXPECT_TRUE(person.Succeeded()) << "the menu's grabs went";
        EXPECT_TRUE(RunUntil([&] { return Of(host, WM_LBUTTONUP).size() == 1; })) << "the click reached the host";
        windows.log.clear();
    }
    XSync(presenter->XDisplay(), False);
    XSetErrorHandler(previous);
    EXPECT_EQ(presenterErrors, 0) << "nothing used the window gone";
}

}  // namespace
