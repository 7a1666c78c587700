// The editor window's procedure: messages become the surface's calls.

#include "graphics/editor/IGraphicsWin.h"

#include "graphics/editor/WinKeyMap.h"

namespace {

IPointerMods ModsOf(WPARAM keyState)
{
    IPointerMods mods;
    mods.left = (keyState & MK_LBUTTON) != 0;
    mods.right = (keyState & MK_RBUTTON) != 0;
    mods.shift = (keyState & MK_SHIFT) != 0;
    mods.ctrl = (keyState & MK_CONTROL) != 0;
    mods.alt = GetAsyncKeyState(VK_MENU) < 0;
    return mods;
}

}  // namespace

LRESULT CALLBACK IGraphicsWin::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
    {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* self = static_cast<IGraphicsWin*>(create->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self)
            SetTimer(hwnd, kTimerId, TimerPeriodMs(self->frameRate), nullptr);
        SetFocus(hwnd);
        return 0;
    }
    auto* self = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self || self->window != hwnd)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (self->entryField && self->entryState == kEntryFocused)
    {
        // Typing: the editor neither redraws nor takes clicks; a click or
        // the wheel cancels. The release of the press that opened the field
        // still ends that press (capture, gesture), a close still closes
        // the editor (not just its window), and a window destroyed from
        // outside is still forgotten.
        if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MOUSEWHEEL)
        {
            self->entryState = kEntryCancel;
            return 0;
        }
        if (message != WM_LBUTTONUP && message != WM_RBUTTONUP && message != WM_MBUTTONUP && message != WM_CLOSE &&
            message != WM_DESTROY)
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT IGraphicsWin::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_TIMER:
        if (wParam == kTimerId)
            Tick();
        return 0;
    case WM_PAINT:
    {
        RECT r;
        if (GetUpdateRect(window, &r, FALSE))
            Draw(IBounds{r.left, r.top, r.right, r.bottom});
        return 0;
    }
    case WM_CLOSE:
        CloseEditorWindow();
        return 0;
    case WM_DESTROY:
        // Destroyed from outside (the host's view went first): forgotten at
        // once, so that nothing uses the dead handle and a reopen starts afresh.
        WindowDestroyed();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return 0;
    case WM_KEYDOWN:
        return KeyPressed(wParam, lParam);
    case WM_KEYUP:
        SendMessageA(GetAncestor(window, GA_ROOT), WM_KEYUP, wParam, lParam);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_CTLCOLOREDIT:
    {
        if (!entryControl)
            return 0;
        HDC dc = reinterpret_cast<HDC>(wParam);
        const TextStyle& style = entryControl->Style();
        const IArgb& bg = style.entryBackground;
        const IArgb& fg = style.entryForeground;
        SetBkColor(dc, RGB(static_cast<BYTE>(bg.R), static_cast<BYTE>(bg.G), static_cast<BYTE>(bg.B)));
        SetTextColor(dc, RGB(static_cast<BYTE>(fg.R), static_cast<BYTE>(fg.G), static_cast<BYTE>(fg.B)));
        SetBkMode(dc, OPAQUE);
        return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }
    case WM_MOUSEMOVE:
        MouseMoved(wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    // The window class asks for double-clicks (for the left button); a quick
    // second press of another button is still a press.
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        ButtonPressed(wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        ReleaseCapture();
        PointerUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), ModsOf(wParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        if (PointerDoubleClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), ModsOf(wParam)))
            SetCapture(window);
        return 0;
    case WM_MOUSEWHEEL:
        WheelTurned(wParam, lParam);
        return 0;
    case WM_MOUSEHOVER:
        ShowTooltip();
        return 0;
    case WM_MOUSELEAVE:
        HideTooltip();
        PointerLeftAll();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void IGraphicsWin::MouseMoved(WPARAM wParam, LPARAM lParam)
{
    const int32_t x = GET_X_LPARAM(lParam);
    const int32_t y = GET_Y_LPARAM(lParam);
    if (wParam & (MK_LBUTTON | MK_RBUTTON))
    {
        if (GetCapture() == window && !entryField)
            PointerDrag(x, y, ModsOf(wParam));
        return;
    }
    const int32_t previousHover = HoverControl();
    if (!PointerMove(x, y, ModsOf(wParam)))
        return;
    TRACKMOUSEEVENT track = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, HOVER_DEFAULT};
    if (tooltip && HoverControl() != previousHover)
    {
        track.dwFlags |= TME_HOVER;
        HideTooltip();
    }
    TrackMouseEvent(&track);
}

void IGraphicsWin::ButtonPressed(WPARAM wParam, LPARAM lParam)
{
    HideTooltip();
    if (entryField)
    {
        RequestCommit();
        return;
    }
    SetFocus(window);
    SetCapture(window);
    PointerDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), ModsOf(wParam));
}

void IGraphicsWin::WheelTurned(WPARAM wParam, LPARAM lParam)
{
    if (entryField)
    {
        CancelEntry();
        return;
    }
    // Fine-grained wheels send parts of a notch: they add up to whole ones.
    const int32_t delta = GET_WHEEL_DELTA_WPARAM(wParam);
    if ((delta > 0 && wheelRemainder < 0) || (delta < 0 && wheelRemainder > 0))
        wheelRemainder = 0;
    wheelRemainder += delta;
    const int32_t notches = wheelRemainder / WHEEL_DELTA;
    wheelRemainder -= notches * WHEEL_DELTA;
    if (notches == 0)
        return;
    RECT r;
    GetWindowRect(window, &r);
    const int32_t x = GET_X_LPARAM(lParam) - r.left;
    const int32_t y = GET_Y_LPARAM(lParam) - r.top;
    WheelTurn(x, y, ModsOf(GET_KEYSTATE_WPARAM(wParam)), notches);
}

LRESULT IGraphicsWin::KeyPressed(WPARAM wParam, LPARAM lParam)
{
    const int32_t key = SurfaceKeyOf(wParam);
    if (key >= 0)
    {
        POINT at;
        GetCursorPos(&at);
        ScreenToClient(window, &at);
        if (KeyDown(at.x, at.y, key))
            return 0;
    }
    SendMessageA(GetAncestor(window, GA_ROOT), WM_KEYDOWN, wParam, lParam);
    return DefWindowProcA(window, WM_KEYDOWN, wParam, lParam);
}
