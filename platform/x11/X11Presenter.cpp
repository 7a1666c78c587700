#include "platform/x11/X11Presenter.h"

#include "platform/win32/Rects.h"
#include "platform/x11/DisplayLocks.h"
#include "platform/x11/PresenterState.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// X errors (a window gone, a refused request) are the presenter's to
// handle where they matter; none ends the program.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

// A lost connection is told by DisplayLost, not by Xlib's message.
int QuietIOError(Display*) { return 0; }

// The layer has one presenter seam, the error handler is the process's.
bool presenterOpen = false;

}  // namespace

// Xlib's default ends the process; returning instead leaves the display
// dead (every later call on it returns at once), and the loops stop.
void X11Presenter::OnConnectionLost(Display* display, void* state)
{
    RestoreLocksAfterIOError(display);
    if (state)
        static_cast<Impl*>(state)->MarkLost();
}

X11Presenter::Impl::Impl(Desktop& d, Display* display, Visual* visual, int depth, bool sharedMemory)
    : desktop(d), session(display, visual, depth, sharedMemory), clock(d.NowMs())
{
}

X11Presenter::Impl::~Impl()
{
    for (const ShownWindow& s : shown)
        if (s.xwindow)
            XDestroyWindow(session.display, s.xwindow);
    if (invisibleCursor)
        XFreeCursor(session.display, invisibleCursor);
    if (wakeRead >= 0)
        close(wakeRead);
    if (wakeWrite >= 0)
        close(wakeWrite);
}

std::unique_ptr<X11Presenter> X11Presenter::Open(Desktop& desktop, const char* displayName, std::string& error,
                                                 bool sharedMemory)
{
    if (presenterOpen)
    {
        error = "an X display presenter is open already";
        return nullptr;
    }
    const char* name = displayName ? displayName : std::getenv("DISPLAY");
    if (!name || !*name)
    {
        error = "no X display: DISPLAY is not set";
        return nullptr;
    }
    Display* display = XOpenDisplay(name);
    if (!display)
    {
        error = std::string("cannot open X display \"") + name + "\"";
        return nullptr;
    }
    Visual* visual = DefaultVisual(display, DefaultScreen(display));
    if (visual->c_class != TrueColor && visual->c_class != DirectColor)
    {
        XCloseDisplay(display);
        error = std::string("X display \"") + name + "\" has no TrueColor visual";
        return nullptr;
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
    {
        XCloseDisplay(display);
        error = "cannot make the presenter's wake-up pipe";
        return nullptr;
    }
    auto impl =
        std::make_unique<Impl>(desktop, display, visual, DefaultDepth(display, DefaultScreen(display)), sharedMemory);
    impl->wakeRead = fds[0];
    impl->wakeWrite = fds[1];
    impl->displayName = name;
    impl->previousErrorHandler = XSetErrorHandler(IgnoreError);
    impl->previousIOErrorHandler = XSetIOErrorHandler(QuietIOError);
    XSetIOErrorExitHandler(display, OnConnectionLost, impl.get());
    // A write to a connection the server closed fails (EPIPE), which Xlib
    // takes as the display lost, instead of ending the process.
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, &impl->previousPipeAction);
    // Held keys repeat as presses only, so that the layer sees a repeat.
    XkbSetDetectableAutoRepeat(display, True, nullptr);
    static char blank[1] = {0};
    const Pixmap empty = XCreateBitmapFromData(display, impl->session.root, blank, 1, 1);
    XColor black{};
    impl->invisibleCursor = XCreatePixmapCursor(display, empty, empty, &black, &black, 0, 0);
    XFreePixmap(display, empty);

    std::unique_ptr<X11Presenter> presenter(new X11Presenter(std::move(impl)));
    Impl& i = *presenter->impl;
    i.services = std::make_unique<X11Services>(*presenter, i.session, desktop.Services());
    GetCursorPos(&i.deliveredCursor);
    desktop.SetClock(&i.clock);
    desktop.SetServices(i.services.get());
    desktop.SetPresenter(presenter.get());
    presenterOpen = true;
    return presenter;
}

X11Presenter::X11Presenter(std::unique_ptr<Impl> state) : impl(std::move(state)) {}

X11Presenter::~X11Presenter()
{
    // From here a lost connection only leaves the display dead.
    XSetIOErrorExitHandler(impl->session.display, OnConnectionLost, nullptr);
    Desktop& desktop = impl->desktop;
    const uint64_t now = impl->clock.NowMs();
    desktop.SetPresenter(nullptr);
    desktop.SetServices(nullptr);
    desktop.SetClock(nullptr);
    // The virtual clock goes on from here, so that timers keep their times.
    if (now > desktop.NowMs())
        desktop.Advance(now - desktop.NowMs());
    Display* display = impl->session.display;
    auto* previous = impl->previousErrorHandler;
    auto* previousIO = impl->previousIOErrorHandler;
    const struct sigaction previousPipe = impl->previousPipeAction;
    impl.reset();
    XCloseDisplay(display);
    XSetErrorHandler(previous);
    XSetIOErrorHandler(previousIO);
    sigaction(SIGPIPE, &previousPipe, nullptr);
    presenterOpen = false;
}

void X11Presenter::SetCloseHandler(std::function<void(HWND)> handler) { impl->closeHandler = std::move(handler); }

void X11Presenter::SetTitle(const std::string& utf8) { impl->title = utf8; }

void X11Presenter::Run()
{
    while (!StopRequested())
        RunOnce(-1);
}

void X11Presenter::RunOnce(int waitMs)
{
    Impl& i = *impl;
    i.ProcessEvents();
    if (i.modals.empty())
    {
        i.ResyncButtons();
        i.DeliverCloses();
    }
    i.desktop.Pump();
    i.Reconcile();
    i.FlushPixels();
    i.ApplyCursor();
    XFlush(i.session.display);
    // An answered menu or dialog returns at once.
    if (!StopRequested() && (i.modals.empty() || !i.modals.back().Ended()))
        i.Wait(waitMs);
}

void X11Presenter::Impl::Wait(int waitMs)
{
    long long timeout = waitMs < 0 ? -1 : waitMs;
    if (const std::optional<uint64_t> next = desktop.NextEventMs())
    {
        const uint64_t now = desktop.NowMs();
        const long long due = *next > now ? static_cast<long long>(std::min<uint64_t>(*next - now, INT_MAX)) : 0;
        timeout = timeout < 0 ? due : std::min(timeout, due);
    }
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) || XPending(session.display) > 0)
        timeout = 0;
    pollfd fds[2] = {{ConnectionNumber(session.display), POLLIN, 0}, {wakeRead, POLLIN, 0}};
    poll(fds, 2, static_cast<int>(timeout));
    char drain[64];
    while (read(wakeRead, drain, sizeof drain) > 0)
    {
    }
}

void X11Presenter::Stop() { impl->RequestStop(); }

void X11Presenter::Impl::RequestStop()
{
    stop.store(true);
    const char byte = 1;
    // A full pipe already wakes the loop.
    [[maybe_unused]] const ssize_t written = write(wakeWrite, &byte, 1);
}

void X11Presenter::Impl::MarkLost()
{
    lost.store(true);
    RequestStop();
}

bool X11Presenter::StopRequested() const { return impl->stop.load(); }

bool X11Presenter::DisplayLost() const { return impl->lost.load(); }

const std::string& X11Presenter::DisplayName() const { return impl->displayName; }

_XDisplay* X11Presenter::XDisplay() const { return impl->session.display; }

XWindowId X11Presenter::XWindowOf(HWND window) const
{
    const ShownWindow* s = impl->Find(window);
    return s ? s->xwindow : 0;
}

XWindowId X11Presenter::XWindowAbove(HWND window) const
{
    if (window)
        return XWindowOf(GetAncestor(window, GA_ROOT));
    for (const ShownWindow& s : impl->shown)
        if (s.mapped)
            return s.xwindow;
    return 0;
}

POINT X11Presenter::ToXScreen(HWND window, POINT screen) const
{
    const HWND top = GetAncestor(window, GA_ROOT);
    const ShownWindow* s = impl->Find(top);
    RECT r;
    if (!s || !s->xwindow || !GetWindowRect(top, &r))
        return screen;
    return {screen.x - r.left + s->xPlace.x, screen.y - r.top + s->xPlace.y};
}

void X11Presenter::RunModal(ModalHandler& handler, HWND owner)
{
    Impl& i = *impl;
    const HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    // Code after a loop that a close ended may open another for the same
    // window: there is nothing to answer.
    const bool closing =
        top && std::find(i.pendingCloses.begin(), i.pendingCloses.end(), top) != i.pendingCloses.end();
    i.modals.push_back({&handler, top, closing});
    const size_t level = i.modals.size() - 1;
    while (!i.modals[level].Ended() && !StopRequested())
        RunOnce(-1);
    i.modals.pop_back();
    if (i.modals.empty())
        i.resyncButtons = true;
}

void X11Presenter::WindowCreated(HWND) { impl->layoutChanged = true; }

void X11Presenter::WindowMoved(HWND window, const RECT& screenRect, bool)
{
    Impl& i = *impl;
    i.layoutChanged = true;
    i.moved.push_back(window);
    const SIZE size = {screenRect.right - screenRect.left, screenRect.bottom - screenRect.top};
    const auto known = i.sizes.find(window);
    if (known != i.sizes.end() && (known->second.cx != size.cx || known->second.cy != size.cy))
        i.sizeChanges.push_back({window, known->second});
    i.sizes[window] = size;
}

void X11Presenter::WindowDestroyed(HWND window)
{
    Impl& i = *impl;
    i.sizes.erase(window);
    i.layoutChanged = true;
    i.allDirty = true;
}

void X11Presenter::PixelsChanged(HWND window, const RECT& changed) { impl->pixelChanges.emplace_back(window, changed); }
