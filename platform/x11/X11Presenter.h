#pragma once
// Shows the windowing layer's windows on a real X display, so that the
// editor's code runs unchanged in a window on a Linux desktop.
//
// Every visible top-level window of the layer (a host window, say) with a
// size gets an X window of the same size, made at the same screen place but
// asking for none (a window manager places it; the layer window follows,
// see below). It is named by SetTitle and of the class "Sonvarek"; it shows
// the window's pixels with its child windows composed over them as the
// layer composes them (Desktop::WindowImage). Only the areas that changed
// are sent (distant ones each alone); exposed areas are sent again from the
// layer's pixels. They are composed into an image of the window's size kept
// from frame to frame and go to the server through the X shared-memory
// extension where it takes the image's segment (a server on this machine),
// else by XPutImage. The X window follows the layer window's size and
// place and shows or hides with it; a child window that fills its
// top-level window keeps filling it when it changes size (the top-level
// window is resized to it, as a host's view follows its plug-in's window;
// sizes count from the presenter's opening). Moving the X window moves the
// layer window, so the layer's screen is the X screen.
//
// X input becomes the layer's hardware input (Desktop's input calls):
// pointer motion, the left, middle and right buttons (a second press within
// the layer's double-click time is a double click), wheel buttons 4 and 5
// as notches of WHEEL_DELTA, keys as virtual keys with shift, control and
// alt, typed text as WM_CHAR, leaving the X window as a move to nowhere
// (WM_MOUSELEAVE for tracking windows), and the X focus as the layer's
// focus (lost: nothing has it; regained: the window that had it). Hiding
// the cursor (ShowCursor) hides the X pointer over the presenter's windows;
// SetCursorPos moves it.
//
// While presenting, the layer runs on the real clock (MonotonicClock, going
// on from the layer's time) and asks the display's services: popup menus
// and dialogs in X windows of their own, the clipboard from the X selection
// (see X11Services.h). Headless remains the default: nothing of this is in
// the layer unless a presenter is open.
//
// A connection the server closes or loses ends nothing but the presenting
// (DisplayLost): the Xlib error handlers are the presenter's while it is
// open, and SIGPIPE is ignored then.
//
// At most one presenter is open at a time (a second Open fails). [UI
// thread, except Stop]

#include "platform/win32/Desktop.h"
#include "platform/win32/DesktopPresenter.h"

#include <functional>
#include <memory>
#include <string>

struct _XDisplay;
using XWindowId = unsigned long;

class X11Services;
class ModalHandler;

class X11Presenter : public DesktopPresenter
{
public:
    // Opens the display (null: $DISPLAY) and presents the desktop's windows:
    // the presenter, the real clock and the display's services are
    // installed on desktop. Null, with a one-line cause in error, when
    // DISPLAY is unset, the server cannot be reached or its screen has no
    // TrueColor visual. sharedMemory false sends pixels by XPutImage even
    // where the server offers the shared-memory extension (for tests).
    static std::unique_ptr<X11Presenter> Open(Desktop& desktop, const char* displayName, std::string& error,
                                              bool sharedMemory = true);
    // Puts the desktop back to headless (no presenter, the virtual clock,
    // the scripted services) and closes the display; the layer's windows
    // stay.
    ~X11Presenter() override;
    X11Presenter(const X11Presenter&) = delete;
    X11Presenter& operator=(const X11Presenter&) = delete;

    // Called, outside every nested loop, with the layer window whose X
    // window the user asked to close (WM_DELETE_WINDOW) or another client
    // destroyed (it is not made again); the owner closes what it shows
    // there. The window's menus and dialogs have ended by then (see
    // RunModal). Without a handler a close asks the loop to stop.
    void SetCloseHandler(std::function<void(HWND)> handler);
    // The title of the X windows (given to those made from now on).
    void SetTitle(const std::string& utf8);

    // Runs rounds until Stop is asked.
    void Run();
    // One round: takes the X events, pumps the layer's messages, sends what
    // changed to the server, then waits up to waitMs (-1: with no limit)
    // for X events, the next due timer or a stop; never waits after a stop.
    void RunOnce(int waitMs);
    // Asks Run, RunOnce's wait and every nested loop (menus, dialogs: they
    // end as cancelled) to end; it stays asked. Any thread; safe in a signal
    // handler.
    void Stop();
    bool StopRequested() const;
    // Whether the connection to the display was lost (the server went away
    // or closed it): a stop is asked then, and from then on nothing reaches
    // the display; the layer's windows and pixels stay.
    bool DisplayLost() const;
    // The display's name as opened.
    const std::string& DisplayName() const;

    // The X side, for the presenter's own windows and for tests.
    _XDisplay* XDisplay() const;
    // The X window that shows a top-level layer window; 0 when none does.
    XWindowId XWindowOf(HWND window) const;

    // Nested loop of a modal window serving owner's top-level window (null:
    // none): rounds until handler.Done() or a stop; meanwhile all input goes
    // to handler, the layer's messages are pumped and its windows kept
    // shown, and closes wait; the events after Done() are left to the loop
    // outside. A close of owner's window ends the loop at once, unanswered
    // (handler takes no more input), with every loop nested in it; so does
    // one already waiting as the loop starts. After the outermost one the
    // layer's buttons are brought in line with X's (a release that the modal
    // window took reaches the layer as the next input).
    void RunModal(ModalHandler& handler, HWND owner);
    // The X screen point of a layer screen point over window's top-level.
    POINT ToXScreen(HWND window, POINT screen) const;
    // The X window that shows window's top-level window; for no window the
    // first shown X window (0: none).
    XWindowId XWindowAbove(HWND window) const;

    // DesktopPresenter.
    void WindowCreated(HWND window) override;
    void WindowMoved(HWND window, const RECT& screenRect, bool visible) override;
    void WindowDestroyed(HWND window) override;
    void PixelsChanged(HWND window, const RECT& changed) override;

private:
    struct Impl;
    // Xlib's IO-error exit handler (data: the Impl, or null).
    static void OnConnectionLost(_XDisplay* display, void* impl);
    explicit X11Presenter(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl;
};
