#pragma once
// Internal: the layer's objects, the handle table they live in, and the one
// process-wide state of the desktop. Handles are the objects' keys in the
// table; every public call looks its handles up here by kind.

#include "platform/win32/Desktop.h"
#include "platform/win32/DesktopClock.h"
#include "platform/win32/DesktopPresenter.h"
#include "platform/win32/DesktopServices.h"
#include "platform/win32/FontFace.h"
#include "platform/win32/Region.h"
#include "platform/win32/Win32.h"

#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

enum class ObjectKind
{
    Dc,
    Bitmap,
    Font,
    Brush,
    Window,
    Menu,
    Memory,
    Resource,
    Key,
};

struct LayerObject
{
    explicit LayerObject(ObjectKind k) : kind(k) {}
    virtual ~LayerObject() = default;
    const ObjectKind kind;
    bool stock = false;  // lives as long as the desktop; never deleted by a call
};

struct BitmapObject : LayerObject
{
    static constexpr ObjectKind kKind = ObjectKind::Bitmap;
    BitmapObject() : LayerObject(kKind) {}
    int width = 0;
    int height = 0;
    bool bottomUp = false;
    std::vector<uint32_t> pixels;  // stored rows, the first at pixels[0]
    HDC selectedInto = nullptr;
};

struct FontObject : LayerObject
{
    static constexpr ObjectKind kKind = ObjectKind::Font;
    FontObject() : LayerObject(kKind) {}
    FontRequest request;
    std::unique_ptr<FontFace> face;  // made when first needed
    int selections = 0;  // DCs that have it selected
};

struct BrushObject : LayerObject
{
    static constexpr ObjectKind kKind = ObjectKind::Brush;
    BrushObject() : LayerObject(kKind) {}
    COLORREF colour = 0;
    bool dcBrush = false;  // paints in the DC's brush colour
    int selections = 0;
};

struct DcObject : LayerObject
{
    static constexpr ObjectKind kKind = ObjectKind::Dc;
    DcObject() : LayerObject(kKind) {}
    HWND window = nullptr;  // null for a memory DC
    bool paint = false;  // BeginPaint's DC: clipped to paintRegion
    Region paintRegion;
    HBITMAP bitmap = nullptr;
    HFONT font = nullptr;
    HBRUSH brush = nullptr;
    COLORREF textColour = 0;
    COLORREF bkColour = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    COLORREF dcBrushColour = RGB(255, 255, 255);
};

// Per-window data of a built-in class.
struct WindowExtra
{
    virtual ~WindowExtra() = default;
};

struct WindowObject : LayerObject
{
    static constexpr ObjectKind kKind = ObjectKind::Window;
    WindowObject() : LayerObject(kKind) {}
    size_t classIndex = 0;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;  // children
    HWND owner = nullptr;  // top-level windows
    RECT rect = {0, 0, 0, 0};  // in the parent's client area, or the screen
    std::string text;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    DWORD thread = 0;
    std::vector<HWND> children;  // bottom of the z-order first
    Region update;
    std::vector<uint32_t> pixels;  // client area, top row first
    int pixelWidth = 0;
    int pixelHeight = 0;
    bool destroying = false;
    std::unique_ptr<WindowExtra> extra;
    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }
};

struct MenuObject : LayerObject
{
    static constexpr ObjectKind kKind = ObjectKind::Menu;
    MenuObject() : LayerObject(kKind) {}
    struct Item
    {
        UINT flags;
        UINT_PTR id;
        std::string text;
        HMENU submenu;
    };
    std::vector<Item> items;
    HMENU parent = nullptr;  // the menu that holds it as a popup
};

struct MemoryObject : LayerObject
{
    static constexpr ObjectKind kKind = ObjectKind::Memory;
    MemoryObject() : LayerObject(kKind) {}
    std::vector<uint8_t> bytes;
    int locks = 0;
};

struct ResourceObject : LayerObject
{
    static constexpr ObjectKind kKind = ObjectKind::Resource;
    ResourceObject() : LayerObject(kKind) {}
    HMODULE module = nullptr;
    std::string name;  // "#<number>" for numbered ones, else upper case
    std::string type;
    std::vector<uint8_t> bytes;
};

struct KeyObject : LayerObject
{
    static constexpr ObjectKind kKind = ObjectKind::Key;
    KeyObject() : LayerObject(kKind) {}
    std::string path;  // upper case, "HKEY_LOCAL_MACHINE\\SOFTWARE\\..."
};

struct WindowClass
{
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    bool builtIn = false;
    bool registered = true;
    int windows = 0;
};

struct LayerTimer
{
    HWND window;
    UINT_PTR id;
    UINT periodMs;
    uint64_t nextMs;
    bool pending;
    TIMERPROC proc;
};

struct LayerState
{
    std::unordered_map<uintptr_t, std::unique_ptr<LayerObject>> objects;
    uintptr_t nextHandle = 0x10000;
    // Objects whose handles died while a window procedure ran: freed when
    // the outermost procedure returns.
    std::vector<std::unique_ptr<LayerObject>> graveyard;
    int dispatchDepth = 0;

    std::vector<WindowClass> classes;
    std::vector<HWND> windowOrder;  // creation order: paint order
    std::vector<HWND> topLevel;  // bottom of the z-order first
    std::deque<MSG> queue;
    std::vector<LayerTimer> timers;

    HWND focus = nullptr;
    HWND capture = nullptr;
    POINT cursor = {0, 0};
    int cursorCount = 0;
    bool keys[256] = {};
    HWND leaveTracked = nullptr;
    HWND hoverTracked = nullptr;
    uint64_t hoverStartMs = 0;
    uint64_t hoverMs = 400;
    // Double-click detection.
    HWND lastPressWindow = nullptr;
    UINT lastPressMessage = 0;
    uint64_t lastPressMs = 0;
    POINT lastPressPoint = {0, 0};

    bool clipboardOpen = false;
    HGLOBAL clipboardText = nullptr;

    std::vector<std::string> registryKeys;  // upper case paths
    std::vector<std::pair<HMODULE, std::string>> moduleFiles;
    std::unordered_map<HWND, std::vector<LoggedMessage>> hostLogs;

    HBITMAP stockBitmap = nullptr;
    HBRUSH stockDcBrush = nullptr;
    HFONT stockFont = nullptr;
    HCURSOR arrowCursor = nullptr;

    VirtualClock virtualClock;
    DesktopClock* clock = &virtualClock;
    DesktopPresenter* presenter = nullptr;
    ScriptedServices scripted;
    DesktopServices* services = &scripted;
};

// The desktop; made on first use.
LayerState& Layer();
// Replaces it with an empty desktop (built-in classes and stock objects
// only). Nothing is sent to any window.
void ResetLayer();

// Adds the object to the table and answers its handle.
uintptr_t AddObject(std::unique_ptr<LayerObject> object);
// The handle's object when it is of kind T; else null.
template <class T>
T* Find(const void* handle)
{
    auto& objects = Layer().objects;
    const auto it = objects.find(reinterpret_cast<uintptr_t>(handle));
    if (it == objects.end() || it->second->kind != T::kKind)
        return nullptr;
    return static_cast<T*>(it->second.get());
}
// Removes the handle; the object is freed now, or when the outermost window
// procedure returns.
void RemoveObject(const void* handle);
template <class H>
H ToHandle(uintptr_t value)
{
    return reinterpret_cast<H>(value);
}

uint64_t NowMs();
// Held while a procedure of the program runs: objects that die meanwhile
// stay alive until the outermost scope ends.
class ProcedureScope
{
public:
    ProcedureScope();
    ~ProcedureScope();
    ProcedureScope(const ProcedureScope&) = delete;
    ProcedureScope& operator=(const ProcedureScope&) = delete;
};
// Calls a window procedure inside a ProcedureScope; 0 for a null one.
LRESULT CallProcedure(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Windows (LayerWindows.cpp).
WindowObject* FindWindowObject(HWND hwnd);
POINT ClientOriginOnScreen(const WindowObject& w);
bool IsShown(HWND hwnd);  // it and every ancestor visible
HWND WindowAtPoint(POINT screen);
void NotifyMoved(HWND hwnd);

// Class registration of the built-in classes (EDIT, dialogs, tooltips).
size_t RegisterBuiltInClass(const char* name, WNDPROC proc, UINT style);
LRESULT EditProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TooltipProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The font's face, made on first use.
FontFace& FaceOf(FontObject& font);

// Input (LayerInput.cpp): the MK_ bits of the keys and buttons down now,
// and the window the mouse's messages go to (capture, else under the cursor).
WPARAM KeyStateWord();
HWND MouseTarget();

// How resource names and registry paths are compared (LayerServices.cpp).
std::string ResourceKey(LPCSTR name);
std::string RegistryKey(const std::string& path);

// Clipboard text as UTF-16 without its terminator (empty when none).
std::u16string ClipboardText();
// The primary selection's text, the same way.
std::u16string PrimarySelectionText();
// Timer and hover updates against the clock (LayerMessages.cpp).
void UpdateTimeEvents();
