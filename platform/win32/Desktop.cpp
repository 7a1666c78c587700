#include "platform/win32/Desktop.h"

#include "platform/win32/LayerState.h"
#include "platform/win32/PngWriter.h"
#include "platform/win32/Utf.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kHostClass = "SonvarekDesktopHost";
// Two presses within this time and distance make a double click.
constexpr uint64_t kDoubleClickMs = 500;
constexpr int kDoubleClickReach = 2;

LRESULT HostProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Layer().hostLogs[hwnd].push_back({message, wParam, lParam});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void HoldModifiers(unsigned modifiers)
{
    bool* keys = Layer().keys;
    keys[VK_SHIFT] = (modifiers & kShiftKey) != 0;
    keys[VK_CONTROL] = (modifiers & kControlKey) != 0;
    keys[VK_MENU] = (modifiers & kAltKey) != 0;
}

LPARAM ClientPoint(HWND hwnd, POINT screen)
{
    ScreenToClient(hwnd, &screen);
    return MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y));
}

struct ButtonMessages
{
    int key;
    UINT down, up, doubleClick;
};

ButtonMessages MessagesOf(MouseButton button)
{
    switch (button)
    {
    case MouseButton::Right:
        return {VK_RBUTTON, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK};
    case MouseButton::Middle:
        return {VK_MBUTTON, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK};
    default:
        return {VK_LBUTTON, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
    }
}

// Where composing writes: pixel (x, y) of the composed window goes to
// pixels[(y - top) * stride + (x - left)].
struct ComposeTarget
{
    uint32_t* pixels;
    ptrdiff_t stride;
    int left, top;
    uint32_t* At(int x, int y) const { return pixels + (y - top) * stride + (x - left); }
};

const WindowObject* VisibleWindow(HWND hwnd)
{
    const WindowObject* w = FindWindowObject(hwnd);
    return w && (w->style & WS_VISIBLE) ? w : nullptr;
}

// Copies w's own pixels inside r (w's top-left at ox, oy), leaving out what
// its visible children from index first on cover: each is drawn whole over
// its part.
void CopyUncovered(const WindowObject& w, const ComposeTarget& out, int ox, int oy, const RECT& r, size_t first)
{
    for (size_t i = first; i < w.children.size(); ++i)
    {
        const WindowObject* c = VisibleWindow(w.children[i]);
        if (!c)
            continue;
        const int cx = ox + c->rect.left, cy = oy + c->rect.top;
        const RECT covered = IntersectRects(r, {cx, cy, cx + c->pixelWidth, cy + c->pixelHeight});
        if (IsEmptyRect(covered))
            continue;
        // What is left of r: the bands above and below, then left and right.
        if (r.top < covered.top)
            CopyUncovered(w, out, ox, oy, {r.left, r.top, r.right, covered.top}, i + 1);
        if (covered.bottom < r.bottom)
            CopyUncovered(w, out, ox, oy, {r.left, covered.bottom, r.right, r.bottom}, i + 1);
        if (r.left < covered.left)
            CopyUncovered(w, out, ox, oy, {r.left, covered.top, covered.left, covered.bottom}, i + 1);
        if (covered.right < r.right)
            CopyUncovered(w, out, ox, oy, {covered.right, covered.top, r.right, covered.bottom}, i + 1);
        return;
    }
    for (int y = r.top; y < r.bottom; ++y)
        std::copy_n(&w.pixels[static_cast<size_t>(y - oy) * w.pixelWidth + (r.left - ox)], r.right - r.left,
                    out.At(r.left, y));
}

// w's pixels inside clip with its visible descendants over them; w's
// top-left at ox, oy.
void Compose(const WindowObject& w, const ComposeTarget& out, int ox, int oy, const RECT& clip)
{
    const RECT mine = IntersectRects(clip, {ox, oy, ox + w.pixelWidth, oy + w.pixelHeight});
    if (IsEmptyRect(mine))
        return;
    CopyUncovered(w, out, ox, oy, mine, 0);
    for (HWND child : w.children)
        if (const WindowObject* c = VisibleWindow(child))
            Compose(*c, out, ox + c->rect.left, oy + c->rect.top, mine);
}

}  // namespace

Desktop::Desktop() { ResetLayer(); }
Desktop::~Desktop() { ResetLayer(); }

void Desktop::Reset() { ResetLayer(); }

void Desktop::Advance(uint64_t ms) { Layer().virtualClock.Advance(ms); }

int Desktop::Pump(int limit)
{
    int count = 0;
    MSG msg;
    while (count < limit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        DispatchMessageA(&msg);
        ++count;
    }
    return count;
}

void Desktop::RunFor(uint64_t ms)
{
    LayerState& s = Layer();
    const uint64_t end = s.clock->NowMs() + ms;
    for (;;)
    {
        Pump();
        if (s.clock != &s.virtualClock)
            return;
        const uint64_t now = s.virtualClock.NowMs();
        uint64_t next = end;
        for (const LayerTimer& t : s.timers)
            if (t.nextMs > now)
                next = std::min(next, t.nextMs);
        if (s.hoverTracked)
            next = std::min(next, std::max(now + 1, s.hoverStartMs + s.hoverMs));
        if (next <= now)
            return;
        s.virtualClock.Advance(next - now);
        if (next == end)
        {
            Pump();
            return;
        }
    }
}

uint64_t Desktop::NowMs() const { return ::NowMs(); }

std::optional<uint64_t> Desktop::NextEventMs() const
{
    const LayerState& s = Layer();
    const uint64_t now = ::NowMs();
    std::optional<uint64_t> next;
    const auto consider = [&next](uint64_t at) { next = next ? std::min(*next, at) : at; };
    for (const LayerTimer& t : s.timers)
        consider(t.pending ? now : t.nextMs);
    if (s.hoverTracked)
        consider(s.hoverStartMs + s.hoverMs);
    return next;
}

bool Desktop::FireTimer(HWND window, UINT_PTR id)
{
    auto& timers = Layer().timers;
    const auto it = std::find_if(timers.begin(), timers.end(),
                                 [&](const LayerTimer& t) { return t.window == window && t.id == id; });
    if (it == timers.end())
        return false;
    it->pending = false;
    it->nextMs = ::NowMs() + it->periodMs;
    const MSG msg = {window, WM_TIMER, id, reinterpret_cast<LPARAM>(it->proc), GetTickCount(), Layer().cursor};
    DispatchMessageA(&msg);
    return true;
}

std::vector<TimerView> Desktop::Timers() const
{
    std::vector<TimerView> views;
    for (const LayerTimer& t : Layer().timers)
        views.push_back({t.window, t.id, t.periodMs, t.nextMs, t.pending});
    return views;
}

void Desktop::MouseMove(int x, int y, unsigned modifiers)
{
    LayerState& s = Layer();
    HoldModifiers(modifiers);
    s.cursor = {x, y};
    const HWND target = MouseTarget();
    if (s.leaveTracked && s.leaveTracked != target)
    {
        PostMessageA(s.leaveTracked, WM_MOUSELEAVE, 0, 0);
        s.leaveTracked = nullptr;
    }
    if (s.hoverTracked)
    {
        if (s.hoverTracked != target)
            s.hoverTracked = nullptr;
        else
            s.hoverStartMs = ::NowMs();
    }
    if (target)
        PostMessageA(target, WM_MOUSEMOVE, KeyStateWord(), ClientPoint(target, s.cursor));
    Pump();
}

void Desktop::ButtonDown(MouseButton button, int x, int y, unsigned modifiers)
{
    LayerState& s = Layer();
    if (s.cursor.x != x || s.cursor.y != y)
        MouseMove(x, y, modifiers);
    HoldModifiers(modifiers);
    const ButtonMessages m = MessagesOf(button);
    s.keys[m.key] = true;
    const HWND target = MouseTarget();
    if (!target)
    {
        Pump();
        return;
    }
    UINT message = m.down;
    const uint64_t now = ::NowMs();
    const WindowObject* w = FindWindowObject(target);
    if ((s.classes[w->classIndex].style & CS_DBLCLKS) && s.lastPressWindow == target &&
        s.lastPressMessage == m.down && now - s.lastPressMs <= kDoubleClickMs &&
        std::abs(x - s.lastPressPoint.x) <= kDoubleClickReach && std::abs(y - s.lastPressPoint.y) <= kDoubleClickReach)
    {
        message = m.doubleClick;
        s.lastPressWindow = nullptr;
    }
    else
    {
        s.lastPressWindow = target;
        s.lastPressMessage = m.down;
        s.lastPressMs = now;
        s.lastPressPoint = {x, y};
    }
    PostMessageA(target, message, KeyStateWord(), ClientPoint(target, s.cursor));
    Pump();
}

void Desktop::ButtonUp(MouseButton button, int x, int y, unsigned modifiers)
{
    LayerState& s = Layer();
    if (s.cursor.x != x || s.cursor.y != y)
        MouseMove(x, y, modifiers);
    HoldModifiers(modifiers);
    const ButtonMessages m = MessagesOf(button);
    s.keys[m.key] = false;
    if (const HWND target = MouseTarget())
        PostMessageA(target, m.up, KeyStateWord(), ClientPoint(target, s.cursor));
    Pump();
}

void Desktop::Click(MouseButton button, int x, int y, unsigned modifiers)
{
    ButtonDown(button, x, y, modifiers);
    ButtonUp(button, x, y, modifiers);
}

void Desktop::DoubleClick(int x, int y, unsigned modifiers)
{
    Click(MouseButton::Left, x, y, modifiers);
    Click(MouseButton::Left, x, y, modifiers);
}

void Desktop::Wheel(int x, int y, int delta, unsigned modifiers)
{
    LayerState& s = Layer();
    if (s.cursor.x != x || s.cursor.y != y)
        MouseMove(x, y, modifiers);
    HoldModifiers(modifiers);
    const HWND target = FindWindowObject(s.focus) ? s.focus : WindowAtPoint(s.cursor);
    if (target)
    {
        const auto word = static_cast<WORD>(static_cast<SHORT>(std::clamp(delta, -32768, 32767)));
        PostMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<WORD>(KeyStateWord()), word),
                     MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    Pump();
}

void Desktop::KeyDown(int virtualKey, unsigned modifiers)
{
    LayerState& s = Layer();
    HoldModifiers(modifiers);
    const int key = virtualKey & 0xFF;
    const bool wasDown = s.keys[key];
    s.keys[key] = true;
    if (FindWindowObject(s.focus))
        PostMessageA(s.focus, WM_KEYDOWN, static_cast<WPARAM>(key), 1 | (wasDown ? LPARAM(1) << 30 : 0));
    Pump();
}

void Desktop::KeyUp(int virtualKey, unsigned modifiers)
{
    LayerState& s = Layer();
    HoldModifiers(modifiers);
    const int key = virtualKey & 0xFF;
    s.keys[key] = false;
    if (FindWindowObject(s.focus))
        PostMessageA(s.focus, WM_KEYUP, static_cast<WPARAM>(key), 1 | (LPARAM(1) << 30) | (LPARAM(1) << 31));
    Pump();
}

void Desktop::PressKey(int virtualKey, unsigned modifiers)
{
    KeyDown(virtualKey, modifiers);
    KeyUp(virtualKey, modifiers);
}

void Desktop::Type(const std::string& text)
{
    LayerState& s = Layer();
    for (char16_t unit : Utf8ToUtf16(text))
        if (FindWindowObject(s.focus))
            PostMessageA(s.focus, WM_CHAR, unit, 1);
    Pump();
}

HWND Desktop::CreateHostWindow(int x, int y, int width, int height)
{
    RegisterBuiltInClass(kHostClass, HostProcedure, CS_DBLCLKS);
    return CreateWindowExA(0, kHostClass, "Host", WS_VISIBLE, x, y, width, height, nullptr, nullptr, nullptr, nullptr);
}

const std::vector<LoggedMessage>& Desktop::HostMessages(HWND host) const
{
    static const std::vector<LoggedMessage> none;
    const auto& logs = Layer().hostLogs;
    const auto it = logs.find(host);
    return it == logs.end() ? none : it->second;
}

void Desktop::ClearHostMessages(HWND host) { Layer().hostLogs.erase(host); }

DesktopImage Desktop::WindowImage(HWND window) const { return WindowImage(window, {0, 0, INT32_MAX, INT32_MAX}); }

DesktopImage Desktop::WindowImage(HWND window, const RECT& area) const
{
    DesktopImage image;
    const WindowObject* w = FindWindowObject(window);
    if (!w)
        return image;
    const RECT part = IntersectRects(area, {0, 0, w->pixelWidth, w->pixelHeight});
    if (IsEmptyRect(part))
        return image;
    image.width = part.right - part.left;
    image.height = part.bottom - part.top;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    Compose(*w, {image.pixels.data(), image.width, part.left, part.top}, 0, 0, part);
    return image;
}

RECT Desktop::ComposeWindow(HWND window, const RECT& area, const DesktopPixels& image) const
{
    const WindowObject* w = FindWindowObject(window);
    if (!w || !image.pixels)
        return {0, 0, 0, 0};
    const RECT part = IntersectRects(IntersectRects(area, {0, 0, w->pixelWidth, w->pixelHeight}),
                                     {0, 0, image.width, image.height});
    if (!IsEmptyRect(part))
        Compose(*w, {image.pixels, image.stride, 0, 0}, 0, 0, part);
    return part;
}

DesktopImage Desktop::BitmapImage(HBITMAP bitmap) const
{
    DesktopImage image;
    const BitmapObject* b = Find<BitmapObject>(bitmap);
    if (!b)
        return image;
    image.width = b->width;
    image.height = b->height;
    image.pixels.resize(b->pixels.size());
    for (int y = 0; y < b->height; ++y)
    {
        const int stored = b->bottomUp ? b->height - 1 - y : y;
        std::copy_n(&b->pixels[static_cast<size_t>(stored) * b->width], b->width,
                    &image.pixels[static_cast<size_t>(y) * b->width]);
    }
    return image;
}

bool Desktop::SaveWindowPng(HWND window, const std::string& path) const
{
    const DesktopImage image = WindowImage(window);
    return !image.pixels.empty() &&
           WritePngFile(path.c_str(), image.pixels.data(), image.width, image.height, image.width, false);
}

LiveCounts Desktop::Counts() const
{
    LiveCounts counts;
    for (const auto& entry : Layer().objects)
    {
        const LayerObject& o = *entry.second;
        if (o.stock)
            continue;
        switch (o.kind)
        {
        case ObjectKind::Dc:
            ++counts.dcs;
            break;
        case ObjectKind::Bitmap:
            ++counts.bitmaps;
            break;
        case ObjectKind::Font:
            ++counts.fonts;
            break;
        case ObjectKind::Brush:
            ++counts.brushes;
            break;
        case ObjectKind::Menu:
            ++counts.menus;
            break;
        case ObjectKind::Window:
            ++counts.windows;
            break;
        default:
            break;
        }
    }
    return counts;
}

int Desktop::CursorDisplayCount() const { return Layer().cursorCount; }

HWND Desktop::WindowAt(int x, int y) const { return WindowAtPoint({x, y}); }

ScriptedServices& Desktop::Services() { return Layer().scripted; }

void Desktop::SetServices(DesktopServices* services)
{
    LayerState& s = Layer();
    s.services = services ? services : &s.scripted;
}

void Desktop::SetPresenter(DesktopPresenter* presenter) { Layer().presenter = presenter; }

void Desktop::SetClock(DesktopClock* clock)
{
    LayerState& s = Layer();
    s.clock = clock ? clock : &s.virtualClock;
}

void Desktop::SetClipboardText(const std::string& utf8) { Layer().scripted.clipboardText = Utf8ToUtf16(utf8); }

void Desktop::ClearClipboard() { Layer().scripted.clipboardText.reset(); }

void Desktop::AddRegistryKey(const std::string& path)
{
    auto& keys = Layer().registryKeys;
    const std::string key = RegistryKey(path);
    for (size_t at = key.find('\\'); at != std::string::npos; at = key.find('\\', at + 1))
        if (std::find(keys.begin(), keys.end(), key.substr(0, at)) == keys.end())
            keys.push_back(key.substr(0, at));
    if (std::find(keys.begin(), keys.end(), key) == keys.end())
        keys.push_back(key);
}

void Desktop::AddResource(HMODULE module, LPCSTR name, LPCSTR type, const std::vector<uint8_t>& bytes)
{
    if (!name || !type)
        return;
    auto resource = std::make_unique<ResourceObject>();
    resource->stock = true;
    resource->module = module;
    resource->name = ResourceKey(name);
    resource->type = ResourceKey(type);
    resource->bytes = bytes;
    AddObject(std::move(resource));
}

void Desktop::SetModuleFileName(HMODULE module, const std::string& path)
{
    Layer().moduleFiles.emplace_back(module, path);
}
