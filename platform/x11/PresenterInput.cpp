// X events: input as the layer's hardware input, focus, exposure, places,
// closing; everything while a modal window is up goes to it.

#include "platform/win32/Rects.h"
#include "platform/x11/KeyMapping.h"
#include "platform/x11/PresenterState.h"

#include <X11/Xutil.h>

#include <algorithm>

namespace {

// Where the layer's pointer goes when it leaves every X window: outside
// every layer window.
constexpr LONG kNowhere = -0x40000000;

bool IsInput(int type)
{
    switch (type)
    {
    case KeyPress:
    case KeyRelease:
    case ButtonPress:
    case ButtonRelease:
    case MotionNotify:
    case EnterNotify:
    case LeaveNotify:
        return true;
    default:
        return false;
    }
}

struct ButtonOf
{
    unsigned xButton;
    MouseButton button;
    int key;
    unsigned mask;
};
constexpr ButtonOf kButtons[] = {
    {Button1, MouseButton::Left, VK_LBUTTON, Button1Mask},
    {Button2, MouseButton::Middle, VK_MBUTTON, Button2Mask},
    {Button3, MouseButton::Right, VK_RBUTTON, Button3Mask},
};

}  // namespace

void X11Presenter::Impl::ProcessEvents()
{
    // Events after an answered menu or dialog are the outer loop's: a key
    // or click that follows goes where it points.
    while (XPending(session.display) > 0 && (modals.empty() || !modals.back().handler->Done()))
    {
        XEvent event;
        XNextEvent(session.display, &event);
        Dispatch(event);
    }
}

void X11Presenter::Impl::Dispatch(XEvent& event)
{
    if (!modals.empty())
    {
        if (IsInput(event.type))
        {
            if (!modals.back().cancelled)
                modals.back().handler->Handle(event);
            return;
        }
        for (auto it = modals.rbegin(); it != modals.rend(); ++it)
            if (it->handler->Owns(event.xany.window))
            {
                it->handler->Handle(event);
                return;
            }
    }
    ShownWindow* s = FindX(event.xany.window);
    if (!s)
        return;
    switch (event.type)
    {
    case Expose:
    {
        const XExposeEvent& e = event.xexpose;
        s->dirty.Add({e.x, e.y, e.x + e.width, e.y + e.height});
        break;
    }
    case ConfigureNotify:
        SyncPlace(*s);
        break;
    case MapNotify:
        MarkAll(*s);
        break;
    case ClientMessage:
        if (event.xclient.message_type == session.wmProtocols &&
            static_cast<Atom>(event.xclient.data.l[0]) == session.wmDeleteWindow)
            Close(s->hwnd);
        break;
    case DestroyNotify:
        // Ours are forgotten before they go: another client destroyed it.
        s->xwindow = 0;
        s->mapped = false;
        s->image.reset();
        s->destroyedOutside = true;
        Close(s->hwnd);
        break;
    case FocusIn:
    case FocusOut:
        DeliverFocus(*s, event.xfocus);
        break;
    default:
        if (IsInput(event.type))
            DeliverInput(s->hwnd, event);
        break;
    }
}

void X11Presenter::Impl::DeliverInput(HWND hwnd, XEvent& event)
{
    // Input may run nested loops (a menu opened on a press) that change the
    // shown windows: only the handle is kept.
    ResyncButtons();
    RECT r;
    if (!GetWindowRect(hwnd, &r))
        return;
    const auto at = [&r](int x, int y) { return POINT{r.left + x, r.top + y}; };
    // The pointer is over this window: it is above the layer's other
    // top-level windows there, as it is on the X screen.
    const auto raise = [&](POINT p) {
        const HWND under = desktop.WindowAt(p.x, p.y);
        if (under && GetAncestor(under, GA_ROOT) != hwnd)
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    };
    switch (event.type)
    {
    case MotionNotify:
    {
        // Only the last of a run of motions counts.
        XEvent next;
        while (XEventsQueued(session.display, QueuedAlready) > 0)
        {
            XPeekEvent(session.display, &next);
            if (next.type != MotionNotify || next.xmotion.window != event.xmotion.window)
                break;
            XNextEvent(session.display, &event);
        }
        const POINT p = at(event.xmotion.x, event.xmotion.y);
        raise(p);
        desktop.MouseMove(p.x, p.y, ModifiersOfState(event.xmotion.state));
        break;
    }
    case ButtonPress:
    case ButtonRelease:
    {
        const XButtonEvent& b = event.xbutton;
        const POINT p = at(b.x, b.y);
        const unsigned modifiers = ModifiersOfState(b.state);
        if (b.button == Button4 || b.button == Button5)
        {
            if (event.type == ButtonPress)
                desktop.Wheel(p.x, p.y, b.button == Button4 ? WHEEL_DELTA : -WHEEL_DELTA, modifiers);
            break;
        }
        const ButtonOf* which = nullptr;
        for (const ButtonOf& each : kButtons)
            if (each.xButton == b.button)
                which = &each;
        // A release the layer has had already (ResyncButtons) is not sent
        // again.
        if (!which || (event.type == ButtonRelease && GetAsyncKeyState(which->key) >= 0))
            break;
        raise(p);
        if (event.type == ButtonPress)
            desktop.ButtonDown(which->button, p.x, p.y, modifiers);
        else
            desktop.ButtonUp(which->button, p.x, p.y, modifiers);
        break;
    }
    case EnterNotify:
    {
        const XCrossingEvent& c = event.xcrossing;
        if (c.detail != NotifyInferior && (c.mode == NotifyNormal || c.mode == NotifyUngrab))
        {
            const POINT p = at(c.x, c.y);
            raise(p);
            desktop.MouseMove(p.x, p.y, ModifiersOfState(c.state));
        }
        break;
    }
    case LeaveNotify:
    {
        // While a button is held the window keeps the pointer's motion;
        // so does a window that has the capture.
        const XCrossingEvent& c = event.xcrossing;
        const bool held = (c.state & (Button1Mask | Button2Mask | Button3Mask)) != 0;
        if (c.detail != NotifyInferior && c.mode != NotifyGrab && !held && !GetCapture())
            desktop.MouseMove(kNowhere, kNowhere, ModifiersOfState(c.state));
        break;
    }
    case KeyPress:
    case KeyRelease:
        DeliverKey(event.xkey, event.type == KeyPress);
        break;
    default:
        break;
    }
    GetCursorPos(&deliveredCursor);
}

void X11Presenter::Impl::DeliverKey(const XKeyEvent& key, bool press)
{
    XKeyEvent copy = key;
    char latin1[16];
    KeySym typed = NoSymbol;
    const int length = XLookupString(&copy, latin1, sizeof latin1, &typed, nullptr);
    const int virtualKey = VirtualKeyOf(XLookupKeysym(&copy, 0), typed);
    const unsigned modifiers = ModifiersAfterKey(ModifiersOfState(key.state), virtualKey, press);
    if (!press)
    {
        if (virtualKey)
            desktop.KeyUp(virtualKey, modifiers);
        return;
    }
    if (virtualKey)
        desktop.KeyDown(virtualKey, modifiers);
    const std::string text = TypedText(typed, latin1, length, modifiers);
    if (!text.empty())
        desktop.Type(text);
}

void X11Presenter::Impl::DeliverFocus(ShownWindow& s, const XFocusChangeEvent& focus)
{
    if (focus.detail == NotifyInferior || focus.mode == NotifyGrab || focus.mode == NotifyUngrab)
        return;
    if (focus.type == FocusOut)
    {
        const HWND current = GetFocus();
        if (current && GetAncestor(current, GA_ROOT) == s.hwnd)
        {
            s.focusBeforeLeaving = current;
            SetFocus(nullptr);
        }
        return;
    }
    const HWND before = s.focusBeforeLeaving;
    s.focusBeforeLeaving = nullptr;
    if (before && !GetFocus() && IsWindow(before) && GetAncestor(before, GA_ROOT) == s.hwnd)
        SetFocus(before);
}

void X11Presenter::Impl::ResyncButtons()
{
    if (!resyncButtons)
        return;
    resyncButtons = false;
    Window rootReturn, childReturn;
    int rootX, rootY, x, y;
    unsigned mask = 0;
    if (!XQueryPointer(session.display, session.root, &rootReturn, &childReturn, &rootX, &rootY, &x, &y, &mask))
        return;
    // The layer's screen is the X screen (see SyncPlace).
    for (const ButtonOf& b : kButtons)
        if (GetAsyncKeyState(b.key) < 0 && !(mask & b.mask))
            desktop.ButtonUp(b.button, rootX, rootY, ModifiersOfState(mask));
    GetCursorPos(&deliveredCursor);
}

void X11Presenter::Impl::Close(HWND hwnd)
{
    if (modals.empty())
    {
        ReportClose(hwnd);
        return;
    }
    pendingCloses.push_back(hwnd);
    // The window's menus and dialogs end at once, unanswered, with the loops
    // nested in them (which unwind first); the close goes ahead after them.
    const auto first =
        std::find_if(modals.begin(), modals.end(), [hwnd](const ModalLevel& m) { return m.owner == hwnd; });
    for (auto it = first; it != modals.end(); ++it)
        it->cancelled = true;
}

void X11Presenter::Impl::DeliverCloses()
{
    for (const HWND hwnd : std::vector<HWND>(std::move(pendingCloses)))
        if (IsWindow(hwnd))
            ReportClose(hwnd);
    pendingCloses.clear();
}

void X11Presenter::Impl::ReportClose(HWND hwnd)
{
    if (closeHandler)
        closeHandler(hwnd);
    else
        stop.store(true);
}
