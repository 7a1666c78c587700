#pragma once
// Internal: the presenter's X connection and what its windows share (the
// screen, the visual, atoms, a GC and the pixel writer). [UI thread]

#include "platform/x11/PixelWriter.h"

#include <X11/Xlib.h>

#include <string>
#include <vector>

class Canvas;

struct XSession
{
    // sharedMemory: pixels may go through the X shared-memory extension
    // where the server has it.
    XSession(Display* display, Visual* visual, int depth, bool sharedMemory);
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
    // WM_NAME and WM_ICON_NAME as text properties of the standard
    // encodings (Latin-1 or compound text), _NET_WM_NAME and
    // _NET_WM_ICON_NAME as UTF-8. Bytes that are not UTF-8 show as U+FFFD.
    void SetTitle(Window window, const std::string& utf8) const;
    // A fixed size the window manager keeps; with place, the place the
    // program asks for (a dialog over its owner), else the window manager
    // places the window.
    void SetFixedSize(Window window, int width, int height, const XPoint* place = nullptr) const;
    // WM_CLASS: the program's name and class.
    void SetClass(Window window) const;
    // _NET_WM_WINDOW_TYPE.
    void SetWindowType(Window window, Atom type) const;

    Display* const display;
    const int screen;
    const Window root;
    Visual* const visual;
    const int depth;
    GC gc;
    mutable PixelWriter writer;
    // Whether shown windows' pixels go through the X shared-memory
    // extension: the server has it, the visual takes the layer's words as
    // they are, in this machine's byte order, and no segment was refused.
    bool sharedMemory = false;
    // The extension's ShmCompletion event type (0: none).
    int shmCompletion = 0;
    // Never shown: receives selections.
    Window utility;
    // The presenter's dialogs now open, innermost last: a dialog asked for
    // while one is open belongs to it.
    std::vector<Window> openDialogs;

    Atom wmProtocols, wmDeleteWindow, netWmName, netWmIconName, netWmWindowType, netWmWindowTypeDialog,
        netWmWindowTypePopupMenu, utf8String, clipboard, incr, selectionProperty;
};
