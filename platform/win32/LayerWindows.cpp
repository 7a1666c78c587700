// Window classes, windows, their geometry, longs and update regions.

#include "platform/win32/LayerState.h"
#include "platform/win32/Utf.h"

#include <algorithm>
#include <cstring>
#include <strings.h>
#include <unistd.h>

namespace {

constexpr int kMostWindowSize = 16384;

int ClampSize(int v) { return std::clamp(v, 0, kMostWindowSize); }

WindowClass* FindClass(LPCSTR name, size_t* index = nullptr)
{
    if (!name || IS_INTRESOURCE(name))
        return nullptr;
    auto& classes = Layer().classes;
    for (size_t i = 0; i < classes.size(); ++i)
        if (classes[i].registered && strcasecmp(classes[i].name.c_str(), name) == 0)
        {
            if (index)
                *index = i;
            return &classes[i];
        }
    return nullptr;
}

void ResizeStore(WindowObject& w, int width, int height)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    const int keepW = std::min(width, w.pixelWidth), keepH = std::min(height, w.pixelHeight);
    for (int y = 0; y < keepH; ++y)
        std::copy_n(w.pixels.begin() + static_cast<ptrdiff_t>(y) * w.pixelWidth, keepW,
                    pixels.begin() + static_cast<ptrdiff_t>(y) * width);
    w.pixels.swap(pixels);
    w.pixelWidth = width;
    w.pixelHeight = height;
}

std::vector<HWND>& SiblingsOf(const WindowObject& w)
{
    if (w.parent)
        if (WindowObject* p = FindWindowObject(w.parent))
            return p->children;
    return Layer().topLevel;
}

// The window, its descendants and the windows it owns, parents first.
void CollectTree(HWND h, std::vector<HWND>& out)
{
    WindowObject* w = FindWindowObject(h);
    if (!w)
        return;
    out.push_back(h);
    for (HWND child : std::vector<HWND>(w->children))
        CollectTree(child, out);
    for (HWND top : std::vector<HWND>(Layer().topLevel))
        if (WindowObject* t = FindWindowObject(top); t && t->owner == h)
            CollectTree(top, out);
}

void Forget(HWND h)
{
    LayerState& s = Layer();
    WindowObject* w = FindWindowObject(h);
    if (!w)
        return;
    s.timers.erase(std::remove_if(s.timers.begin(), s.timers.end(), [h](const LayerTimer& t) { return t.window == h; }),
                   s.timers.end());
    s.queue.erase(std::remove_if(s.queue.begin(), s.queue.end(), [h](const MSG& m) { return m.hwnd == h; }),
                  s.queue.end());
    if (s.leaveTracked == h)
        s.leaveTracked = nullptr;
    if (s.hoverTracked == h)
        s.hoverTracked = nullptr;
    if (s.lastPressWindow == h)
        s.lastPressWindow = nullptr;
    auto& siblings = SiblingsOf(*w);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), h), siblings.end());
    s.windowOrder.erase(std::remove(s.windowOrder.begin(), s.windowOrder.end(), h), s.windowOrder.end());
    --s.classes[w->classIndex].windows;
    s.hostLogs.erase(h);
    if (s.presenter)
        s.presenter->WindowDestroyed(h);
    RemoveObject(h);
}

bool InTree(HWND h, const std::vector<HWND>& tree) { return h && std::find(tree.begin(), tree.end(), h) != tree.end(); }

}  // namespace

WindowObject* FindWindowObject(HWND hwnd) { return Find<WindowObject>(hwnd); }

POINT ClientOriginOnScreen(const WindowObject& w)
{
    POINT p = {w.rect.left, w.rect.top};
    for (WindowObject* parent = FindWindowObject(w.parent); parent; parent = FindWindowObject(parent->parent))
    {
        p.x += parent->rect.left;
        p.y += parent->rect.top;
    }
    return p;
}

bool IsShown(HWND hwnd)
{
    for (WindowObject* w = FindWindowObject(hwnd); w; w = FindWindowObject(w->parent))
        if (!(w->style & WS_VISIBLE))
            return false;
    return FindWindowObject(hwnd) != nullptr;
}

HWND WindowAtPoint(POINT screen)
{
    const std::vector<HWND>* level = &Layer().topLevel;
    POINT origin = {0, 0};
    HWND found = nullptr;
    for (bool deeper = true; deeper;)
    {
        deeper = false;
        for (auto it = level->rbegin(); it != level->rend(); ++it)
        {
            WindowObject* w = FindWindowObject(*it);
            if (!w || !(w->style & WS_VISIBLE))
                continue;
            const LONG x = screen.x - origin.x, y = screen.y - origin.y;
            if (ContainsPoint(w->rect, x, y))
            {
                found = *it;
                origin = {origin.x + w->rect.left, origin.y + w->rect.top};
                level = &w->children;
                deeper = true;
                break;
            }
        }
    }
    return found;
}

void NotifyMoved(HWND hwnd)
{
    LayerState& s = Layer();
    WindowObject* w = FindWindowObject(hwnd);
    if (!w || !s.presenter)
        return;
    const POINT o = ClientOriginOnScreen(*w);
    s.presenter->WindowMoved(hwnd, {o.x, o.y, o.x + w->Width(), o.y + w->Height()}, IsShown(hwnd));
}

size_t RegisterBuiltInClass(const char* name, WNDPROC proc, UINT style)
{
    auto& classes = Layer().classes;
    size_t index = 0;
    if (FindClass(name, &index))
        return index;
    WindowClass c;
    c.name = name;
    c.proc = proc;
    c.style = style;
    c.builtIn = true;
    classes.push_back(c);
    return classes.size() - 1;
}

ATOM RegisterClassA(const WNDCLASSA* wndClass)
{
    if (!wndClass || !wndClass->lpfnWndProc || !wndClass->lpszClassName || IS_INTRESOURCE(wndClass->lpszClassName) ||
        !*wndClass->lpszClassName || FindClass(wndClass->lpszClassName))
        return 0;
    auto& classes = Layer().classes;
    WindowClass c;
    c.name = wndClass->lpszClassName;
    c.style = wndClass->style;
    c.proc = wndClass->lpfnWndProc;
    classes.push_back(c);
    return static_cast<ATOM>(0xC000 + classes.size() - 1);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE)
{
    WindowClass* c = FindClass(className);
    if (!c || c->builtIn || c->windows > 0)
        return FALSE;
    c->registered = false;
    return TRUE;
}

// Compared by value: a caller's static initialisation may run before ours.
HCURSOR LoadCursorA(HINSTANCE, LPCSTR name)
{
    return reinterpret_cast<uintptr_t>(name) == 32512 ? Layer().arrowCursor : nullptr;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    LayerState& s = Layer();
    size_t classIndex = 0;
    if (!FindClass(className, &classIndex))
        return nullptr;
    WindowObject* parentObject = FindWindowObject(parent);
    if ((parent || (style & WS_CHILD)) && (!parentObject || parentObject->destroying))
        return nullptr;
    auto window = std::make_unique<WindowObject>();
    WindowObject& w = *window;
    w.classIndex = classIndex;
    w.proc = s.classes[classIndex].proc;
    w.style = style;
    w.exStyle = exStyle;
    w.text = title ? title : "";
    w.instance = instance;
    w.thread = static_cast<DWORD>(gettid());
    w.rect = {x, y, x + ClampSize(width), y + ClampSize(height)};
    if (style & WS_CHILD)
    {
        w.parent = parent;
        w.id = reinterpret_cast<LONG_PTR>(menu);
    }
    else
        w.owner = parent;
    ResizeStore(w, w.Width(), w.Height());
    const HWND hwnd = ToHandle<HWND>(AddObject(std::move(window)));
    if (style & WS_CHILD)
        parentObject->children.push_back(hwnd);
    else
        s.topLevel.push_back(hwnd);
    s.windowOrder.push_back(hwnd);
    ++s.classes[classIndex].windows;
    if (s.presenter)
    {
        s.presenter->WindowCreated(hwnd);
        NotifyMoved(hwnd);
    }

    CREATESTRUCTA create{};
    create.lpCreateParams = param;
    create.hInstance = instance;
    create.hMenu = menu;
    create.hwndParent = parent;
    create.cx = ClampSize(width);
    create.cy = ClampSize(height);
    create.x = x;
    create.y = y;
    create.style = static_cast<LONG>(style);
    create.lpszName = title;
    create.lpszClass = className;
    create.dwExStyle = exStyle;
    const LRESULT created = CallProcedure(FindWindowObject(hwnd)->proc, hwnd, WM_CREATE, 0,
                                          reinterpret_cast<LPARAM>(&create));
    if (!FindWindowObject(hwnd))
        return nullptr;
    if (created == -1)
    {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (style & WS_VISIBLE)
        InvalidateRect(hwnd, nullptr, FALSE);
    return hwnd;
}

BOOL DestroyWindow(HWND hwnd)
{
    LayerState& s = Layer();
    WindowObject* w = FindWindowObject(hwnd);
    if (!w || w->destroying)
        return FALSE;
    std::vector<HWND> tree;
    CollectTree(hwnd, tree);
    for (HWND h : tree)
        FindWindowObject(h)->destroying = true;
    if (InTree(s.focus, tree))
    {
        const HWND focus = s.focus;
        if (WindowObject* f = FindWindowObject(focus))
            CallProcedure(f->proc, focus, WM_KILLFOCUS, 0, 0);
        if (InTree(s.focus, tree))
            s.focus = nullptr;
    }
    if (InTree(s.capture, tree))
        s.capture = nullptr;
    for (HWND h : tree)
        if (WindowObject* each = FindWindowObject(h))
            CallProcedure(each->proc, h, WM_DESTROY, 0, 0);
    if (InTree(s.focus, tree))
        s.focus = nullptr;
    if (InTree(s.capture, tree))
        s.capture = nullptr;
    for (auto it = tree.rbegin(); it != tree.rend(); ++it)
        Forget(*it);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return FindWindowObject(hwnd) ? TRUE : FALSE; }

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    switch (message)
    {
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT:
    {
        PAINTSTRUCT paint;
        if (BeginPaint(hwnd, &paint))
            EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        return TRUE;
    case WM_GETTEXT:
        return static_cast<LRESULT>(CopyUtf8(w->text, reinterpret_cast<char*>(lParam), wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_MOUSEWHEEL:
        return w->parent ? SendMessageA(w->parent, message, wParam, lParam) : 0;
    case WM_CTLCOLOREDIT:
    {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }
    default:
        return 0;
    }
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallProcedure(proc, hwnd, message, wParam, lParam);
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    switch (index)
    {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_ID:
        return w->id;
    case GWL_STYLE:
        return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(w->exStyle);
    case GWLP_USERDATA:
        return w->userData;
    default:
        return 0;
    }
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    const LONG_PTR previous = GetWindowLongPtrA(hwnd, index);
    switch (index)
    {
    case GWLP_WNDPROC:
        if (!value)
            return 0;
        w->proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_HINSTANCE:
        w->instance = reinterpret_cast<HINSTANCE>(value);
        break;
    case GWLP_ID:
        w->id = value;
        break;
    case GWL_STYLE:
    {
        const bool wasVisible = w->style & WS_VISIBLE;
        w->style = static_cast<DWORD>(value);
        if (wasVisible != ((w->style & WS_VISIBLE) != 0))
        {
            if (!wasVisible)
                InvalidateRect(hwnd, nullptr, FALSE);
            NotifyMoved(hwnd);
        }
        break;
    }
    case GWL_EXSTYLE:
        w->exStyle = static_cast<DWORD>(value);
        break;
    case GWLP_USERDATA:
        w->userData = value;
        break;
    default:
        return 0;
    }
    return previous;
}

LONG GetWindowLongA(HWND hwnd, int index) { return static_cast<LONG>(GetWindowLongPtrA(hwnd, index)); }

BOOL SetWindowTextA(HWND hwnd, LPCSTR text)
{
    if (!FindWindowObject(hwnd))
        return FALSE;
    return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int size)
{
    if (!FindWindowObject(hwnd) || !buffer || size <= 0)
        return 0;
    const LRESULT copied = SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer));
    return static_cast<int>(copied);
}

HWND GetParent(HWND hwnd)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w)
        return nullptr;
    return w->parent ? w->parent : w->owner;
}

HWND GetAncestor(HWND hwnd, UINT flags)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w)
        return nullptr;
    switch (flags)
    {
    case GA_PARENT:
        return w->parent;
    case GA_ROOT:
    case GA_ROOTOWNER:
    {
        HWND root = hwnd;
        while (WindowObject* r = FindWindowObject(root))
        {
            const HWND up = r->parent ? r->parent : (flags == GA_ROOTOWNER ? r->owner : nullptr);
            if (!up)
                break;
            root = up;
        }
        return root;
    }
    default:
        return nullptr;
    }
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w)
        return FALSE;
    const int oldW = w->Width(), oldH = w->Height();
    const int nx = (flags & SWP_NOMOVE) ? w->rect.left : x, ny = (flags & SWP_NOMOVE) ? w->rect.top : y;
    const int nw = (flags & SWP_NOSIZE) ? oldW : ClampSize(width), nh = (flags & SWP_NOSIZE) ? oldH : ClampSize(height);
    w->rect = {nx, ny, nx + nw, ny + nh};
    if (nw != oldW || nh != oldH)
    {
        ResizeStore(*w, nw, nh);
        w->update.Clip({0, 0, nw, nh});
        if (nw > oldW)
            w->update.Add({oldW, 0, nw, nh});
        if (nh > oldH)
            w->update.Add({0, oldH, nw, nh});
    }
    if ((flags & SWP_SHOWWINDOW) && !(w->style & WS_VISIBLE))
    {
        w->style |= WS_VISIBLE;
        w->update.Add({0, 0, nw, nh});
    }
    if (flags & SWP_HIDEWINDOW)
        w->style &= ~WS_VISIBLE;
    // The special places compared by value (see LoadCursorA).
    const intptr_t place = reinterpret_cast<intptr_t>(insertAfter);
    const bool top = place == 0 || place == -1, bottom = place == 1;
    if (!(flags & SWP_NOZORDER) && place != -2 && insertAfter != hwnd)
    {
        auto& siblings = SiblingsOf(*w);
        const auto sibling = std::find(siblings.begin(), siblings.end(), insertAfter);
        if (top || bottom || sibling != siblings.end())
        {
            siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
            if (bottom)
                siblings.insert(siblings.begin(), hwnd);
            else if (top)
                siblings.push_back(hwnd);
            else
                siblings.insert(std::find(siblings.begin(), siblings.end(), insertAfter), hwnd);
        }
    }
    NotifyMoved(hwnd);
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w || !rect)
        return FALSE;
    const POINT o = ClientOriginOnScreen(*w);
    *rect = {o.x, o.y, o.x + w->Width(), o.y + w->Height()};
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w || !rect)
        return FALSE;
    *rect = {0, 0, w->Width(), w->Height()};
    return TRUE;
}

namespace {

BOOL ShiftPoint(HWND hwnd, POINT* point, int sign)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w || !point)
        return FALSE;
    const POINT o = ClientOriginOnScreen(*w);
    point->x += sign * o.x;
    point->y += sign * o.y;
    return TRUE;
}

}  // namespace

BOOL ScreenToClient(HWND hwnd, POINT* point) { return ShiftPoint(hwnd, point, -1); }
BOOL ClientToScreen(HWND hwnd, POINT* point) { return ShiftPoint(hwnd, point, 1); }

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam)
{
    if (!proc)
        return FALSE;
    const std::vector<HWND> snapshot(Layer().topLevel.rbegin(), Layer().topLevel.rend());
    for (HWND h : snapshot)
        if (FindWindowObject(h) && !proc(h, lParam))
            return FALSE;
    return TRUE;
}

int GetClassNameA(HWND hwnd, LPSTR buffer, int size)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w || !buffer || size <= 0)
        return 0;
    return static_cast<int>(CopyUtf8(Layer().classes[w->classIndex].name, buffer, static_cast<size_t>(size)));
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    if (processId)
        *processId = GetCurrentProcessId();
    return w->thread;
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    if (!hwnd)
    {
        // A copy: painting may create or destroy windows.
        const std::vector<HWND> all = Layer().windowOrder;
        for (HWND each : all)
            InvalidateRect(each, nullptr, erase);
        for (HWND each : all)
            UpdateWindow(each);
        return TRUE;
    }
    WindowObject* w = FindWindowObject(hwnd);
    if (!w)
        return FALSE;
    const RECT client = {0, 0, w->Width(), w->Height()};
    w->update.Add(rect ? IntersectRects(*rect, client) : client);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w)
        return FALSE;
    if (rect)
        w->update.Subtract(*rect);
    else
        w->update.Clear();
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w)
        return FALSE;
    if (rect)
        *rect = w->update.Bounds();
    return w->update.Empty() ? FALSE : TRUE;
}

BOOL UpdateWindow(HWND hwnd)
{
    WindowObject* w = FindWindowObject(hwnd);
    if (!w)
        return FALSE;
    if (!w->update.Empty() && IsShown(hwnd))
        CallProcedure(w->proc, hwnd, WM_PAINT, 0, 0);
    return TRUE;
}
