// Capture, focus, cursor, key state and mouse tracking.

#include "platform/win32/LayerState.h"

WPARAM KeyStateWord()
{
    const LayerState& s = Layer();
    WPARAM w = 0;
    if (s.keys[VK_LBUTTON])
        w |= MK_LBUTTON;
    if (s.keys[VK_RBUTTON])
        w |= MK_RBUTTON;
    if (s.keys[VK_MBUTTON])
        w |= MK_MBUTTON;
    if (s.keys[VK_SHIFT])
        w |= MK_SHIFT;
    if (s.keys[VK_CONTROL])
        w |= MK_CONTROL;
    return w;
}

HWND MouseTarget()
{
    const LayerState& s = Layer();
    return FindWindowObject(s.capture) ? s.capture : WindowAtPoint(s.cursor);
}

HWND SetCapture(HWND hwnd)
{
    if (!FindWindowObject(hwnd))
        return nullptr;
    LayerState& s = Layer();
    const HWND previous = s.capture;
    s.capture = hwnd;
    return previous;
}

BOOL ReleaseCapture()
{
    Layer().capture = nullptr;
    return TRUE;
}

HWND GetCapture() { return Layer().capture; }

HWND SetFocus(HWND hwnd)
{
    LayerState& s = Layer();
    WindowObject* target = FindWindowObject(hwnd);
    if (hwnd && (!target || target->destroying))
        return nullptr;
    const HWND previous = s.focus;
    if (previous == hwnd)
        return previous;
    if (WindowObject* old = FindWindowObject(previous))
        CallProcedure(old->proc, previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    // The old window's handler may have destroyed the new one.
    target = FindWindowObject(hwnd);
    s.focus = target ? hwnd : nullptr;
    if (target)
        CallProcedure(target->proc, hwnd, WM_SETFOCUS,
                      reinterpret_cast<WPARAM>(FindWindowObject(previous) ? previous : nullptr), 0);
    return previous;
}

HWND GetFocus() { return Layer().focus; }

BOOL GetCursorPos(POINT* point)
{
    if (!point)
        return FALSE;
    *point = Layer().cursor;
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    Layer().cursor = {x, y};
    return TRUE;
}

int ShowCursor(BOOL show) { return show ? ++Layer().cursorCount : --Layer().cursorCount; }

SHORT GetAsyncKeyState(int virtualKey)
{
    if (virtualKey < 0 || virtualKey > 255)
        return 0;
    return Layer().keys[virtualKey] ? static_cast<SHORT>(0x8000) : 0;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track)
{
    if (!track || track->cbSize != sizeof(TRACKMOUSEEVENT) || !FindWindowObject(track->hwndTrack))
        return FALSE;
    LayerState& s = Layer();
    const HWND h = track->hwndTrack;
    if (track->dwFlags & TME_CANCEL)
    {
        if ((track->dwFlags & TME_LEAVE) && s.leaveTracked == h)
            s.leaveTracked = nullptr;
        if ((track->dwFlags & TME_HOVER) && s.hoverTracked == h)
            s.hoverTracked = nullptr;
        return TRUE;
    }
    const bool over = MouseTarget() == h;
    if (track->dwFlags & TME_LEAVE)
    {
        if (over)
            s.leaveTracked = h;
        else
            PostMessageA(h, WM_MOUSELEAVE, 0, 0);
    }
    if ((track->dwFlags & TME_HOVER) && over)
    {
        s.hoverTracked = h;
        s.hoverStartMs = NowMs();
        s.hoverMs = (track->dwHoverTime == HOVER_DEFAULT || track->dwHoverTime == 0) ? 400 : track->dwHoverTime;
    }
    return TRUE;
}
