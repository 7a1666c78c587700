#include "host/cli/StateFile.h"

#include "host/StandInHost.h"
#include "host/cli/input/InputFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

bool ReadStateFile(const std::string& path, size_t size, std::vector<uint8_t>* data, std::string* error)
{
    struct stat status = {};
    std::string cause;
    const int fd = OpenInputFile(path, &status, &cause);
    if (fd < 0)
    {
        *error = "cannot be read: " + cause;
        return false;
    }
    // One byte more than a state tells a longer file without reading it all.
    data->assign(size + 1, 0);
    size_t got = 0;
    while (got < data->size())
    {
        const ssize_t n = ::read(fd, data->data() + got, data->size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
        {
            *error = std::string("cannot be read: ") + std::strerror(errno);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    data->resize(got);
    if (got <= size)
        return true;
    const bool sized = S_ISREG(status.st_mode) && status.st_size > static_cast<off_t>(size);
    const std::string length = sized ? FormatText("%lld bytes", static_cast<long long>(status.st_size))
                                   : FormatText("more than %zu bytes", size);
    *error = FormatText("not a state of this effect (%s; a state holds %zu)", length.c_str(), size);
    return false;
}
