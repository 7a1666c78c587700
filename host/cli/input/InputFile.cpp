#include "host/cli/input/InputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

int OpenInputFile(const std::string& path, struct stat* status, std::string* error, bool nonBlocking)
{
    int fd = -1;
    do
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | (nonBlocking ? O_NONBLOCK : 0));
    while (fd < 0 && errno == EINTR);
    if (fd < 0 || ::fstat(fd, status) != 0)
    {
        *error = std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    if (S_ISDIR(status->st_mode))
    {
        *error = std::strerror(EISDIR);
        ::close(fd);
        return -1;
    }
    return fd;
}
