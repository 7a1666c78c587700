#include "host/cli/input/StreamRelay.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

namespace {

// A pipe's usual capacity: one read of the stream fills at most this.
constexpr size_t kCopyBytes = 65536;
// How long a pause in the stream ends a gathering that has taken bytes.
constexpr int kQuietMs = 20;

// poll, again after a signal; the fds' events in each revents.
int PollAgain(pollfd* fds, nfds_t count, int waitMs)
{
    int ready = 0;
    while ((ready = ::poll(fds, count, waitMs)) < 0 && errno == EINTR)
    {
    }
    return ready;
}

}  // namespace

std::unique_ptr<StreamRelay> StreamRelay::Make(int stream, int stop, std::string* error)
{
    int ends[2] = {-1, -1};
    // The writing end never blocks: the copying thread waits in poll, where a
    // stop reaches it.
    if (::pipe2(ends, O_CLOEXEC) != 0)
    {
        *error = std::strerror(errno);
        return nullptr;
    }
    const int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake < 0 || ::fcntl(ends[1], F_SETFL, O_NONBLOCK) != 0)
    {
        *error = std::strerror(errno);
        for (const int fd : {ends[0], ends[1], wake})
            if (fd >= 0)
                ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<StreamRelay>(new StreamRelay(stream, stop, ends[0], ends[1], wake));
}

StreamRelay::StreamRelay(int stream, int stop, int readEnd, int writeEnd, int wake)
    : stream(stream), stop(stop), readEnd(readEnd), writeEnd(writeEnd), wake(wake), ended(stream < 0)
{
}

StreamRelay::~StreamRelay()
{
    Stop();
    if (copier.joinable())
        copier.join();
    else
        ::close(writeEnd);
    ::close(readEnd);
    ::close(wake);
}

bool StreamRelay::Gather(size_t bytes)
{
    const size_t before = head.size();
    while (!ended && head.size() < bytes)
    {
        // Once some bytes have come, a pause in the stream ends the wait:
        // they may be all that the reader needs.
        pollfd fds[3] = {{stream, POLLIN, 0}, {wake, POLLIN, 0}, {stop, POLLIN, 0}};
        const int ready = PollAgain(fds, 3, head.size() > before ? kQuietMs : -1);
        if (fds[1].revents || fds[2].revents)
            return false;
        if (ready == 0)
            break;
        const size_t had = head.size();
        head.resize(had + kCopyBytes);
        const ssize_t got = ready < 0 ? -1 : ::read(stream, head.data() + had, kCopyBytes);
        const int cause = errno;
        head.resize(had + static_cast<size_t>(std::max<ssize_t>(got, 0)));
        if (got < 0 && (cause == EINTR || cause == EAGAIN))
            continue;
        if (got < 0)
            Fail(cause);
        ended = got <= 0;
    }
    return true;
}

bool StreamRelay::Release(std::string first, std::string* cause, uint64_t bytes)
{
    head = std::move(first);
    if (head.size() > bytes)
        head.resize(bytes);
    most = bytes;
    try
    {
        copier = std::thread(&StreamRelay::Copy, this);
    }
    catch (const std::system_error& e)
    {
        *cause = e.code().message();
        return false;
    }
    return true;
}

void StreamRelay::Stop()
{
    const uint64_t one = 1;
    // Only a full counter refuses, and then the event is raised already.
    [[maybe_unused]] const ssize_t put = ::write(wake, &one, sizeof one);
}

size_t StreamRelay::Ready() const
{
    int bytes = 0;
    return ::ioctl(readEnd, FIONREAD, &bytes) == 0 && bytes > 0 ? static_cast<size_t>(bytes) : 0;
}

bool StreamRelay::Wait(int waitMs) const
{
    pollfd pipe = {readEnd, POLLIN, 0};
    PollAgain(&pipe, 1, waitMs);
    // A pipe whose writer is gone reports the hang-up beside any bytes left.
    return (pipe.revents & (POLLHUP | POLLERR)) != 0;
}

void StreamRelay::Copy()
{
    std::vector<char> buffer(kCopyBytes);
    if (Put(head.data(), head.size()) && stream >= 0)
        for (uint64_t left = most - head.size(); left > 0;)
        {
            pollfd fds[2] = {{stream, POLLIN, 0}, {wake, POLLIN, 0}};
            if (PollAgain(fds, 2, -1) < 0)
            {
                Fail(errno);
                break;
            }
            if (fds[1].revents)
                break;
            const ssize_t got = ::read(stream, buffer.data(), std::min<uint64_t>(buffer.size(), left));
            if (got < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (got < 0)
                Fail(errno);
            if (got <= 0 || !Put(buffer.data(), static_cast<size_t>(got)))
                break;
            left -= static_cast<uint64_t>(got);
        }
    // The reader sees the end of the pipe after what it holds.
    ::close(writeEnd);
    writeEnd = -1;
}

void StreamRelay::Fail(int cause)
{
    std::lock_guard<std::mutex> guard(errorLock);
    error = std::strerror(cause);
}

std::string StreamRelay::Error() const
{
    std::lock_guard<std::mutex> guard(errorLock);
    return error;
}

bool StreamRelay::Put(const char* bytes, size_t size)
{
    while (size > 0)
    {
        const ssize_t put = ::write(writeEnd, bytes, size);
        if (put > 0)
        {
            bytes += put;
            size -= static_cast<size_t>(put);
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EINTR)
        {
            Fail(errno);
            return false;
        }
        pollfd fds[2] = {{writeEnd, POLLOUT, 0}, {wake, POLLIN, 0}};
        if (PollAgain(fds, 2, -1) < 0 || fds[1].revents)
            return false;
    }
    return true;
}
