#include "host/cli/StopAwareWrites.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>

namespace {

// How long, from the first write that sees the stop, the outputs may take
// to take what is written: a reader that keeps up loses nothing, and the
// stopped run still ends within a moment.
constexpr std::chrono::milliseconds kGrace{300};

using Clock = std::chrono::steady_clock;

}  // namespace

void StopAwareWrites::StopOn(int event) { stop.store(event); }

// True once fd has room (or an error the write will tell), false when the
// stop's grace has run out first.
bool StopAwareWrites::AwaitRoom(int fd)
{
    for (;;)
    {
        const int event = stop.load();
        const int64_t ends = graceEnds.load();
        pollfd waits[2] = {{fd, POLLOUT, 0}, {event, POLLIN, 0}};
        nfds_t count = event >= 0 ? 2 : 1;
        int timeout = -1;
        if (ends != 0)
        {
            count = 1;
            const auto left = Clock::duration(ends) - Clock::now().time_since_epoch();
            timeout = static_cast<int>(std::max<int64_t>(
                std::chrono::ceil<std::chrono::milliseconds>(left).count(), 0));
        }
        const int ready = ::poll(waits, count, timeout);
        if (ready < 0)
        {
            if (errno == EINTR)
                continue;
            return true;  // the write waits as it would have
        }
        if (count == 2 && waits[1].revents != 0)
        {
            int64_t none = 0;
            graceEnds.compare_exchange_strong(none, (Clock::now() + kGrace).time_since_epoch().count());
        }
        if (waits[0].revents != 0)
            return true;
        if (ready == 0)
            return false;
    }
}

int StopAwareWrites::OpenOwn(int fd)
{
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !(S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode)))
        return -1;
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    return ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

bool StopAwareWrites::Write(int fd, int own, const char* data, size_t size)
{
    while (size > 0)
    {
        if (!AwaitRoom(fd))
        {
            gaveUp.store(true);
            errno = ECANCELED;
            return false;
        }
        // Without a description of its own, no more than a pipe that polls
        // writable takes without blocking.
        const ssize_t written =
            own >= 0 ? ::write(own, data, size) : ::write(fd, data, std::min<size_t>(size, PIPE_BUF));
        if (written < 0 && (errno == EINTR || (own >= 0 && errno == EAGAIN)))
            continue;
        if (written <= 0)
        {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool StopAwareWrites::Write(std::FILE* stream, const std::string& text)
{
    const int fd = fileno(stream);
    if (fd < 0)
        return std::fputs(text.c_str(), stream) >= 0 && std::fflush(stream) == 0;
    // What stdio still holds goes first, in its place.
    if (std::fflush(stream) != 0)
        return false;
    const int own = OpenOwn(fd);
    const bool written = Write(fd, own, text.data(), text.size());
    const int cause = errno;
    if (own >= 0)
        ::close(own);
    errno = cause;
    return written;
}
