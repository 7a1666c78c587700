#pragma once
// Popup menus in override-redirect X windows. [UI thread]

#include "platform/win32/DesktopServices.h"

#include <optional>
#include <vector>

class X11Presenter;
struct XSession;

// The layout of a menu window, in pixels: rows of items and separators
// inside a border.
inline constexpr int kMenuItemHeight = 22;
inline constexpr int kMenuSeparatorHeight = 9;
inline constexpr int kMenuBorder = 3;

// The rows of the items, top to bottom, in a menu window width wide (not
// scrolled).
std::vector<RECT> MenuRows(const std::vector<MenuItemView>& items, int width);

// Shows the menu with its top-left corner at the X screen point at (moved
// to stay on the screen) and runs it as the presenter's modal window for
// owner: the chosen item's id, or nothing when it was cancelled (Escape in
// the top menu, a click outside the menu's windows, a stop, owner's window
// closed, another client destroying one of the menu's windows). The mouse
// and the keys drive it (see X11Services.h).
std::optional<UINT_PTR> TrackMenu(X11Presenter& presenter, XSession& session, const std::vector<MenuItemView>& items,
                                  POINT at, HWND owner);
