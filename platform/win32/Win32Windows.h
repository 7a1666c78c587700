#pragma once
// Windows, messages, timers and input. [UI thread]
//
// Windows have no frame: a window's rectangle is its client area. A child
// window (WS_CHILD) sits in its parent's client coordinates; any other
// window is top-level, in screen coordinates, and a parent handle given to
// it makes that window its owner. Siblings are kept in z-order, new ones on
// top. Each window has a pixel store of its client size that receives what
// is drawn into its DCs (see Win32Gdi.h); the desktop driver reads it.
//
// Messages: SendMessageA calls the window procedure directly; PostMessageA
// queues. PeekMessageA answers, in this order: the queued messages (first
// in, first out), then WM_PAINT for a window whose update region is not
// empty (it stays available until the region is validated), then WM_TIMER
// for a due timer (at most one pending per timer). Messages for a window
// that no longer exists are dropped.
//
// Timers run on the layer's clock (a virtual clock that the desktop driver
// advances, unless another clock was installed).

#include "platform/win32/Win32Types.h"

typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void (*TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);
typedef BOOL (*WNDENUMPROC)(HWND, LPARAM);

// --- Messages ------------------------------------------------------------------

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;
inline constexpr UINT WM_GETTEXTLENGTH = 0x000E;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_SETFONT = 0x0030;
inline constexpr UINT WM_GETFONT = 0x0031;
inline constexpr UINT WM_GETDLGCODE = 0x0087;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_CTLCOLOREDIT = 0x0133;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_MOUSEHOVER = 0x02A1;
inline constexpr UINT WM_MOUSELEAVE = 0x02A3;
inline constexpr UINT WM_PASTE = 0x0302;
inline constexpr UINT WM_USER = 0x0400;

// Key-state bits of mouse messages' wParam (low word for WM_MOUSEWHEEL).
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;

// One wheel notch. WM_MOUSEWHEEL: wParam high word the signed delta, low
// word the key state; lParam the pointer in screen coordinates.
inline constexpr int WHEEL_DELTA = 120;
inline constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM w) { return static_cast<SHORT>(HIWORD(w)); }
inline constexpr WORD GET_KEYSTATE_WPARAM(WPARAM w) { return LOWORD(w); }

// WM_GETDLGCODE answers.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
inline constexpr LRESULT DLGC_HASSETSEL = 0x0008;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// Virtual keys. '0'-'9' and 'A'-'Z' are their ASCII codes.
inline constexpr int VK_LBUTTON = 0x01;
inline constexpr int VK_RBUTTON = 0x02;
inline constexpr int VK_MBUTTON = 0x04;
inline constexpr int VK_BACK = 0x08;
inline constexpr int VK_TAB = 0x09;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;  // Alt
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_PRIOR = 0x21;
inline constexpr int VK_NEXT = 0x22;
inline constexpr int VK_END = 0x23;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_INSERT = 0x2D;
inline constexpr int VK_DELETE = 0x2E;
inline constexpr int VK_NUMPAD0 = 0x60;  // to VK_NUMPAD9 = 0x69
inline constexpr int VK_MULTIPLY = 0x6A;
inline constexpr int VK_ADD = 0x6B;
inline constexpr int VK_SUBTRACT = 0x6D;
inline constexpr int VK_DECIMAL = 0x6E;
inline constexpr int VK_DIVIDE = 0x6F;
inline constexpr int VK_F1 = 0x70;  // to VK_F24 = 0x87
inline constexpr int VK_F12 = 0x7B;

struct MSG
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;  // GetTickCount when it was taken
    POINT pt;  // the cursor then, screen coordinates
};

// Calls the window procedure now and answers its result; 0 (nothing called)
// for a window that does not exist.
LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Queues the message; a null window queues it for the thread. FALSE for a
// window that does not exist.
BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;
// The next available message (order above) that passes the filters: hwnd
// null = any, (HWND)-1 = only those queued for the thread, else that window
// and its descendants; first..last message numbers (both 0: any). PM_REMOVE takes it off
// the queue (a timer's message stops being pending; WM_PAINT stays until
// the window is validated). FALSE when none; never waits.
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove);
// Hands the message to its window's procedure (a WM_TIMER whose lParam is a
// TIMERPROC to that procedure) and answers the result; 0 for a window that
// no longer exists.
LRESULT DispatchMessageA(const MSG* msg);

// --- Window classes -----------------------------------------------------------

inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr UINT CS_DBLCLKS = 0x0008;  // second press in time becomes WM_xBUTTONDBLCLK

struct WNDCLASSA
{
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};
// Registers a class (names compare ignoring ASCII case); its style and
// procedure count, the rest is accepted and unused. 0 for a null or taken
// name or a null procedure; otherwise a non-zero atom.
ATOM RegisterClassA(const WNDCLASSA* wndClass);
// FALSE for an unknown or built-in class, or while windows of it exist.
BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);

// The stock arrow cursor for IDC_ARROW; null for any other.
inline const LPCSTR IDC_ARROW = MAKEINTRESOURCEA(32512);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
inline HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) { return LoadCursorA(instance, name); }

// --- Windows -------------------------------------------------------------------

inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_EX_TOPMOST = 0x00000008;
inline constexpr DWORD WS_EX_MDICHILD = 0x00000040;
// "EDIT" styles.
inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_CENTER = 0x0001;
inline constexpr DWORD ES_RIGHT = 0x0002;
inline constexpr DWORD ES_MULTILINE = 0x0004;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;

struct CREATESTRUCTA
{
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
};

// Creates a window of a registered class and sends it WM_CREATE (lParam: a
// CREATESTRUCTA whose lpCreateParams is param) before answering. A child
// needs a live parent; menu is a child's id. Negative sizes become 0, sizes
// are limited to 16384. A visible window starts with its whole client area
// invalid. Null when the class or a given parent does not exist, the parent
// is being destroyed, or WM_CREATE answers -1 (the window is destroyed).
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
// Destroys the window, its children and the windows it owns: the focus (its
// window gets WM_KILLFOCUS) and capture leave them, WM_DESTROY goes to the
// window and then to each descendant (parents first), their timers, queued
// messages and update regions go; then their handles are dead. Safe from
// inside the window's own procedure (the procedure returns normally; later
// calls on the handle fail). FALSE for a window that does not exist or is
// already being destroyed.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

// Default handling: WM_CLOSE destroys the window; WM_PAINT validates it
// (BeginPaint/EndPaint); WM_SETTEXT/WM_GETTEXT/WM_GETTEXTLENGTH keep the
// window text; WM_MOUSEWHEEL goes on to a child's parent; WM_CTLCOLOREDIT
// sets black on white and answers the stock DC brush; everything else 0.
LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Calls proc (a procedure from GWLP_WNDPROC) with the message; 0 for null.
LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

inline constexpr int GWLP_WNDPROC = -4;
inline constexpr int GWLP_HINSTANCE = -6;
inline constexpr int GWLP_ID = -12;
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr int GWLP_USERDATA = -21;
// The window's value at index (above); 0 for an unknown index or window.
LONG_PTR GetWindowLongPtrA(HWND hwnd, int index);
// Sets it and answers the previous value; 0 (nothing set) for an unknown
// index or window, or a null procedure. Setting the style's WS_VISIBLE bit
// shows or hides the window.
LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);
LONG GetWindowLongA(HWND hwnd, int index);

// The window text (WM_SETTEXT / WM_GETTEXT sent to the window).
BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
int GetWindowTextA(HWND hwnd, LPSTR buffer, int size);

// A child's parent, or a top-level window's owner; null otherwise.
HWND GetParent(HWND hwnd);
inline constexpr UINT GA_PARENT = 1;
inline constexpr UINT GA_ROOT = 2;
inline constexpr UINT GA_ROOTOWNER = 3;
// GA_PARENT: a child's parent (null for a top-level window); GA_ROOT: the
// top-level window at the root of its parent chain; GA_ROOTOWNER: that
// window's owner chain followed to its end.
HWND GetAncestor(HWND hwnd, UINT flags);

inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;
inline constexpr UINT SWP_SHOWWINDOW = 0x0040;
inline constexpr UINT SWP_HIDEWINDOW = 0x0080;
inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);
// Moves, sizes and reorders (HWND_TOP, HWND_TOPMOST: on top of its
// siblings; HWND_BOTTOM: below them; HWND_NOTOPMOST: stays; a sibling: just
// below it). A larger window's new area becomes invalid; pixels of the kept
// area stay. FALSE for a window that does not exist.
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags);
// Screen coordinates.
BOOL GetWindowRect(HWND hwnd, RECT* rect);
// (0, 0, width, height).
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL ScreenToClient(HWND hwnd, POINT* point);
BOOL ClientToScreen(HWND hwnd, POINT* point);

// Calls proc for each top-level window, top of the z-order first, until it
// answers FALSE (then FALSE). Windows destroyed meanwhile are skipped.
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);
// Copies the class name (cut to size - 1) and answers its length; 0 for a
// window that does not exist.
int GetClassNameA(HWND hwnd, LPSTR buffer, int size);
// The thread that created the window (0 when it does not exist); *processId
// gets this process's id.
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);
DWORD GetCurrentProcessId();

// --- Painting -----------------------------------------------------------------

// Adds the rectangle (null: the whole client area) to the update region,
// clipped to the client area. erase is accepted and ignored. A null window
// stands for every window: each is invalidated whole and repainted before
// this returns.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
// Removes the rectangle (null: everything) from the update region.
BOOL ValidateRect(HWND hwnd, const RECT* rect);
// Non-zero while the update region is not empty; *rect (when given) gets its
// bounding box (all zero when empty).
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
// Sends WM_PAINT now when the update region is not empty.
BOOL UpdateWindow(HWND hwnd);

// --- Timers ---------------------------------------------------------------------

// Arms (or re-arms: replaces and restarts) the window's timer id with a
// period of elapse ms (10 ms at least). It becomes due each period; a due
// timer yields one WM_TIMER (wParam id, lParam proc) however many periods
// passed. Answers id (1 for id 0); 0 for a null or dead window.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
// FALSE when the window has no such timer.
BOOL KillTimer(HWND hwnd, UINT_PTR id);
// Milliseconds of the layer's clock (wraps at 2^32).
DWORD GetTickCount();

// --- Input ---------------------------------------------------------------------

// Mouse messages go to the capture window while there is one. Answers the
// previous capture; null (nothing changes) for a window that does not exist.
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

// Keyboard messages go to the focus window. Sends WM_KILLFOCUS (wParam the
// new window) to the old focus and WM_SETFOCUS (wParam the old one) to the
// new; null takes the focus away. Answers the previous focus; null (nothing
// changes) for a window that does not exist.
HWND SetFocus(HWND hwnd);
HWND GetFocus();

// The cursor in screen coordinates. SetCursorPos only moves it (no mouse
// message follows).
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
// Increments (show) or decrements the display count (starts at 0; the
// cursor shows while it is 0 or more) and answers the new count.
int ShowCursor(BOOL show);
// Bit 15 set (negative) while the key or mouse button is down.
SHORT GetAsyncKeyState(int virtualKey);

inline constexpr DWORD TME_HOVER = 0x00000001;
inline constexpr DWORD TME_LEAVE = 0x00000002;
inline constexpr DWORD TME_CANCEL = 0x80000000;
inline constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;  // 400 ms
struct TRACKMOUSEEVENT
{
    DWORD cbSize;
    DWORD dwFlags;
    HWND hwndTrack;
    DWORD dwHoverTime;
};
// TME_LEAVE: WM_MOUSELEAVE is posted once the mouse's messages stop going to
// the window (at once when they do not go there now). TME_HOVER:
// WM_MOUSEHOVER (wParam key state, lParam client position) is posted when
// the mouse has rested over the window for dwHoverTime ms. Each fires once.
// TME_CANCEL with either flag ends that tracking. FALSE for a wrong cbSize
// or a window that does not exist.
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);

// --- The "EDIT" class (one line of text) --------------------------------------
//
// Text (UTF-8 in the A messages) with a limit, a selection and a caret
// (platform/win32/LineEdit.h). WM_CHAR inserts a character (replacing the
// selection; refused beyond the limit), 8 (backspace) deletes, 0x16
// pastes; other control characters, '\r' and '\n' are ignored. WM_PASTE
// pastes the clipboard's text: its first line, without control characters,
// is typed as WM_CHAR messages to the window (so a subclass that drops a
// typed character drops it pasted too; the limit cuts it). WM_KEYDOWN: left,
// right, home, end move the caret (with Shift held the selection follows it
// from its anchor), delete deletes, Ctrl+A selects all, Shift+Insert
// pastes. WM_LBUTTONDOWN takes the focus and puts the caret at the point
// (with MK_SHIFT the selection reaches it) and captures the mouse until
// WM_LBUTTONUP: a drag selects. WM_MBUTTONDOWN takes the focus, puts the
// caret at the point and pastes the primary selection (as X users expect).
// WM_SETTEXT sets the text regardless of the limit; WM_GETTEXT copies at
// most wParam - 1 bytes (whole characters). WM_SETFONT sets the font it
// draws with. Painting asks the parent with
// WM_CTLCOLOREDIT (wParam the DC, lParam the edit) for colours and a
// background brush, fills with the brush and draws the text (ES_CENTER,
// ES_RIGHT aligned while it fits, else scrolled to show the caret) and, with
// the focus, the selection or the caret. No notifications are sent to the
// parent.

inline constexpr UINT EM_GETSEL = 0x00B0;
// wParam the anchor, lParam the caret (either may be the larger); -1 as
// first removes the selection (caret stays), -1 as last means the end of
// the text.
inline constexpr UINT EM_SETSEL = 0x00B1;
// wParam the most characters (UTF-16 units) typing may leave; 0: no limit
// to speak of (0x7FFFFFFE). Text already longer stays. The initial limit is
// 30000.
inline constexpr UINT EM_LIMITTEXT = 0x00C5;

// --- Common controls ----------------------------------------------------------

inline constexpr DWORD ICC_BAR_CLASSES = 0x00000004;
inline constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
struct INITCOMMONCONTROLSEX
{
    DWORD dwSize;
    DWORD dwICC;
};
// Registers "tooltips_class32" for ICC_BAR_CLASSES (or ICC_WIN95_CLASSES).
// FALSE for a wrong dwSize.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

// The tooltip window keeps its tools and texts and a shown flag; it draws
// nothing. Its messages answer TRUE (TTM_ADDTOOLA FALSE for a cbSize below
// 44 or a null record).
inline constexpr DWORD TTS_ALWAYSTIP = 0x01;
inline constexpr DWORD TTS_NOPREFIX = 0x02;
inline constexpr UINT TTF_IDISHWND = 0x0001;
inline constexpr UINT TTF_SUBCLASS = 0x0010;
inline constexpr UINT TTM_ACTIVATE = WM_USER + 1;
inline constexpr UINT TTM_ADDTOOLA = WM_USER + 4;
inline constexpr UINT TTM_DELTOOLA = WM_USER + 5;
inline constexpr UINT TTM_UPDATETIPTEXTA = WM_USER + 12;
// TRUE while a tip is shown (the current tool's record is not filled in).
inline constexpr UINT TTM_GETCURRENTTOOLA = WM_USER + 15;
inline constexpr UINT TTM_SETMAXTIPWIDTH = WM_USER + 24;
inline constexpr UINT TTM_POP = WM_USER + 28;
inline constexpr UINT TTM_POPUP = WM_USER + 34;
struct TOOLINFOA
{
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText;
    LPARAM lParam;
};
