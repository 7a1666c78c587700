#include "host/cli/StopOnInterrupt.h"

#include "platform/x11/X11Presenter.h"

#include <atomic>

namespace {

// Read in the handler: a lock-free atomic is safe there.
std::atomic<X11Presenter*> target{nullptr};
static_assert(std::atomic<X11Presenter*>::is_always_lock_free, "the handler may not take a lock");

extern "C" void AskToStop(int)
{
    // Stop only stores a flag and writes a byte to a pipe.
    if (X11Presenter* presenter = target.load())
        presenter->Stop();
}

}  // namespace

StopOnInterrupt::StopOnInterrupt(X11Presenter& presenter)
{
    target.store(&presenter);
    struct sigaction action = {};
    action.sa_handler = AskToStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previousInterrupt);
    sigaction(SIGTERM, &action, &previousTerminate);
}

StopOnInterrupt::~StopOnInterrupt()
{
    sigaction(SIGINT, &previousInterrupt, nullptr);
    sigaction(SIGTERM, &previousTerminate, nullptr);
    target.store(nullptr);
}
