#pragma once
// While one lives, SIGINT and SIGTERM (Ctrl-C, kill) ask the presenter's
// loops to stop, so that the program ends its run as it would when the
// window is closed, instead of ending at once; the handlers from before are
// back once it goes. At most one at a time. [main thread]

#include <csignal>

class X11Presenter;

class StopOnInterrupt
{
public:
    explicit StopOnInterrupt(X11Presenter& presenter);
    ~StopOnInterrupt();
    StopOnInterrupt(const StopOnInterrupt&) = delete;
    StopOnInterrupt& operator=(const StopOnInterrupt&) = delete;

private:
    struct sigaction previousInterrupt = {};
    struct sigaction previousTerminate = {};
};
