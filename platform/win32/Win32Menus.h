#pragma once
// Popup menus. [UI thread]
//
// A menu is a list of items: strings with an id, separators, and popups
// that hold a submenu (the submenu then belongs to the menu: destroying the
// menu destroys it). TrackPopupMenu lets the desktop's services choose an
// item; headless, the scripted services (see DesktopServices.h) choose, and
// they see the whole menu tree.

#include "platform/win32/Win32Types.h"

inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_SEPARATOR = 0x0800;

// A new empty popup menu; null on failure.
HMENU CreatePopupMenu();
// Appends an item. MF_STRING (text copied; null text is empty) with id
// idOrSubmenu; MF_SEPARATOR; MF_POPUP with the submenu handle in
// idOrSubmenu, which must be a live menu that belongs to no other menu and
// does not hold menu. MF_GRAYED, MF_DISABLED and MF_CHECKED may be added.
// FALSE (nothing appended) for other flags or a bad menu or submenu.
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCSTR text);
// Destroys the menu and its submenus. FALSE for a menu that does not exist.
BOOL DestroyMenu(HMENU menu);

inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;
// Shows the menu at (x, y) (screen) for the owner window and lets the user
// choose. Only enabled string items (not grayed, disabled, separators or
// popups) can be chosen. Without TPM_RETURNCMD: a choice posts WM_COMMAND
// (wParam: the id in the low word, 0 in the high word; lParam 0) to owner
// (unless TPM_NONOTIFY) and answers TRUE; no choice answers 0. With
// TPM_RETURNCMD: the chosen id, 0 for none. 0 for a menu or owner that does
// not exist (also when the owner went while the menu was up). Other flags
// are accepted and ignored.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
