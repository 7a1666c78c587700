// X input as the layer's input: buttons, double clicks, the wheel, keys with
// modifiers and typed text, leaving, focus, and the cursor put by the
// program.

#include "support/DisplayTest.h"

#include "platform/win32/Win32.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

struct PresenterInputTest : DisplayTest
{
    HWND host = nullptr, child = nullptr;

    void SetUp() override
    {
        DisplayTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        host = ShowHost(100, 100, 300, 200);
        child = windows.Create(50, 40, 150, 100, host);
        Settle();
        windows.log.clear();
    }
    std::vector<UINT> MessagesOf(HWND hwnd, std::initializer_list<UINT> kinds) const
    {
        std::vector<UINT> found;
        for (const RecordedMessage& m : windows.log)
            if (m.hwnd == hwnd && std::find(kinds.begin(), kinds.end(), m.message) != kinds.end())
                found.push_back(m.message);
        return found;
    }
};

TEST_F(PresenterInputTest, ButtonsReachTheWindowUnderThePointerAtItsClientPoint)
{
    user->Click(Button1, 100 + 50 + 10, 100 + 40 + 20);
    ASSERT_TRUE(RunUntil([&] { return !Of(child, WM_LBUTTONUP).empty(); }));
    const auto downs = Of(child, WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(downs[0].lParam), 20);
    EXPECT_EQ(downs[0].wParam, MK_LBUTTON);
    EXPECT_EQ(Of(child, WM_LBUTTONUP)[0].wParam, 0u);

    user->KeyDown(XK_Shift_L);
    user->Click(Button3, 100 + 5, 100 + 6);
    user->KeyUp(XK_Shift_L);
    ASSERT_TRUE(RunUntil([&] { return !Of(host, WM_RBUTTONUP).empty(); }));
    const auto rights = Of(host, WM_RBUTTONDOWN);
    ASSERT_EQ(rights.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(rights[0].lParam), 5);
    EXPECT_EQ(rights[0].wParam, MK_RBUTTON | MK_SHIFT);

    user->Click(Button2, 100 + 60, 100 + 50);
    EXPECT_TRUE(RunUntil([&] { return !Of(child, WM_MBUTTONUP).empty(); }));
    EXPECT_EQ(Of(child, WM_MBUTTONDOWN).size(), 1u);
}

TEST_F(PresenterInputTest, ASecondClickInTimeIsADoubleClick)
{
    user->Click(Button1, 170, 170);
    user->Click(Button1, 170, 170);
    ASSERT_TRUE(RunUntil([&] { return Of(child, WM_LBUTTONUP).size() == 2; }));
    EXPECT_THAT(MessagesOf(child, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONUP}),
                ElementsAre(WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP));
}

TEST_F(PresenterInputTest, TheWheelTurnsInNotches)
{
    SetFocus(child);
    user->Click(Button4, 170, 170);
    user->Click(Button5, 170, 170);
    user->Click(Button5, 170, 170);
    ASSERT_TRUE(RunUntil([&] { return Of(child, WM_MOUSEWHEEL).size() == 3; }));
    const auto turns = Of(child, WM_MOUSEWHEEL);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(turns[0].wParam), WHEEL_DELTA);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(turns[1].wParam), -WHEEL_DELTA);
    EXPECT_EQ(GET_X_LPARAM(turns[0].lParam), 170) << "in screen coordinates";
    EXPECT_TRUE(Of(child, WM_LBUTTONDOWN).empty());
}

TEST_F(PresenterInputTest, KeysComeWithTheirModifiersAndTypedText)
{
    SetFocus(child);
    struct Seen
    {
        UINT message;
        WPARAM key;
        bool shift, control, alt;
    };
    std::vector<Seen> seen;
    windows.handler = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == child && (message == WM_KEYDOWN || message == WM_CHAR))
            seen.push_back({message, wParam, GetAsyncKeyState(VK_SHIFT) < 0, GetAsyncKeyState(VK_CONTROL) < 0,
                            GetAsyncKeyState(VK_MENU) < 0});
        return std::nullopt;
    };
    user->MoveTo(170, 170);
    user->Tap(XK_a, {XK_Shift_L});
    user->Tap(XK_z, {XK_Control_L});
    user->Tap(XK_x, {XK_Alt_L});
    user->Tap(XK_Left);
    user->Tap(XK_Return);
    user->Tap(XK_2, {XK_Shift_L});
    ASSERT_TRUE(RunUntil([&] { return Of(child, WM_KEYUP).size() >= 10; }));
    std::vector<std::tuple<UINT, WPARAM, bool, bool, bool>> got;
    for (const Seen& s : seen)
        if (s.key != VK_SHIFT && s.key != VK_CONTROL && s.key != VK_MENU)
            got.emplace_back(s.message, s.key, s.shift, s.control, s.alt);
    using T = std::tuple<UINT, WPARAM, bool, bool, bool>;
    EXPECT_THAT(got, ElementsAre(T{WM_KEYDOWN, 'A', true, false, false}, T{WM_CHAR, 'A', true, false, false},
                                 T{WM_KEYDOWN, 'Z', false, true, false}, T{WM_CHAR, 0x1A, false, true, false},
                                 T{WM_KEYDOWN, 'X', false, false, true}, T{WM_KEYDOWN, VK_LEFT, false, false, false},
                                 T{WM_KEYDOWN, VK_RETURN, false, false, false}, T{WM_CHAR, '\r', false, false, false},
                                 T{WM_KEYDOWN, '2', true, false, false}, T{WM_CHAR, '@', true, false, false}))
        << "alt and the arrows type nothing";
    EXPECT_GE(GetAsyncKeyState(VK_SHIFT), 0) << "the modifiers are let go";
}

TEST_F(PresenterInputTest, LeavingTheXWindowEndsMouseTracking)
{
    user->MoveTo(170, 170);
    ASSERT_TRUE(RunUntil([&] { return !Of(child, WM_MOUSEMOVE).empty(); }));
    TRACKMOUSEEVENT track = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, child, 0};
    ASSERT_TRUE(TrackMouseEvent(&track));
    user->MoveTo(20, 20);
    EXPECT_TRUE(RunUntil([&] { return !Of(child, WM_MOUSELEAVE).empty(); }));
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(desktop.WindowAt(p.x, p.y), nullptr) << "the layer's pointer is over none of its windows";
}

TEST_F(PresenterInputTest, TheXFocusIsTheLayersFocus)
{
    SetFocus(child);
    const Window away = XCreateSimpleWindow(user->display, DefaultRootWindow(user->display), 600, 600, 20, 20, 0, 0, 0);
    XMapWindow(user->display, away);
    XSync(user->display, False);
    XSetInputFocus(user->display, presenter->XWindowOf(host), RevertToPointerRoot, CurrentTime);
    XSync(user->display, False);
    Settle();
    windows.log.clear();

    XSetInputFocus(user->display, away, RevertToPointerRoot, CurrentTime);
    XSync(user->display, False);
    ASSERT_TRUE(RunUntil([&] { return GetFocus() == nullptr; }));
    EXPECT_EQ(Of(child, WM_KILLFOCUS).size(), 1u);
    XSetInputFocus(user->display, presenter->XWindowOf(host), RevertToPointerRoot, CurrentTime);
    XSync(user->display, False);
    EXPECT_TRUE(RunUntil([&] { return GetFocus() == child; })) << "the window that had it has it again";
    XDestroyWindow(user->display, away);
}

TEST_F(PresenterInputTest, TheProgramPutsThePointer)
{
    user->MoveTo(170, 170);
    ASSERT_TRUE(RunUntil([&] { return !Of(child, WM_MOUSEMOVE).empty(); }));
    SetCursorPos(100 + 30, 100 + 40);
    presenter->RunOnce(0);
    Window root, inner;
    int x = 0, y = 0, wx, wy;
    unsigned mask;
    XQueryPointer(user->display, DefaultRootWindow(user->display), &root, &inner, &x, &y, &wx, &wy, &mask);
    EXPECT_EQ(x, 130);
    EXPECT_EQ(y, 140);
    ASSERT_TRUE(RunUntil([&] { return Of(host, WM_MOUSEMOVE).size() == 1; }));
    EXPECT_EQ(GET_X_LPARAM(Of(host, WM_MOUSEMOVE)[0].lParam), 30) << "the move reaches the layer as any other";
}

}  // namespace
