#pragma once
// Internal: the presenter's state, shared by its files (windows and pixels,
// input, the loop). [UI thread, except stop]

#include "platform/win32/Win32.h"
#include "platform/x11/DirtyAreas.h"
#include "platform/x11/FrameImage.h"
#include "platform/x11/ModalHandler.h"
#include "platform/x11/MonotonicClock.h"
#include "platform/x11/X11Presenter.h"
#include "platform/x11/X11Services.h"
#include "platform/x11/XSession.h"

#include <atomic>
#include <csignal>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

// A top-level layer window and the X window that shows it.
struct ShownWindow
{
    HWND hwnd = nullptr;
    Window xwindow = 0;
    int width = 0, height = 0;  // of the X window
    POINT xPlace = {0, 0};  // the X window's place on the screen, as last known
    bool mapped = false;
    DirtyAreas dirty;  // client coordinates still to send
    std::unique_ptr<FrameImage> image;  // what is sent from, made at the first send
    HWND focusBeforeLeaving = nullptr;  // the layer focus when X took it away
    bool destroyedOutside = false;  // by another client: never made again
};

// A nested loop of the presenter's (X11Presenter::RunModal).
struct ModalLevel
{
    ModalHandler* handler;
    HWND owner;  // the top-level window it serves; null: none
    // Ended by the owner's close (or that of a loop it runs in): it takes no
    // more input, so that nothing is answered for a window that goes.
    bool cancelled;
    bool Ended() const { return cancelled || handler->Done(); }
};

struct X11Presenter::Impl
{
    Impl(Desktop& desktop, Display* display, Visual* visual, int depth, bool sharedMemory);
    ~Impl();

    // Windows and pixels (PresenterWindows.cpp).
    ShownWindow* Find(HWND hwnd);
    ShownWindow* FindX(Window xwindow);
    void Reconcile();
    void FlushPixels();
    void ApplyCursor();
    void CreateXWindow(ShownWindow& shown, const RECT& rect);
    void SyncPlace(ShownWindow& shown);
    void MarkAll(ShownWindow& shown);

    // Events (PresenterInput.cpp).
    void ProcessEvents();
    void Dispatch(XEvent& event);
    void DeliverInput(HWND hwnd, XEvent& event);
    void DeliverKey(const XKeyEvent& key, bool press);
    void DeliverFocus(ShownWindow& shown, const XFocusChangeEvent& focus);
    void ResyncButtons();
    // A close now, or after the nested loops.
    void Close(HWND hwnd);
    void DeliverCloses();
    void ReportClose(HWND hwnd);

    // The loop (X11Presenter.cpp).
    void Wait(int waitMs);
    // Stop; safe in a signal handler.
    void RequestStop();
    // The connection is gone: stop, for good.
    void MarkLost();

    Desktop& desktop;
    XSession session;
    MonotonicClock clock;
    std::unique_ptr<X11Services> services;
    Cursor invisibleCursor = 0;
    std::string displayName;
    int (*previousErrorHandler)(Display*, XErrorEvent*) = nullptr;
    int (*previousIOErrorHandler)(Display*) = nullptr;
    struct sigaction previousPipeAction = {};

    std::vector<ShownWindow> shown;
    std::vector<std::pair<HWND, RECT>> pixelChanges;
    // Sizes as last told, to see a child window that filled its top-level
    // window change size.
    std::unordered_map<HWND, SIZE> sizes;
    struct SizeChange
    {
        HWND window;
        SIZE before;
    };
    std::vector<SizeChange> sizeChanges;
    std::vector<HWND> moved;
    bool layoutChanged = true;
    bool allDirty = false;

    std::atomic<bool> stop{false};
    std::atomic<bool> lost{false};
    int wakeRead = -1, wakeWrite = -1;
    std::vector<ModalLevel> modals;
    std::vector<HWND> pendingCloses;
    bool resyncButtons = false;
    std::function<void(HWND)> closeHandler;
    std::string title = "Sonvarek";

    bool cursorHidden = false;
    // Where input last put the layer's cursor: a different place later was
    // set by the program (SetCursorPos).
    POINT deliveredCursor = {0, 0};
};
