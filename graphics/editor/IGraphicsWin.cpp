#include "graphics/editor/IGraphicsWin.h"

#include "framework/core/IPlugBase.h"
#include "graphics/editor/TruncToInt.h"
#include "graphics/raster/LICE_ReadPng.h"
#include "graphics/raster/LICE_SysBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <strings.h>

namespace {

constexpr const char* kWindowClass = "IPlugWndClass";

// Open editor windows; the class is registered while it is above 0.
int32_t openWindows = 0;

bool RegisterWindowClass(WNDPROC proc, HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    return RegisterClassA(&wc) != 0;
}

// The class goes when no window of it is open. A window destroyed from
// outside still exists while it hears of it, so its class cannot go then:
// the next opening or the editor's end takes it away.
void UnregisterIdleClass(HINSTANCE instance)
{
    if (openWindows == 0)
        UnregisterClassA(kWindowClass, instance);
}

// One window fewer.
void ReleaseWindowClass(HINSTANCE instance)
{
    if (openWindows > 0)
        --openWindows;
    UnregisterIdleClass(instance);
}

// Grows window by (dw, dh) while it is a child and not an MDI child.
void GrowChild(HWND window, int32_t dw, int32_t dh)
{
    if (!window || !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ||
        (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_MDICHILD))
        return;
    RECT r;
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The one tool of the editor window's tooltip: the whole window, showing text.
TOOLINFOA WindowTool(HWND window, char* text)
{
    TOOLINFOA tool = {};
    tool.cbSize = 44;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.lpszText = text;
    return tool;
}

}  // namespace

IGraphicsWin::IGraphicsWin(IPlugBase* plug, int32_t width, int32_t height, int32_t framesPerSecond)
    : IGraphics(plug, width, height, framesPerSecond), frameRate(FramesPerSecond())
{
}

IGraphicsWin::~IGraphicsWin()
{
    CloseWindow(false);
    UnregisterIdleClass(moduleInstance);
}

int32_t IGraphicsWin::OpenWindowCount() { return openWindows; }

UINT IGraphicsWin::TimerPeriodMs(double fps)
{
    return static_cast<UINT>(std::clamp(TruncToInt(1000.0 / fps), 1, INT32_MAX));
}

// ---- Opening and closing ----------------------------------------------------------

void* IGraphicsWin::OpenEditorWindow(void* parent)
{
    parentWindow = static_cast<HWND>(parent);
    int x = 0;
    int y = 0;
    int w = Width();
    int h = Height();
    RECT r = {};
    if (window && GetWindowRect(window, &r))
    {
        POINT at = {r.left, r.top};
        ScreenToClient(GetParent(window), &at);
        x = at.x;
        y = at.y;
        w = r.right - r.left;
        h = r.bottom - r.top;
    }
    CloseEditorWindow();
    if (openWindows == 0)
    {
        UnregisterIdleClass(moduleInstance);
        if (!RegisterWindowClass(WindowProc, moduleInstance))
            return nullptr;
    }
    ++openWindows;
    window = CreateWindowExA(0, kWindowClass, "IPlug", WS_CHILD | WS_VISIBLE, x, y, w, h, parentWindow, nullptr,
                             moduleInstance, this);
    if (!window)
    {
        ReleaseWindowClass(moduleInstance);
        return nullptr;
    }
    MarkAllControls(false);
    if (TooltipsEnabled())
        OpenTooltip();
    return window;
}

void IGraphicsWin::CloseEditorWindow() { CloseWindow(true); }

void IGraphicsWin::CloseWindow(bool endGesture)
{
    // Forgotten before it goes, so that its WM_DESTROY finds no editor.
    if (HWND closing = ForgetWindow(endGesture))
    {
        DestroyWindow(closing);
        ReleaseWindowClass(moduleInstance);
    }
}

void IGraphicsWin::WindowDestroyed()
{
    if (ForgetWindow(true))
        ReleaseWindowClass(moduleInstance);
}

HWND IGraphicsWin::ForgetWindow(bool endGesture)
{
    HWND forgotten = window;
    if (!forgotten)
        return nullptr;
    AbandonPointer(endGesture);
    RemoveEntryField();
    CloseTooltip();
    RestorePointer();
    window = nullptr;
    wheelRemainder = 0;
    return forgotten;
}

void IGraphicsWin::OpenTooltip()
{
    const INITCOMMONCONTROLSEX init = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    tooltip = CreateWindowExA(WS_EX_TOPMOST, "tooltips_class32", nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              0, 0, 0, 0, window, nullptr, moduleInstance, nullptr);
    char empty[1] = "";
    TOOLINFOA tool = WindowTool(window, empty);
    if (tooltip)
        SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!tooltip || !SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)))
    {
        if (tooltip)
            DestroyWindow(tooltip);
        tooltip = nullptr;
        IGraphics::SetTooltipsEnabled(false);
    }
}

void IGraphicsWin::CloseTooltip()
{
    HideTooltip();
    if (tooltip)
        DestroyWindow(tooltip);
    tooltip = nullptr;
    tooltipControl = -1;
}

void IGraphicsWin::SetTooltipsEnabled(bool on)
{
    IGraphics::SetTooltipsEnabled(on);
    if (!on)
        CloseTooltip();
    else if (window && !tooltip)
        OpenTooltip();
}

void IGraphicsWin::ShowTooltip()
{
    if (!tooltip)
        return;
    tooltipControl = HoverControl();
    const IControl* control = ControlAt(tooltipControl);
    StringBuf text(control ? control->Tooltip() : "");
    TOOLINFOA tool = WindowTool(window, const_cast<char*>(text.Get()));
    SendMessageA(tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tooltip, TTM_POPUP, 0, 0);
    tooltipShown = true;
}

void IGraphicsWin::HideTooltip()
{
    if (tooltip && tooltipShown)
        SendMessageA(tooltip, TTM_POP, 0, 0);
    tooltipShown = false;
}

// ---- Painting, size and timer --------------------------------------------------

bool IGraphicsWin::PaintWindow(const IBounds& area)
{
    PAINTSTRUCT paint = {};
    HDC dc = BeginPaint(window, &paint);
    if (!dc)
        return false;
    if (BackBuffer())
        BitBlt(dc, area.L, area.T, area.R - area.L, area.B - area.T, BackBuffer()->DeviceContext(), area.L, area.T,
               SRCCOPY);
    EndPaint(window, &paint);
    return true;
}

bool IGraphicsWin::SetEditorSize(int32_t newWidth, int32_t newHeight, bool keepControls)
{
    const int32_t dw = newWidth - Width();
    const int32_t dh = newHeight - Height();
    if (!keepControls)
        LetControlsGo();
    IGraphics::SetEditorSize(newWidth, newHeight, keepControls);
    if (!window)
        return false;
    RECT r;
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int32_t api = Plug() ? Plug()->GetPlugApi() : 0;
    if (api != 0 && api != 1 && api != 3 && api != 4)
    {
        HWND parent = GetParent(window);
        GrowChild(parent, dw, dh);
        if (parent)
            GrowChild(GetParent(parent), dw, dh);
    }
    const RECT all = {0, 0, Width(), Height()};
    return InvalidateRect(window, &all, FALSE) != FALSE;
}

void IGraphicsWin::ResetControls()
{
    LetControlsGo();
    IGraphics::ResetControls();
}

void IGraphicsWin::LetControlsGo()
{
    RemoveEntryField();
    // The tip shown may be that of a control that goes.
    HideTooltip();
    tooltipControl = -1;
}

void IGraphicsWin::SetFrameRate(double fps)
{
    if (!(fps > 0.0))
        return;
    frameRate = fps;
    if (window)
        SetTimer(window, kTimerId, TimerPeriodMs(fps), nullptr);
}

void IGraphicsWin::Tick()
{
    if (!entryField || entryState == kEntryIdle)
    {
        changedAreas.clear();
        CollectChangedAreas(changedAreas);
        // Each cluster of changes is painted on its own (what else waits to
        // be painted goes with the first); with none, whatever waits.
        size_t next = 0;
        do
        {
            // The idle refresh, or a paint, may have closed the window.
            if (!window)
                return;
            if (next < changedAreas.size())
            {
                const IBounds& area = changedAreas[next];
                const RECT r = {area.L, area.T, area.R, area.B};
                InvalidateRect(window, &r, FALSE);
            }
            if (entryField && entryControl)
            {
                // The field stays on top of what the tick redraws.
                const IBounds& e = entryControl->DrawArea();
                const RECT keep = {e.L, e.T, e.R, e.B};
                ValidateRect(window, &keep);
            }
            UpdateWindow(window);
        } while (++next < changedAreas.size());
        if (entryField && entryControl)
            entryState = kEntryShown;
    }
    else if (entryState == kEntryCancel)
    {
        RemoveEntryField();
    }
    else if (entryState == kEntryCommit)
    {
        CommitEntry();
    }
    else if (entryState == kEntryShown)
    {
        entryState = kEntryIdle;
    }
}

// ---- Pointer -----------------------------------------------------------------------

void IGraphicsWin::HidePointer()
{
    if (pointerHidden)
        return;
    GetCursorPos(&hiddenAt);
    ShowCursor(FALSE);
    pointerHidden = true;
}

void IGraphicsWin::RestorePointer()
{
    if (!pointerHidden)
        return;
    SetCursorPos(hiddenAt.x, hiddenAt.y);
    ShowCursor(TRUE);
    pointerHidden = false;
}

// ---- Images ------------------------------------------------------------------------

LICE_IBitmap* IGraphicsWin::LoadPngResource(int32_t id, const char* name)
{
    const char* dot = name ? std::strrchr(name, '.') : nullptr;
    if (!dot || strcasecmp(dot + 1, "png") != 0 || id < 0 || id > 0xFFFF)
        return nullptr;
    return LICE_ReadPngResource(moduleInstance, MAKEINTRESOURCEA(static_cast<WORD>(id)), nullptr);
}
