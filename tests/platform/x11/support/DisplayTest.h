#pragma once
// The fixture of the presenter's tests: a desktop presented on the display
// of $DISPLAY (the test is skipped without one), the recording window
// class, and a user at the display.

// GoogleTest before Xlib, whose macros (None) it would not survive.
#include <gtest/gtest.h>

#include "platform/x11/X11Presenter.h"
#include "support/RecordingWindow.h"
#include "support/XUser.h"

#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <thread>

// Acts as the user, on a thread and X connection of its own, while a menu
// or dialog holds the presenter's loop on the test's thread. When act
// answers false (a window it waited for never showed) the presenter is
// stopped, so that the loop ends and the test fails rather than hangs.
class UserThread
{
public:
    UserThread(X11Presenter& presenter, std::function<bool(XUser&)> act);
    ~UserThread();
    // Waits for the thread; true when act answered true.
    bool Succeeded();

private:
    std::thread thread;
    bool succeeded = false;
};

struct DisplayTest : ::testing::Test
{
    // Given to X11Presenter::Open by SetUp.
    bool sharedMemory = true;
    Desktop desktop;
    RecordingWindows windows;
    std::unique_ptr<X11Presenter> presenter;
    std::unique_ptr<XUser> user;

    void SetUp() override;
    // Runs the presenter's rounds until done() holds; false after seconds.
    bool RunUntil(const std::function<bool()>& done, double seconds = 5);
    // A visible top-level recording window, once its X window is viewable
    // and every event of its showing is taken; its messages so far are
    // cleared from the log.
    HWND ShowHost(int x, int y, int width, int height);
    bool Viewable(HWND hwnd);
    // Takes every event the server has made so far (exposures of a new
    // window, say) and sends what they ask for.
    void Settle();
    // The messages of one kind that reached hwnd.
    std::vector<RecordedMessage> Of(HWND hwnd, UINT message) const;
    // Fills the window through a blit with a pattern that differs at every
    // pixel (seed picks one).
    void Paint(HWND hwnd, uint32_t seed);
    // Fills r of the window with one colour (0xAARRGGBB) through a blit.
    void Fill(HWND hwnd, const RECT& r, uint32_t colour);
    // The X window's pixels (0x00RRGGBB) against the layer's composed image
    // of hwnd: true when every pixel agrees.
    bool ShowsLayerImage(HWND hwnd);
    // The pixel of the X window at (x, y), 0x00RRGGBB.
    uint32_t XPixel(HWND hwnd, int x, int y);
};
