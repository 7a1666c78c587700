#pragma once
// While one lives, SIGINT and SIGTERM (Ctrl-C, kill) ask the program to end
// its run instead of ending it at once; the handlers from before are back
// once it goes. At most one at a time. [main thread]
//
// With a presenter, a signal asks the presenter's loops to stop, so that
// the program ends its run as it would when the window is closed. Without
// one, a signal is recorded (Asked(), Signal()) and raises an event
// (Event(), an eventfd) for the waits of the run to poll, so that the run
// ends its inputs and reports them. Either way a signal ignored when it is
// made (as a shell ignores SIGINT in the programs it starts in the
// background) stays ignored.
//
// The handler stores atomics and writes to a descriptor: async-signal-safe.

#include <atomic>
#include <csignal>

class X11Presenter;

class StopOnInterrupt
{
public:
    explicit StopOnInterrupt(X11Presenter& presenter);
    // Without a presenter. When the event cannot be made, no handler is set
    // (a signal ends the program as before) and Event() is -1.
    StopOnInterrupt();
    ~StopOnInterrupt();
    StopOnInterrupt(const StopOnInterrupt&) = delete;
    StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

    // A descriptor that turns readable, and stays so, once a signal asks to
    // stop; -1 with a presenter. It stays open: it is not the caller's. [any thread]
    int Event() const { return event; }
    // The first signal that asked to stop (SIGINT or SIGTERM); 0 while none
    // has. [any thread]
    static int Signal();
    // Set once a signal has asked to stop; Signal() tells it by then. [any
    // thread]
    static const std::atomic<bool>& Asked();

private:
    int event = -1;
    struct sigaction previousInterrupt = {};
    struct sigaction previousTerminate = {};
};
