// Top-level layer windows as X windows: making, placing, sizing, mapping,
// sending changed pixels, the pointer's visibility and place.

#include "platform/win32/Rects.h"
#include "platform/x11/PresenterState.h"

#include <X11/Xutil.h>

#include <algorithm>

namespace {

constexpr long kShownEvents = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                              PointerMotionMask | EnterWindowMask | LeaveWindowMask | FocusChangeMask |
                              StructureNotifyMask;

BOOL CollectTopLevel(HWND hwnd, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

bool IsTopLevel(HWND hwnd) { return IsWindow(hwnd) && !GetAncestor(hwnd, GA_PARENT); }

}  // namespace

ShownWindow* X11Presenter::Impl::Find(HWND hwnd)
{
    for (ShownWindow& s : shown)
        if (s.hwnd == hwnd)
            return &s;
    return nullptr;
}

ShownWindow* X11Presenter::Impl::FindX(Window xwindow)
{
    for (ShownWindow& s : shown)
        if (xwindow && s.xwindow == xwindow)
            return &s;
    return nullptr;
}

void X11Presenter::Impl::MarkAll(ShownWindow& s)
{
    s.dirty.Clear();
    s.dirty.Add({0, 0, s.width, s.height});
}

void X11Presenter::Impl::Reconcile()
{
    // A child window that filled its top-level window before it changed
    // size: the top-level window takes its new size.
    for (const SizeChange& change : std::vector<SizeChange>(std::move(sizeChanges)))
    {
        const HWND parent = GetAncestor(change.window, GA_PARENT);
        RECT child, top;
        if (!parent || !IsTopLevel(parent) || !GetWindowRect(change.window, &child) || !GetWindowRect(parent, &top))
            continue;
        const bool filled = child.left == top.left && child.top == top.top &&
                            top.right - top.left == change.before.cx && top.bottom - top.top == change.before.cy;
        if (filled)
            SetWindowPos(parent, nullptr, 0, 0, child.right - child.left, child.bottom - child.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    sizeChanges.clear();
    // A child moved, sized, shown or hidden: its top-level window is sent
    // again whole.
    for (const HWND hwnd : std::vector<HWND>(std::move(moved)))
        if (IsWindow(hwnd) && !IsTopLevel(hwnd))
            if (ShownWindow* s = Find(GetAncestor(hwnd, GA_ROOT)))
                MarkAll(*s);
    moved.clear();
    if (!layoutChanged)
        return;
    layoutChanged = false;

    std::vector<HWND> tops;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&tops));
    for (auto it = shown.begin(); it != shown.end();)
        if (std::find(tops.begin(), tops.end(), it->hwnd) == tops.end())
        {
            if (it->xwindow)
                XDestroyWindow(session.display, it->xwindow);
            it = shown.erase(it);
        }
        else
            ++it;
    for (const HWND hwnd : tops)
    {
        RECT r;
        GetWindowRect(hwnd, &r);
        const int width = r.right - r.left, height = r.bottom - r.top;
        const bool wanted = (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE) && width > 0 && height > 0;
        ShownWindow* s = Find(hwnd);
        if (!s)
        {
            if (!wanted)
                continue;
            shown.push_back({});
            s = &shown.back();
            s->hwnd = hwnd;
        }
        if (!s->xwindow && wanted && !s->destroyedOutside)
            CreateXWindow(*s, r);
        if (!s->xwindow)
            continue;
        if (width > 0 && height > 0 && (width != s->width || height != s->height))
        {
            s->width = width;
            s->height = height;
            XResizeWindow(session.display, s->xwindow, static_cast<unsigned>(width), static_cast<unsigned>(height));
            session.SetFixedSize(s->xwindow, width, height);
            MarkAll(*s);
        }
        if (r.left != s->xPlace.x || r.top != s->xPlace.y)
        {
            XMoveWindow(session.display, s->xwindow, r.left, r.top);
            s->xPlace = {r.left, r.top};
        }
        if (wanted != s->mapped)
        {
            s->mapped = wanted;
            if (wanted)
            {
                XMapRaised(session.display, s->xwindow);
                MarkAll(*s);
            }
            else
                XUnmapWindow(session.display, s->xwindow);
        }
    }
}

void X11Presenter::Impl::CreateXWindow(ShownWindow& s, const RECT& r)
{
    s.width = r.right - r.left;
    s.height = r.bottom - r.top;
    s.xPlace = {r.left, r.top};
    s.xwindow = session.CreateWindow(r.left, r.top, s.width, s.height, kShownEvents, false);
    XSetWMProtocols(session.display, s.xwindow, &session.wmDeleteWindow, 1);
    // No place in the hints: the window manager places the window (a second
    // editor does not land on the first).
    session.SetFixedSize(s.xwindow, s.width, s.height);
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(session.display, s.xwindow, &hints);
    session.SetClass(s.xwindow);
    session.SetTitle(s.xwindow, title);
    if (cursorHidden)
        XDefineCursor(session.display, s.xwindow, invisibleCursor);
}

void X11Presenter::Impl::SyncPlace(ShownWindow& s)
{
    int x = 0, y = 0;
    Window child;
    if (!XTranslateCoordinates(session.display, s.xwindow, session.root, 0, 0, &x, &y, &child))
        return;
    s.xPlace = {x, y};
    RECT r;
    if (GetWindowRect(s.hwnd, &r) && (r.left != x || r.top != y))
        SetWindowPos(s.hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void X11Presenter::Impl::FlushPixels()
{
    if (allDirty)
        for (ShownWindow& s : shown)
            MarkAll(s);
    allDirty = false;
    for (const auto& [hwnd, changed] : pixelChanges)
    {
        const HWND top = GetAncestor(hwnd, GA_ROOT);
        ShownWindow* s = Find(top);
        RECT inner, outer;
        if (!s || !GetWindowRect(hwnd, &inner) || !GetWindowRect(top, &outer))
            continue;
        const int dx = inner.left - outer.left, dy = inner.top - outer.top;
        const RECT there = {changed.left + dx, changed.top + dy, changed.right + dx, changed.bottom + dy};
        s->dirty.Add(IntersectRects(there, {0, 0, s->width, s->height}));
    }
    pixelChanges.clear();
    for (ShownWindow& s : shown)
    {
        if (!s.mapped || s.dirty.Empty() || lost.load())
        {
            s.dirty.Clear();
            continue;
        }
        if (!s.image || s.image->Width() != s.width || s.image->Height() != s.height)
        {
            s.image.reset();
            s.image = std::make_unique<FrameImage>(session, s.width, s.height);
        }
        FrameImage& image = *s.image;
        image.AwaitServer(lost);
        const DesktopPixels target = {image.Pixels(), image.Width(), image.Height(), image.Stride()};
        RECT sent[DirtyAreas::kMostAreas];
        size_t count = 0;
        for (const RECT& area : s.dirty.Areas())
            if (const RECT written = desktop.ComposeWindow(s.hwnd, area, target); !IsEmptyRect(written))
                sent[count++] = written;
        s.dirty.Clear();
        for (size_t i = 0; i < count; ++i)
            image.Send(s.xwindow, sent[i], i + 1 == count);
    }
}

void X11Presenter::Impl::ApplyCursor()
{
    const bool hidden = desktop.CursorDisplayCount() < 0;
    if (hidden != cursorHidden)
    {
        cursorHidden = hidden;
        for (const ShownWindow& s : shown)
            if (s.xwindow)
            {
                if (hidden)
                    XDefineCursor(session.display, s.xwindow, invisibleCursor);
                else
                    XUndefineCursor(session.display, s.xwindow);
            }
    }
    POINT p;
    if (!GetCursorPos(&p) || (p.x == deliveredCursor.x && p.y == deliveredCursor.y))
        return;
    deliveredCursor = p;
    // The program put the cursor there: the X pointer goes to the same
    // place of the X window under it.
    for (const ShownWindow& s : shown)
    {
        RECT r;
        if (s.mapped && GetWindowRect(s.hwnd, &r) && ContainsPoint(r, p.x, p.y))
        {
            XWarpPointer(session.display, None, s.xwindow, 0, 0, 0, 0, p.x - r.left, p.y - r.top);
            return;
        }
    }
}
