#pragma once
// A person at the X display, on a connection of their own (so a thread
// other than the presenter's may act while a menu or dialog holds it): the
// pointer and the keys through XTest, and a look at the screen's windows.

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

// Polls every 10 ms until done() holds; false after timeoutMs.
bool PollUntil(const std::function<bool()>& done, int timeoutMs);

class XUser
{
public:
    XUser();
    ~XUser();
    XUser(const XUser&) = delete;
    XUser& operator=(const XUser&) = delete;

    Display* display = nullptr;

    // Each waits until the server has taken the input.
    void MoveTo(int x, int y);
    void Press(unsigned button);
    void Release(unsigned button);
    void Click(unsigned button, int x, int y);
    void KeyDown(KeySym key);
    void KeyUp(KeySym key);
    // The key pressed and released while the held keys are down.
    void Tap(KeySym key, std::initializer_list<KeySym> held = {});
    // Printable ASCII, shifted where the keyboard needs it.
    void Type(const std::string& text);

    // Polls every 10 ms for a viewable top-level window that match accepts;
    // 0 after timeoutMs.
    Window WaitForWindow(const std::function<bool(Window)>& match, int timeoutMs = 5000);
    // An override-redirect window (a menu) other than those in before.
    Window WaitForMenu(Window notThis = 0, int timeoutMs = 5000);
    Window WaitForTitle(const std::string& title, int timeoutMs = 5000);
    // Polls until window has the keyboard focus; false after timeoutMs.
    bool WaitForFocus(Window window, int timeoutMs = 5000);
    // Polls until window is gone or hidden; false after timeoutMs.
    bool WaitForGone(Window window, int timeoutMs = 5000);
    // The window's rectangle on the screen.
    void Geometry(Window window, int& x, int& y, int& width, int& height);
    // A text property (WM_NAME, say) as UTF-8; "(none)" when it is missing
    // or cannot be read.
    std::string TextProperty(Window window, Atom property);
    // WM_CLASS as "name.class"; WM_TRANSIENT_FOR (0: none).
    std::string WindowClass(Window window);
    Window TransientFor(Window window);
    // Sends WM_DELETE_WINDOW as a window manager does.
    void AskToClose(Window window);
    // The window's pixel at (x, y) as 0xRRGGBB; 0xFFFFFFFF when unreadable.
    uint32_t Pixel(Window window, int x, int y);
    // Whether this connection can grab the pointer and the keyboard (no
    // other client holds them); it lets them go at once.
    bool CanGrab();
};
