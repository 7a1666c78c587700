#pragma once
// The test desktop: drives the windowing and drawing layer as a user and a
// clock would, and reads what it holds. Constructing one resets the layer
// to an empty desktop (and destroying it resets it again): at most one
// exists at a time. [UI thread]
//
// Input is given in screen coordinates and delivered like hardware input:
// the message is queued for the window that gets it (the capture window,
// else the deepest visible window under the point; keys and typed text to
// the focus window, the wheel to the focus window, else the one under the
// point) and then the queue is pumped. A press moves the pointer there
// first (with a WM_MOUSEMOVE) when it is elsewhere.

#include "platform/win32/DesktopClock.h"
#include "platform/win32/DesktopPresenter.h"
#include "platform/win32/DesktopServices.h"
#include "platform/win32/Win32Types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Modifier keys held during an input event (they stay held as given until
// the next event).
enum DesktopModifiers : unsigned
{
    kNoModifiers = 0,
    kShiftKey = 1,
    kControlKey = 2,
    kAltKey = 4,
};

enum class MouseButton
{
    Left,
    Right,
    Middle,
};

// Live objects made through the layer (stock objects not counted).
struct LiveCounts
{
    int dcs = 0;
    int bitmaps = 0;
    int fonts = 0;
    int brushes = 0;
    int menus = 0;
    int windows = 0;
    bool operator==(const LiveCounts& o) const
    {
        return dcs == o.dcs && bitmaps == o.bitmaps && fonts == o.fonts && brushes == o.brushes &&
               menus == o.menus && windows == o.windows;
    }
    bool operator!=(const LiveCounts& o) const { return !(*this == o); }
};

// Pixels 0xAARRGGBB, top row first.
struct DesktopImage
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// An image of the caller's, pixels 0xAARRGGBB: (x, y) at
// pixels[y * stride + x].
struct DesktopPixels
{
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

struct TimerView
{
    HWND window;
    UINT_PTR id;
    UINT periodMs;
    uint64_t nextMs;  // when it is due next
    bool pending;  // a WM_TIMER is waiting to be taken
};

// A message that reached a host window, in order.
struct LoggedMessage
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class Desktop
{
public:
    Desktop();
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // An empty desktop again: every window, object, timer, message, script
    // and log goes without a word to any window procedure; the clock starts
    // at 0. Handles from before stay dead.
    void Reset();

    // --- Time and messages ---
    // Moves the virtual clock on without pumping.
    void Advance(uint64_t ms);
    // Dispatches every available message (at most limit) and answers how many.
    int Pump(int limit = 100000);
    // Runs ms of virtual time: the clock goes from event to event (timer
    // expiries, hover), pumping at each, and pumps at the end.
    void RunFor(uint64_t ms);
    uint64_t NowMs() const;
    // When the next timer or hover event falls due on the clock; nothing
    // when none waits. A time not after NowMs() means one is due now.
    std::optional<uint64_t> NextEventMs() const;
    // Sends the window's timer message now (as if it had come due and been
    // taken) and restarts its period. False when there is no such timer.
    bool FireTimer(HWND window, UINT_PTR id);
    std::vector<TimerView> Timers() const;

    // --- Input ---
    void MouseMove(int x, int y, unsigned modifiers = kNoModifiers);
    void ButtonDown(MouseButton button, int x, int y, unsigned modifiers = kNoModifiers);
    void ButtonUp(MouseButton button, int x, int y, unsigned modifiers = kNoModifiers);
    // Down and up.
    void Click(MouseButton button, int x, int y, unsigned modifiers = kNoModifiers);
    // Two left clicks with no time between them (the second press is a
    // WM_LBUTTONDBLCLK for a CS_DBLCLKS window).
    void DoubleClick(int x, int y, unsigned modifiers = kNoModifiers);
    // delta in wheel units (WHEEL_DELTA a notch; positive away from the user).
    void Wheel(int x, int y, int delta, unsigned modifiers = kNoModifiers);
    void KeyDown(int virtualKey, unsigned modifiers = kNoModifiers);
    void KeyUp(int virtualKey, unsigned modifiers = kNoModifiers);
    // Down and up.
    void PressKey(int virtualKey, unsigned modifiers = kNoModifiers);
    // WM_CHAR for each UTF-16 unit of the UTF-8 text.
    void Type(const std::string& text);

    // --- Host windows ---
    // A visible top-level window standing for the host's view; every message
    // it gets is logged and then handled by DefWindowProcA.
    HWND CreateHostWindow(int x, int y, int width, int height);
    const std::vector<LoggedMessage>& HostMessages(HWND host) const;
    void ClearHostMessages(HWND host);

    // --- Readers ---
    // The window's pixels with its visible descendants drawn over them;
    // empty for a window that does not exist.
    DesktopImage WindowImage(HWND window) const;
    // The part of WindowImage inside area (client coordinates), clipped to
    // the window: the image has the clipped area's size.
    DesktopImage WindowImage(HWND window, const RECT& area) const;
    // The pixels of WindowImage inside area (client coordinates), composed
    // straight into image at the same coordinates; nothing else of image
    // changes. A window's own pixels are not copied where a visible child
    // covers them. Answers the area written: area clipped to the window and
    // to image (all zero: nothing).
    RECT ComposeWindow(HWND window, const RECT& area, const DesktopPixels& image) const;
    // The DIB section's pixels, top row first; empty for an unknown bitmap.
    DesktopImage BitmapImage(HBITMAP bitmap) const;
    // Opaque RGB PNG of WindowImage, written as WritePngFile writes; false
    // when it cannot be written.
    bool SaveWindowPng(HWND window, const std::string& path) const;
    LiveCounts Counts() const;
    int CursorDisplayCount() const;
    // The window under the screen point (as input would find it).
    HWND WindowAt(int x, int y) const;

    // --- Scripts and seams ---
    // The default services; its answers and logs.
    ScriptedServices& Services();
    // Replaces the services (null: the scripted ones). Not owned.
    void SetServices(DesktopServices* services);
    // Installs a presenter (null: none). Not owned.
    void SetPresenter(DesktopPresenter* presenter);
    // Replaces the clock (null: the virtual clock). Not owned; Advance and
    // RunFor need the virtual clock.
    void SetClock(DesktopClock* clock);
    // The scripted services' clipboard.
    void SetClipboardText(const std::string& utf8);
    void ClearClipboard();
    // Makes a registry key (and its parents), e.g. "HKEY_LOCAL_MACHINE\\Software\\X".
    void AddRegistryKey(const std::string& path);
    // A resource of module for FindResourceA (name and type may be
    // MAKEINTRESOURCEA numbers).
    void AddResource(HMODULE module, LPCSTR name, LPCSTR type, const std::vector<uint8_t>& bytes);
    // The file GetModuleFileNameA reports for module.
    void SetModuleFileName(HMODULE module, const std::string& path);
};
