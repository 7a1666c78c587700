#pragma once
// What the layer tells whoever shows its windows: headless, nobody is told
// (no presenter); a display presenter mirrors windows and their pixels.
// Called on the UI thread, from inside the layer's calls: a presenter must
// not call back into the layer from these.

#include "platform/win32/Win32Types.h"

class DesktopPresenter
{
public:
    virtual ~DesktopPresenter() = default;
    // After the window exists, before it gets WM_CREATE.
    virtual void WindowCreated(HWND window) = 0;
    // The window's rectangle (screen coordinates) or visibility changed.
    virtual void WindowMoved(HWND window, const RECT& screenRect, bool visible) = 0;
    // Just before the handle dies.
    virtual void WindowDestroyed(HWND window) = 0;
    // Pixels inside changed (client coordinates) reached the window's store.
    virtual void PixelsChanged(HWND window, const RECT& changed) = 0;
};
