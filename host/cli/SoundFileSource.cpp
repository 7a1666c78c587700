#include "host/cli/SoundFileSource.h"

#include "host/cli/DeclaredFrames.h"
#include "host/cli/InputFile.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace {

// Waits until a stream has data or its writer is gone.
void AwaitData(int fd)
{
    pollfd wait = {fd, POLLIN, 0};
    while (::poll(&wait, 1, -1) < 0 && errno == EINTR)
    {
    }
}

// One channel at a time: the output pointer stays in a register.
void Deinterleave(const float* in, float* const* channels, sf_count_t frames, size_t count)
{
    for (size_t c = 0; c < count; ++c)
    {
        float* out = channels[c];
        for (sf_count_t i = 0; i < frames; ++i)
            out[i] = in[static_cast<size_t>(i) * count + c];
    }
}

// The common widths with the stride known, so that the loop vectorises.
template <size_t kCount>
void Deinterleave(const float* in, float* const* channels, sf_count_t frames)
{
    for (size_t c = 0; c < kCount; ++c)
    {
        float* out = channels[c];
        for (sf_count_t i = 0; i < frames; ++i)
            out[i] = in[static_cast<size_t>(i) * kCount + c];
    }
}

}  // namespace

std::unique_ptr<SoundFileSource> SoundFileSource::Open(const std::string& path, std::string* error)
{
    // A FIFO blocks here until its writer comes: outside any lock, so the
    // other inputs go on.
    struct stat status = {};
    const int fd = OpenInputFile(path, &status, error);
    if (fd < 0)
        return nullptr;
    const bool regular = S_ISREG(status.st_mode);
    if (!regular)
        AwaitData(fd);

    // libsndfile closes the descriptor it is given when an open fails, even
    // when told not to: it gets a duplicate of its own (sharing the file
    // position), so that ours is closed exactly once and a number another
    // thread has opened since is never closed under it.
    int libraryFd = -1;
    do
        libraryFd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    while (libraryFd < 0 && errno == EINTR);
    if (libraryFd < 0)
    {
        *error = std::strerror(errno);
        ::close(fd);
        return nullptr;
    }
    SF_INFO info = {};
    SNDFILE* file = nullptr;
    {
        // libsndfile keeps the reason of a failed open in one process-wide
        // slot. The lock covers only reading a header that is at hand: a
        // regular file, or a stream that has begun to arrive.
        static std::mutex openLock;
        std::lock_guard<std::mutex> guard(openLock);
        file = sf_open_fd(libraryFd, SFM_READ, &info, SF_TRUE);
        if (!file)
            *error = sf_strerror(nullptr);
    }
    if (!file)
    {
        ::close(fd);
        return nullptr;
    }
    int64_t declared = -1;
    if (regular)
    {
        const int64_t counted = info.frames < SF_COUNT_MAX ? info.frames : -1;
        declared = std::max(DeclaredFrames(fd), counted);
    }
    return std::unique_ptr<SoundFileSource>(new SoundFileSource(file, fd, info, declared));
}

SoundFileSource::~SoundFileSource()
{
    sf_close(file);  // closes libsndfile's duplicate
    ::close(fd);
}

int32_t SoundFileSource::Read(float* const* channels, int32_t frames)
{
    const size_t count = static_cast<size_t>(info.channels);
    // Sized at the first read, once the caller has accepted the channel count.
    if (interleaved.size() < static_cast<size_t>(frames) * count)
        interleaved.resize(static_cast<size_t>(frames) * count);
    if (!error.empty())
        return -1;
    const sf_count_t got = sf_readf_float(file, interleaved.data(), frames);
    // The frames decoded before a failure are kept; the next call fails.
    if (got < frames && sf_error(file) != SF_ERR_NO_ERROR)
    {
        error = sf_strerror(file);
        if (got <= 0)
            return -1;
    }
    switch (count)
    {
    case 1: Deinterleave<1>(interleaved.data(), channels, got); break;
    case 2: Deinterleave<2>(interleaved.data(), channels, got); break;
    case 6: Deinterleave<6>(interleaved.data(), channels, got); break;
    default: Deinterleave(interleaved.data(), channels, got, count); break;
    }
    return static_cast<int32_t>(got);
}
