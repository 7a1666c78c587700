#include "support/XUser.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>
#include <vector>

bool PollUntil(const std::function<bool()>& done, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

XUser::XUser() : display(XOpenDisplay(nullptr)) {}

XUser::~XUser()
{
    if (display)
        XCloseDisplay(display);
}

void XUser::MoveTo(int x, int y)
{
    XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
    XSync(display, False);
}

void XUser::Press(unsigned button)
{
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    XSync(display, False);
}

void XUser::Release(unsigned button)
{
    XTestFakeButtonEvent(display, button, False, CurrentTime);
    XSync(display, False);
}

void XUser::Click(unsigned button, int x, int y)
{
    MoveTo(x, y);
    Press(button);
    Release(button);
}

void XUser::KeyDown(KeySym key)
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), True, CurrentTime);
    XSync(display, False);
}

void XUser::KeyUp(KeySym key)
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), False, CurrentTime);
    XSync(display, False);
}

void XUser::Tap(KeySym key, std::initializer_list<KeySym> held)
{
    for (KeySym h : held)
        KeyDown(h);
    KeyDown(key);
    KeyUp(key);
    for (auto it = std::rbegin(held); it != std::rend(held); ++it)
        KeyUp(*it);
}

void XUser::Type(const std::string& text)
{
    for (const char c : text)
    {
        // Printable ASCII keysyms are their codes.
        const KeySym key = static_cast<unsigned char>(c);
        const KeyCode code = XKeysymToKeycode(display, key);
        const bool shifted = XkbKeycodeToKeysym(display, code, 0, 0) != key;
        if (shifted)
            Tap(key, {XK_Shift_L});
        else
            Tap(key);
    }
}

Window XUser::WaitForWindow(const std::function<bool(Window)>& match, int timeoutMs)
{
    Window found = 0;
    PollUntil(
        [&] {
            Window root, parent, *children = nullptr;
            unsigned count = 0;
            if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
            {
                for (unsigned i = 0; i < count && !found; ++i)
                {
                    XWindowAttributes a;
                    if (XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable &&
                        match(children[i]))
                        found = children[i];
                }
                if (children)
                    XFree(children);
            }
            return found != 0;
        },
        timeoutMs);
    return found;
}

Window XUser::WaitForMenu(Window notThis, int timeoutMs)
{
    return WaitForWindow(
        [&](Window w) {
            XWindowAttributes a;
            return w != notThis && XGetWindowAttributes(display, w, &a) && a.override_redirect;
        },
        timeoutMs);
}

Window XUser::WaitForTitle(const std::string& title, int timeoutMs)
{
    return WaitForWindow(
        [&](Window w) {
            char* name = nullptr;
            const bool same = XFetchName(display, w, &name) && name && title == name;
            if (name)
                XFree(name);
            return same;
        },
        timeoutMs);
}

bool XUser::WaitForFocus(Window window, int timeoutMs)
{
    return PollUntil(
        [&] {
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(display, &focus, &revert);
            return focus == window;
        },
        timeoutMs);
}

bool XUser::WaitForGone(Window window, int timeoutMs)
{
    return PollUntil(
        [&] {
            XWindowAttributes a;
            return !XGetWindowAttributes(display, window, &a) || a.map_state != IsViewable;
        },
        timeoutMs);
}

void XUser::Geometry(Window window, int& x, int& y, int& width, int& height)
{
    Window root, child;
    int wx, wy;
    unsigned w = 0, h = 0, border, depth;
    XGetGeometry(display, window, &root, &wx, &wy, &w, &h, &border, &depth);
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    width = static_cast<int>(w);
    height = static_cast<int>(h);
}

void XUser::AskToClose(Window window)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &e);
    XSync(display, False);
}

std::string XUser::TextProperty(Window window, Atom property)
{
    XTextProperty p{};
    if (!XGetTextProperty(display, window, &p, property))
        return "(none)";
    char** list = nullptr;
    int count = 0;
    std::string text = "(none)";
    if (Xutf8TextPropertyToTextList(display, &p, &list, &count) == Success && count == 1)
        text = list[0];
    if (list)
        XFreeStringList(list);
    XFree(p.value);
    return text;
}

std::string XUser::WindowClass(Window window)
{
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint))
        return "(none)";
    const std::string text = std::string(hint.res_name) + "." + hint.res_class;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return text;
}

Window XUser::TransientFor(Window window)
{
    Window owner = 0;
    return XGetTransientForHint(display, window, &owner) ? owner : 0;
}

uint32_t XUser::Pixel(Window window, int x, int y)
{
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0xFFFFFFFF;
    const auto pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0) & 0xFFFFFF);
    XDestroyImage(image);
    return pixel;
}

bool XUser::CanGrab()
{
    const Window root = DefaultRootWindow(display);
    const bool pointer =
        XGrabPointer(display, root, False, 0, GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
    const bool keyboard = XGrabKeyboard(display, root, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
    XUngrabPointer(display, CurrentTime);
    XUngrabKeyboard(display, CurrentTime);
    XSync(display, False);
    return pointer && keyboard;
}
