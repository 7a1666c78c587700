#pragma once
// The colours of the presenter's own windows (menus and dialogs): dark text
// on a light panel, a blue accent for what is chosen or the default.

#include "platform/win32/Win32Types.h"

inline constexpr COLORREF kPanel = RGB(0xF0, 0xF0, 0xF0);
inline constexpr COLORREF kPanelBorder = RGB(0x80, 0x80, 0x80);
inline constexpr COLORREF kPanelLine = RGB(0xC8, 0xC8, 0xC8);
inline constexpr COLORREF kText = RGB(0x10, 0x10, 0x10);
inline constexpr COLORREF kGreyText = RGB(0x90, 0x90, 0x90);
inline constexpr COLORREF kWarningText = RGB(0xB0, 0x10, 0x10);
inline constexpr COLORREF kAccent = RGB(0x33, 0x66, 0xCC);
inline constexpr COLORREF kAccentText = RGB(0xFF, 0xFF, 0xFF);
inline constexpr COLORREF kField = RGB(0xFF, 0xFF, 0xFF);
inline constexpr COLORREF kButton = RGB(0xE1, 0xE1, 0xE1);
inline constexpr COLORREF kButtonPressed = RGB(0xC4, 0xC4, 0xC4);
