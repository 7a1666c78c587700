#pragma once
// Internal: the presenter's X connection and what its windows share (the
// screen, the visual, atoms, a GC and the pixel writer). [UI thread]

#include "platform/x11/PixelWriter.h"

#include <X11/Xlib.h>

#include <string>

class Canvas;

struct XSession
{
    XSession(Display* display, Visual* visual, int depth);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    int ScreenWidth() const;
    int ScreenHeight() const;
    // Sends the canvas to window's top-left corner.
    void Show(Window window, const Canvas& canvas) const;
    // A top-level window of the default visual with no background (every
    // pixel is ours to send) and the event mask.
    Window CreateWindow(int x, int y, int width, int height, long eventMask, bool overrideRedirect) const;
    // WM_NAME and _NET_WM_NAME.
    void SetTitle(Window window, const std::string& utf8) const;
    // Position and a fixed size the window manager keeps.
    void SetFixedGeometry(Window window, int x, int y, int width, int height) const;
    // _NET_WM_WINDOW_TYPE.
    void SetWindowType(Window window, Atom type) const;

    Display* const display;
    const int screen;
    const Window root;
    Visual* const visual;
    const int depth;
    GC gc;
    mutable PixelWriter writer;
    // Never shown: receives selections.
    Window utility;

    Atom wmProtocols, wmDeleteWindow, netWmName, netWmWindowType, netWmWindowTypeDialog, netWmWindowTypePopupMenu,
        utf8String, clipboard, incr, selectionProperty;
};
