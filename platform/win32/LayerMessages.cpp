// Sent and queued messages, paint and timer synthesis, timers.

#include "platform/win32/LayerState.h"

#include <algorithm>

namespace {

constexpr UINT kLeastTimerMs = 10;
constexpr UINT kMostTimerMs = 0x7FFFFFFF;

bool IsWithin(HWND target, HWND ancestor)
{
    for (WindowObject* w = FindWindowObject(target); w; w = FindWindowObject(w->parent))
        if (w->parent == ancestor)
            return true;
    return false;
}

// A window filter takes the window's and its descendants' messages.
bool Passes(HWND target, UINT message, HWND filter, UINT first, UINT last)
{
    if (filter == reinterpret_cast<HWND>(-1))
    {
        if (target)
            return false;
    }
    else if (filter && target != filter && !IsWithin(target, filter))
        return false;
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

void Stamp(MSG& msg)
{
    msg.time = GetTickCount();
    msg.pt = Layer().cursor;
}

}  // namespace

void UpdateTimeEvents()
{
    LayerState& s = Layer();
    const uint64_t now = NowMs();
    for (LayerTimer& t : s.timers)
        if (now >= t.nextMs)
        {
            // However many periods passed, one message is pending.
            t.pending = true;
            t.nextMs += ((now - t.nextMs) / t.periodMs + 1) * t.periodMs;
        }
    if (s.hoverTracked && now - s.hoverStartMs >= s.hoverMs)
    {
        const HWND h = s.hoverTracked;
        s.hoverTracked = nullptr;
        POINT p = s.cursor;
        ScreenToClient(h, &p);
        PostMessageA(h, WM_MOUSEHOVER, KeyStateWord(), MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
    }
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowObject* w = FindWindowObject(hwnd);
    return w ? CallProcedure(w->proc, hwnd, message, wParam, lParam) : 0;
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hwnd && !FindWindowObject(hwnd))
        return FALSE;
    MSG msg = {hwnd, message, wParam, lParam, 0, {0, 0}};
    Stamp(msg);
    Layer().queue.push_back(msg);
    return TRUE;
}

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove)
{
    if (!msg)
        return FALSE;
    LayerState& s = Layer();
    UpdateTimeEvents();
    for (auto it = s.queue.begin(); it != s.queue.end();)
    {
        if (it->hwnd && !FindWindowObject(it->hwnd))
        {
            it = s.queue.erase(it);
            continue;
        }
        if (Passes(it->hwnd, it->message, hwnd, first, last))
        {
            *msg = *it;
            if (remove & PM_REMOVE)
                s.queue.erase(it);
            return TRUE;
        }
        ++it;
    }
    for (HWND h : s.windowOrder)
    {
        WindowObject* w = FindWindowObject(h);
        if (w && !w->update.Empty() && IsShown(h) && Passes(h, WM_PAINT, hwnd, first, last))
        {
            *msg = {h, WM_PAINT, 0, 0, 0, {0, 0}};
            Stamp(*msg);
            return TRUE;
        }
    }
    for (LayerTimer& t : s.timers)
        if (t.pending && Passes(t.window, WM_TIMER, hwnd, first, last))
        {
            *msg = {t.window, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc), 0, {0, 0}};
            Stamp(*msg);
            if (remove & PM_REMOVE)
                t.pending = false;
            return TRUE;
        }
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg)
{
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam)
    {
        // Only the procedure of a live timer is ever called.
        auto& timers = Layer().timers;
        const auto it = std::find_if(timers.begin(), timers.end(), [msg](const LayerTimer& t) {
            return t.window == msg->hwnd && t.id == msg->wParam && reinterpret_cast<LPARAM>(t.proc) == msg->lParam;
        });
        if (it == timers.end())
            return 0;
        const TIMERPROC proc = it->proc;
        const ProcedureScope scope;
        proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    if (!FindWindowObject(hwnd))
        return 0;
    LayerState& s = Layer();
    const UINT period = std::clamp(elapse, kLeastTimerMs, kMostTimerMs);
    auto it = std::find_if(s.timers.begin(), s.timers.end(),
                           [&](const LayerTimer& t) { return t.window == hwnd && t.id == id; });
    if (it == s.timers.end())
        it = s.timers.insert(s.timers.end(), LayerTimer{hwnd, id, period, 0, false, proc});
    it->periodMs = period;
    it->nextMs = NowMs() + period;
    it->pending = false;
    it->proc = proc;
    return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    auto& timers = Layer().timers;
    const auto it = std::find_if(timers.begin(), timers.end(),
                                 [&](const LayerTimer& t) { return t.window == hwnd && t.id == id; });
    if (!hwnd || it == timers.end())
        return FALSE;
    timers.erase(it);
    return TRUE;
}

DWORD GetTickCount() { return static_cast<DWORD>(NowMs()); }
