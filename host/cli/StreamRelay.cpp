#include "host/cli/StreamRelay.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

// A pipe's usual capacity: one read of the stream fills at most this.
constexpr size_t kCopyBytes = 65536;

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

std::unique_ptr<StreamRelay> StreamRelay::Start(int stream, std::string head, std::string* error)
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
    return std::unique_ptr<StreamRelay>(new StreamRelay(stream, ends[0], ends[1], wake, std::move(head)));
}

StreamRelay::StreamRelay(int stream, int readEnd, int writeEnd, int wake, std::string head)
    : stream(stream), readEnd(readEnd), writeEnd(writeEnd), wake(wake), head(std::move(head)),
      copier(&StreamRelay::Copy, this)
{
}

StreamRelay::~StreamRelay()
{
    Stop();
    copier.join();
    ::close(readEnd);
    ::close(wake);
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
    if (Put(head.data(), head.size()))
        for (;;)
        {
            pollfd fds[2] = {{stream, POLLIN, 0}, {wake, POLLIN, 0}};
            if (PollAgain(fds, 2, -1) < 0)
            {
                Fail(errno);
                break;
            }
            if (fds[1].revents)
                break;
            const ssize_t got = ::read(stream, buffer.data(), buffer.size());
            if (got < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (got < 0)
                Fail(errno);
            if (got <= 0 || !Put(buffer.data(), static_cast<size_t>(got)))
                break;
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
