#include "platform/FileIO.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs read or write until n bytes went through; false on an error or an
// early end of file.
template <class Byte, class Call>
bool TransferAll(int fd, Byte* p, size_t n, Call call)
{
    while (n > 0)
    {
        const ssize_t done = call(fd, p, n);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        p += done;
        n -= static_cast<size_t>(done);
    }
    return true;
}

// A name beside path that no other writer (thread or process) picks.
std::string TempNameFor(const char* path)
{
    static std::atomic<unsigned> counter{0};
    return std::string(path) + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

ReadOnlyFile::~ReadOnlyFile()
{
    if (fd >= 0)
        ::close(fd);
}

bool ReadOnlyFile::Open(const char* path)
{
    if (fd >= 0 || !path || !*path)
        return false;
    // Non-blocking so that a pipe or device named like a program file cannot
    // hang the caller; regular files ignore the flag.
    fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    {
        ::close(fd);
        fd = -1;
        return false;
    }
    size = st.st_size;
    return true;
}

bool ReadOnlyFile::ReadNext(void* dest, size_t n)
{
    return fd >= 0 && TransferAll(fd, static_cast<uint8_t*>(dest), n, ::read);
}

bool WriteFileAtomically(const char* path, const void* data, size_t size)
{
    if (!path || !*path)
        return false;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt)
    {
        temp = TempNameFor(path);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    // fsync before the rename: a full disk may show only there, and the
    // rename must never publish a file whose data is not on disk.
    bool ok = TransferAll(fd, static_cast<const uint8_t*>(data), size, ::write);
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(temp.c_str(), path) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}
