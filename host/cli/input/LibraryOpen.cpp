#include "host/cli/input/LibraryOpen.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

namespace {

template <class Open>
SNDFILE* OneAtATime(SF_INFO* info, std::string* error, Open open)
{
    static std::mutex openLock;
    std::lock_guard<std::mutex> guard(openLock);
    *info = {};
    SNDFILE* file = open();
    if (!file)
        *error = sf_strerror(nullptr);
    return file;
}

}  // namespace

SNDFILE* OpenWithLibrary(int fd, SF_INFO* info, std::string* error)
{
    // The library closes the descriptor it is given when an open fails, even
    // when told not to: it gets a duplicate of its own, so that ours is
    // closed exactly once and a number another thread has opened since is
    // never closed under it.
    int libraryFd = -1;
    do
        libraryFd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    while (libraryFd < 0 && errno == EINTR);
    if (libraryFd < 0)
    {
        *error = std::strerror(errno);
        return nullptr;
    }
    return OneAtATime(info, error, [&] { return sf_open_fd(libraryFd, SFM_READ, info, SF_TRUE); });
}

SNDFILE* OpenWithLibrary(FileView& view, SF_INFO* info, std::string* error)
{
    return OneAtATime(info, error, [&] { return sf_open_virtual(&FileView::Calls(), SFM_READ, info, &view); });
}
