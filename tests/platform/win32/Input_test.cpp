// Mouse, keys, capture, focus, cursor and mouse tracking.

#include "support/RecordingWindow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;

struct InputTest : ::testing::Test
{
    Desktop desktop;
    RecordingWindows windows;
    HWND host = windows.Create(100, 100, 400, 300);
    HWND left = windows.Create(0, 0, 200, 300, host);
    HWND right = windows.Create(200, 0, 200, 300, host);

    InputTest()
    {
        desktop.Pump();
        windows.log.clear();
    }
    std::vector<RecordedMessage> Of(UINT message) const
    {
        std::vector<RecordedMessage> found;
        for (const RecordedMessage& m : windows.log)
            if (m.message == message)
                found.push_back(m);
        return found;
    }
};

TEST_F(InputTest, PressesGoToTheWindowUnderThePointerInClientCoordinatesWithKeyState)
{
    desktop.ButtonDown(MouseButton::Left, 310, 150, kShiftKey);
    const auto moves = Of(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u) << "the pointer moves there first";
    const auto downs = Of(WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].hwnd, right);
    EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(downs[0].lParam), 50);
    EXPECT_EQ(downs[0].wParam, MK_LBUTTON | MK_SHIFT);
    EXPECT_LT(GetAsyncKeyState(VK_LBUTTON), 0);
    EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);
    desktop.ButtonUp(MouseButton::Left, 310, 150);
    EXPECT_EQ(Of(WM_LBUTTONUP).at(0).wParam, 0u);
    EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
}

TEST_F(InputTest, CaptureTakesTheMouseWhereverItGoesUntilReleased)
{
    SetCapture(left);
    desktop.MouseMove(350, 120);
    const auto moves = Of(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].hwnd, left);
    EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), 250);
    EXPECT_EQ(SetCapture(right), left);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    desktop.MouseMove(20, 20);
    EXPECT_EQ(Of(WM_MOUSEMOVE).size(), 1u) << "outside every window nothing is told";
}

TEST_F(InputTest, ASecondPressInTimeIsADoubleClickOnlyForClassesThatAskForIt)
{
    desktop.DoubleClick(150, 150);
    EXPECT_THAT(windows.Messages(left),
                ElementsAre(WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP));
    windows.log.clear();
    desktop.Click(MouseButton::Left, 150, 150);
    EXPECT_EQ(Of(WM_LBUTTONDOWN).size(), 1u) << "a third press starts again";
    desktop.Advance(600);
    desktop.Click(MouseButton::Left, 150, 150);
    EXPECT_EQ(Of(WM_LBUTTONDOWN).size(), 2u) << "too late for a double click";

    const HWND edit =
        CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, left, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    WNDCLASSA plain{};
    plain.lpfnWndProc = RecordingWindows::Procedure;
    plain.lpszClassName = "Plain";
    RegisterClassA(&plain);
    const HWND single = CreateWindowExA(0, "Plain", "", WS_CHILD | WS_VISIBLE, 0, 100, 50, 50, left, nullptr,
                                        nullptr, nullptr);
    windows.log.clear();
    desktop.DoubleClick(110, 210);
    EXPECT_THAT(windows.Messages(single), ElementsAre(WM_MOUSEMOVE, WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                                      WM_LBUTTONDOWN, WM_LBUTTONUP));
}

TEST_F(InputTest, WheelGoesToTheFocusWithSignedNotchesAndScreenCoordinates)
{
    SetFocus(right);
    desktop.Wheel(150, 150, -2 * WHEEL_DELTA, kControlKey);
    const auto wheels = Of(WM_MOUSEWHEEL);
    ASSERT_EQ(wheels.size(), 2u) << "a child's default handling passes it on to the parent";
    EXPECT_EQ(wheels[0].hwnd, right);
    EXPECT_EQ(wheels[1].hwnd, host);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[0].wParam) / WHEEL_DELTA, -2);
    EXPECT_EQ(GET_KEYSTATE_WPARAM(wheels[0].wParam), MK_CONTROL);
    EXPECT_EQ(GET_X_LPARAM(wheels[0].lParam), 150);

    // Without a focus the window under the pointer gets it.
    windows.log.clear();
    SetFocus(nullptr);
    desktop.Wheel(150, 150, WHEEL_DELTA);
    ASSERT_EQ(Of(WM_MOUSEWHEEL).size(), 2u);
    EXPECT_EQ(Of(WM_MOUSEWHEEL)[0].hwnd, left);
    EXPECT_EQ(Of(WM_MOUSEWHEEL)[1].hwnd, host);
}

TEST_F(InputTest, FocusChangesTellBothWindowsAndKeysFollowTheFocus)
{
    EXPECT_EQ(SetFocus(left), nullptr);
    EXPECT_EQ(SetFocus(right), left);
    ASSERT_EQ(windows.log.size(), 3u);
    EXPECT_EQ(windows.log[1].message, WM_KILLFOCUS);
    EXPECT_EQ(windows.log[1].wParam, reinterpret_cast<WPARAM>(right));
    EXPECT_EQ(windows.log[2].message, WM_SETFOCUS);
    EXPECT_EQ(windows.log[2].wParam, reinterpret_cast<WPARAM>(left));
    windows.log.clear();
    EXPECT_EQ(SetFocus(right), right);
    EXPECT_TRUE(windows.log.empty()) << "the same window again changes nothing";

    desktop.PressKey('A', kAltKey);
    desktop.Type("x\xC3\xA9");
    EXPECT_THAT(windows.Messages(right), ElementsAre(WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_CHAR));
    EXPECT_EQ(windows.log[0].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(windows.log[3].wParam, 0xE9u);
    EXPECT_LT(GetAsyncKeyState(VK_MENU), 0);

    SetFocus(nullptr);
    windows.log.clear();
    desktop.PressKey(VK_RETURN);
    EXPECT_TRUE(windows.log.empty()) << "without a focus keys go nowhere";
}

TEST_F(InputTest, LeaveAndHoverTrackingFireOnce)
{
    desktop.MouseMove(150, 150);
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE | TME_HOVER, left, 100};
    EXPECT_TRUE(TrackMouseEvent(&track));
    desktop.RunFor(99);
    EXPECT_TRUE(Of(WM_MOUSEHOVER).empty());
    desktop.MouseMove(151, 150);
    desktop.RunFor(99);
    EXPECT_TRUE(Of(WM_MOUSEHOVER).empty()) << "moving restarts the wait";
    desktop.RunFor(1);
    ASSERT_EQ(Of(WM_MOUSEHOVER).size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(Of(WM_MOUSEHOVER)[0].lParam), 51);
    desktop.RunFor(500);
    EXPECT_EQ(Of(WM_MOUSEHOVER).size(), 1u);

    desktop.MouseMove(250, 150);
    desktop.MouseMove(50, 50);
    EXPECT_EQ(Of(WM_MOUSELEAVE).size(), 1u);
    EXPECT_EQ(Of(WM_MOUSELEAVE)[0].hwnd, left);

    track.hwndTrack = right;
    track.dwFlags = TME_LEAVE;
    TrackMouseEvent(&track);
    desktop.Pump();
    EXPECT_EQ(Of(WM_MOUSELEAVE).size(), 2u) << "tracking a window the mouse is not over leaves at once";
    track.cbSize = 3;
    EXPECT_FALSE(TrackMouseEvent(&track));
}

}  // namespace
