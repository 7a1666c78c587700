#include "host/cli/StopOnInterrupt.h"

#include "platform/x11/X11Presenter.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>

namespace {

// Read and written in the handler: lock-free atomics are safe there.
std::atomic<X11Presenter*> target{nullptr};
std::atomic<int> eventToRaise{-1};
std::atomic<int> asked{0};
std::atomic<bool> askedAtAll{false};  // set after asked
static_assert(std::atomic<X11Presenter*>::is_always_lock_free, "the handler may not take a lock");
static_assert(std::atomic<int>::is_always_lock_free, "the handler may not take a lock");
static_assert(std::atomic<bool>::is_always_lock_free, "the handler may not take a lock");

extern "C" void AskToStop(int signal)
{
    // The interrupted thread may be about to read errno.
    const int saved = errno;
    int none = 0;
    asked.compare_exchange_strong(none, signal);
    askedAtAll.store(true);
    // Stop only stores a flag and writes a byte to a pipe.
    if (X11Presenter* presenter = target.load())
        presenter->Stop();
    const int fd = eventToRaise.load();
    if (fd >= 0)
    {
        const uint64_t one = 1;
        // Only a full counter refuses, and then the event is raised already.
        [[maybe_unused]] const ssize_t raised = ::write(fd, &one, sizeof one);
    }
    errno = saved;
}

// The event of the runs without a presenter: made once and never closed,
// so that a handler that took it just before its run ended never writes to
// a descriptor closed or reused since. Lowered for each run. -1 when it
// cannot be made.
int StopEvent()
{
    static const int fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    uint64_t count = 0;
    if (fd >= 0)
    {
        [[maybe_unused]] const ssize_t lowered = ::read(fd, &count, sizeof count);
    }
    return fd;
}

// Catches signal unless it is ignored; *previous is its action until now,
// read first, so that an ignored signal is never caught, not even for a
// moment.
void CatchUnlessIgnored(int signal, struct sigaction* previous)
{
    sigaction(signal, nullptr, previous);
    if (previous->sa_handler == SIG_IGN)
        return;
    struct sigaction action = {};
    action.sa_handler = AskToStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

}  // namespace

StopOnInterrupt::StopOnInterrupt(X11Presenter& presenter)
{
    asked.store(0);
    askedAtAll.store(false);
    target.store(&presenter);
    CatchUnlessIgnored(SIGINT, &previousInterrupt);
    CatchUnlessIgnored(SIGTERM, &previousTerminate);
}

StopOnInterrupt::StopOnInterrupt() : event(StopEvent())
{
    asked.store(0);
    askedAtAll.store(false);
    if (event < 0)
    {
        // No handler: the destructor puts the actions back as they are.
        sigaction(SIGINT, nullptr, &previousInterrupt);
        sigaction(SIGTERM, nullptr, &previousTerminate);
        return;
    }
    eventToRaise.store(event);
    CatchUnlessIgnored(SIGINT, &previousInterrupt);
    CatchUnlessIgnored(SIGTERM, &previousTerminate);
}

StopOnInterrupt::~StopOnInterrupt()
{
    sigaction(SIGINT, &previousInterrupt, nullptr);
    sigaction(SIGTERM, &previousTerminate, nullptr);
    target.store(nullptr);
    eventToRaise.store(-1);
}

int StopOnInterrupt::Signal() { return asked.load(); }

const std::atomic<bool>& StopOnInterrupt::Asked() { return askedAtAll; }
