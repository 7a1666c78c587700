// Windows and messages: creation and destruction order, queue order, paint
// synthesis, geometry and handle validation.

#include "support/RecordingWindow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using ::testing::ElementsAre;

struct WindowsTest : ::testing::Test
{
    Desktop desktop;
    RecordingWindows windows;
};

TEST_F(WindowsTest, CreationSendsCreateWithItsParameterBeforeAnsweringAndPaintsOnlyWhenPumped)
{
    int cookie = 7;
    LPVOID seen = nullptr;
    windows.handler = [&](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_CREATE)
            seen = reinterpret_cast<const CREATESTRUCTA*>(l)->lpCreateParams;
        return std::nullopt;
    };
    const HWND w = windows.Create(10, 20, 100, 50, nullptr, &cookie);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(seen, &cookie);
    EXPECT_EQ(windows.Messages(w), std::vector<UINT>{WM_CREATE});
    RECT update;
    EXPECT_TRUE(GetUpdateRect(w, &update, FALSE));
    EXPECT_EQ(update.right, 100);
    EXPECT_EQ(update.bottom, 50);

    desktop.Pump();
    EXPECT_THAT(windows.Messages(w), ElementsAre(WM_CREATE, WM_PAINT));
    EXPECT_FALSE(GetUpdateRect(w, nullptr, FALSE)) << "the default handling validates";
}

TEST_F(WindowsTest, CreateAnsweringMinusOneDestroysTheWindowAndFails)
{
    windows.handler = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_CREATE)
            return -1;
        return std::nullopt;
    };
    const LiveCounts before = desktop.Counts();
    EXPECT_EQ(windows.Create(0, 0, 10, 10), nullptr);
    EXPECT_THAT(windows.Messages(), ElementsAre(WM_CREATE, WM_DESTROY));
    EXPECT_EQ(desktop.Counts(), before);
}

TEST_F(WindowsTest, DestroyingTakesChildrenFocusCaptureTimersAndQueuedMessagesAlong)
{
    const HWND parent = windows.Create(0, 0, 200, 100);
    const HWND child = windows.Create(10, 10, 50, 20, parent);
    const HWND grandchild = windows.Create(1, 1, 5, 5, child);
    SetFocus(grandchild);
    SetCapture(child);
    SetTimer(child, 3, 50, nullptr);
    PostMessageA(grandchild, WM_USER, 0, 0);
    windows.log.clear();

    EXPECT_TRUE(DestroyWindow(parent));
    // Focus leaves first, then WM_DESTROY goes down the tree, parents first.
    ASSERT_EQ(windows.log.size(), 4u);
    EXPECT_EQ(windows.log[0].hwnd, grandchild);
    EXPECT_EQ(windows.log[0].message, WM_KILLFOCUS);
    EXPECT_EQ(windows.log[1].hwnd, parent);
    EXPECT_EQ(windows.log[2].hwnd, child);
    EXPECT_EQ(windows.log[3].hwnd, grandchild);
    for (HWND h : {parent, child, grandchild})
        EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(desktop.Timers().empty());
    windows.log.clear();
    desktop.RunFor(200);
    EXPECT_TRUE(windows.log.empty()) << "nothing reaches a destroyed window";
    EXPECT_EQ(desktop.Counts().windows, 0);
}

TEST_F(WindowsTest, DestroyingFromInsideItsOwnProcedureIsSafeAndLaterCallsFail)
{
    windows.handler = [](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_USER)
        {
            EXPECT_TRUE(DestroyWindow(h));
            EXPECT_FALSE(DestroyWindow(h));
            EXPECT_EQ(SetTimer(h, 1, 10, nullptr), 0u);
            EXPECT_EQ(SendMessageA(h, WM_USER + 1, 0, 0), 0);
            return 5;
        }
        return std::nullopt;
    };
    const HWND w = windows.Create(0, 0, 10, 10);
    EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 5);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), 0);
}

TEST_F(WindowsTest, QueuedMessagesComeFirstThenPaintThenTimers)
{
    const HWND w = windows.Create(0, 0, 10, 10);
    SetTimer(w, 1, 10, nullptr);
    desktop.Advance(10);
    PostMessageA(w, WM_USER, 1, 0);
    PostMessageA(w, WM_USER, 2, 0);
    windows.log.clear();
    desktop.Pump();
    ASSERT_THAT(windows.Messages(), ElementsAre(WM_USER, WM_USER, WM_PAINT, WM_TIMER));
    EXPECT_EQ(windows.log[0].wParam, 1u);
    EXPECT_EQ(windows.log[3].wParam, 1u);
}

TEST_F(WindowsTest, PeekFiltersByWindowAndRangeAndLeavesPaintUntilValidated)
{
    const HWND a = windows.Create(0, 0, 10, 10);
    const HWND b = windows.Create(20, 0, 10, 10);
    ValidateRect(a, nullptr);
    ValidateRect(b, nullptr);
    PostMessageA(a, WM_USER, 0, 0);
    PostMessageA(b, WM_COMMAND, 9, 0);
    PostMessageA(nullptr, WM_USER + 5, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_COMMAND);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
    EXPECT_FALSE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 5u);
    EXPECT_EQ(msg.hwnd, nullptr);

    InvalidateRect(b, nullptr, FALSE);
    for (int i = 0; i < 2; ++i)
    {
        ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
        EXPECT_EQ(msg.message, WM_PAINT) << "removal does not take a paint away";
    }
    ValidateRect(b, nullptr);
    EXPECT_FALSE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
}

TEST_F(WindowsTest, UpdateRegionKeepsAHoleThatWasValidatedAndUpdateWindowPaintsAtOnce)
{
    const HWND w = windows.Create(0, 0, 100, 100);
    ValidateRect(w, nullptr);
    RECT all = {0, 0, 100, 100}, hole = {40, 40, 60, 60};
    InvalidateRect(w, &all, FALSE);
    ValidateRect(w, &hole);
    RECT paint = {};
    windows.handler = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_PAINT)
            return std::nullopt;
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        paint = ps.rcPaint;
        // The hole is not part of the paint region: a fill of everything
        // leaves it alone.
        const HDC memory = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader = {40, 100, -100, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        std::fill_n(static_cast<uint32_t*>(bits), 100 * 100, 0xFF112233u);
        const HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(ps.hdc, 0, 0, 100, 100, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        EndPaint(h, &ps);
        return 0;
    };
    UpdateWindow(w);
    EXPECT_EQ(paint.left, 0);
    EXPECT_EQ(paint.right, 100);
    const DesktopImage image = desktop.WindowImage(w);
    EXPECT_EQ(image.At(10, 10), 0xFF112233u);
    EXPECT_EQ(image.At(50, 50), 0u);
    EXPECT_EQ(image.At(60, 60), 0xFF112233u);
    EXPECT_FALSE(GetUpdateRect(w, nullptr, FALSE));
}

TEST_F(WindowsTest, GeometryFollowsParentsAndResizingInvalidatesOnlyTheNewArea)
{
    const HWND parent = windows.Create(100, 50, 300, 200);
    const HWND child = windows.Create(10, 20, 40, 30, parent);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, 110);
    EXPECT_EQ(r.top, 70);
    POINT p = {115, 75};
    ScreenToClient(child, &p);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 5);
    ClientToScreen(parent, &p);
    EXPECT_EQ(p.x, 105);

    ValidateRect(child, nullptr);
    EXPECT_TRUE(SetWindowPos(child, nullptr, 0, 0, 60, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, 110);
    EXPECT_EQ(r.right - r.left, 60);
    GetUpdateRect(child, &r, FALSE);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.right, 60);
    GetClientRect(child, &r);
    EXPECT_EQ(r.right, 60);
    EXPECT_EQ(r.bottom, 30);

    EXPECT_EQ(GetParent(child), parent);
    EXPECT_EQ(GetAncestor(child, GA_ROOT), parent);
    EXPECT_EQ(GetAncestor(parent, GA_PARENT), nullptr);
    EXPECT_EQ(desktop.WindowAt(115, 75), child);
    EXPECT_EQ(desktop.WindowAt(105, 55), parent);
}

TEST_F(WindowsTest, LongsAndClassBookkeeping)
{
    const HWND w = windows.Create(0, 0, 10, 10);
    EXPECT_EQ(SetWindowLongPtrA(w, GWLP_USERDATA, 0xDEADF00B), 0);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), 0xDEADF00B);
    EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(SetWindowLongPtrA(w, GWLP_WNDPROC, 0), 0) << "a null procedure is refused";
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&RecordingWindows::Procedure));

    char name[8];
    EXPECT_EQ(GetClassNameA(w, name, sizeof name), 7);
    EXPECT_STREQ(name, "Recordi");
    EXPECT_FALSE(UnregisterClassA("recording", nullptr)) << "a window of the class lives";
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClassA("RECORDING", nullptr));
    EXPECT_EQ(windows.Create(0, 0, 1, 1), nullptr);
    EXPECT_FALSE(UnregisterClassA("EDIT", nullptr)) << "built-in classes stay";
}

TEST_F(WindowsTest, EnumWindowsSeesTopLevelWindowsTopFirstAndMayDestroyThem)
{
    const HWND a = windows.Create(0, 0, 10, 10);
    const HWND b = windows.Create(0, 0, 10, 10);
    windows.Create(0, 0, 5, 5, a);
    std::vector<HWND> seen;
    EnumWindows(
        [](HWND h, LPARAM l) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
            DestroyWindow(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&seen));
    EXPECT_THAT(seen, ElementsAre(b, a));
    DWORD process = 0;
    EXPECT_EQ(GetWindowThreadProcessId(a, &process), 0u);
    EXPECT_EQ(desktop.Counts().windows, 0);
}

TEST_F(WindowsTest, TheHostWindowLogsWhatReachesItFromItsChildren)
{
    const HWND host = desktop.CreateHostWindow(0, 0, 300, 200);
    const HWND child = windows.Create(0, 0, 100, 100, host);
    desktop.ClearHostMessages(host);
    windows.handler = [](HWND h, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_KEYDOWN)
            SendMessageA(GetAncestor(h, GA_ROOT), m, w, l);
        return std::nullopt;
    };
    SetFocus(child);
    desktop.PressKey(VK_F12);
    SetTimer(host, 2, 40, nullptr);
    desktop.RunFor(40);
    std::vector<UINT> seen;
    for (const LoggedMessage& m : desktop.HostMessages(host))
        seen.push_back(m.message);
    EXPECT_THAT(seen, ElementsAre(WM_KEYDOWN, WM_PAINT, WM_TIMER)) << "the key was queued before the paint";
    EXPECT_EQ(desktop.HostMessages(host)[0].wParam, static_cast<WPARAM>(VK_F12));

    desktop.Reset();
    EXPECT_FALSE(IsWindow(host));
    EXPECT_TRUE(desktop.HostMessages(host).empty());
    EXPECT_EQ(desktop.NowMs(), 0u);
    EXPECT_EQ(desktop.Counts(), LiveCounts{});
}

TEST_F(WindowsTest, NullStaleAndForeignHandlesFailWithoutHarm)
{
    const HWND w = windows.Create(0, 0, 10, 10);
    DestroyWindow(w);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HWND foreign = reinterpret_cast<HWND>(dc);
    for (HWND bad : {static_cast<HWND>(nullptr), w, foreign, reinterpret_cast<HWND>(0x1234)})
    {
        RECT r = {1, 2, 3, 4};
        POINT p = {5, 6};
        EXPECT_FALSE(IsWindow(bad));
        EXPECT_EQ(SendMessageA(bad, WM_USER, 0, 0), 0);
        EXPECT_TRUE(!bad || !PostMessageA(bad, WM_USER, 0, 0));
        EXPECT_FALSE(GetWindowRect(bad, &r));
        EXPECT_FALSE(ScreenToClient(bad, &p));
        EXPECT_TRUE(!bad || !InvalidateRect(bad, nullptr, FALSE)) << "null: every window";
        EXPECT_FALSE(SetWindowPos(bad, nullptr, 0, 0, 1, 1, 0));
        EXPECT_EQ(SetFocus(bad), nullptr);
        EXPECT_EQ(GetDC(bad), nullptr);
        EXPECT_EQ(CreateWindowExA(0, "Recording", "", WS_CHILD, 0, 0, 1, 1, bad, nullptr, nullptr, nullptr), nullptr);
    }
    DeleteDC(dc);
}

}  // namespace
