#include "platform/FileIO.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <vector>

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

constexpr char kTempPrefix[] = ".sonvarek-";
constexpr char kTempSuffix[] = ".tmp";
constexpr int kMaxLinks = 40;  // as the kernel follows them
constexpr long kProcSuperMagic = 0x9fa0;  // statfs type of /proc

// errno as it stood at construction, put back at destruction: clean-up calls
// must not hide the step that failed.
struct KeepErrno
{
    int saved = errno;
    ~KeepErrno() { errno = saved; }
};

// The folder part of path, with its final "/"; empty for a bare name.
std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A short name in folder that no other writer (thread or process) picks.
std::string TempPathIn(const std::string& folder)
{
    static std::atomic<unsigned> counter{0};
    return folder + kTempPrefix + std::to_string(::getpid()) + "-" + std::to_string(counter++) + kTempSuffix;
}

// The text of the symbolic link at link.
bool ReadLink(const std::string& link, std::string* target)
{
    std::vector<char> buf(4096);
    for (;;)
    {
        const ssize_t n = ::readlink(link.c_str(), buf.data(), buf.size());
        if (n < 0)
            return false;
        if (static_cast<size_t>(n) < buf.size())
        {
            target->assign(buf.data(), static_cast<size_t>(n));
            return true;
        }
        if (buf.size() >= (size_t{1} << 20))
        {
            errno = ENAMETOOLONG;
            return false;
        }
        buf.resize(buf.size() * 2);
    }
}

// True when the folder holding path's last part is in the /proc file system,
// whose links (/proc/self/fd/N, reached from /dev/stdout or /dev/fd/N) name
// files the process holds open.
bool InProc(const std::string& path)
{
    const std::string folder = FolderOf(path);
    struct statfs fs;
    return ::statfs(folder.empty() ? "." : folder.c_str(), &fs) == 0 && fs.f_type == kProcSuperMagic;
}

// Follows the symbolic links that path's last part names until it names no
// link (a file, or nothing yet): that is where a write belongs. throughProc
// is set when one of the links is in /proc. False, with errno, when a link
// cannot be read or there are too many.
bool FollowLinks(std::string* path, bool* throughProc)
{
    *throughProc = false;
    for (int links = 0;; ++links)
    {
        struct stat st;
        if (::lstat(path->c_str(), &st) != 0)
            return errno == ENOENT;  // a name still to be made
        if (!S_ISLNK(st.st_mode))
            return true;
        if (links == kMaxLinks)
        {
            errno = ELOOP;
            return false;
        }
        *throughProc = *throughProc || InProc(*path);
        std::string target;
        if (!ReadLink(*path, &target))
            return false;
        *path = !target.empty() && target[0] == '/' ? target : FolderOf(*path) + target;
    }
}

// Writes data into what path names as it stands: a device, a FIFO, or a
// file the process holds open (truncated first). `expected` is the type that
// stat saw; anything else by the time it is open is left alone.
bool WriteInPlace(const char* path, mode_t expected, const void* data, size_t size)
{
    const bool regular = S_ISREG(expected);
    // Non-blocking, so that opening a FIFO without a reader fails (ENXIO)
    // rather than waiting; the writes themselves block as usual.
    const int fd = ::open(path, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC | (regular ? O_TRUNC : 0));
    if (fd < 0)
        return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0;
    if (ok && (st.st_mode & S_IFMT) != (expected & S_IFMT))
    {
        errno = EAGAIN;  // it changed since it was looked at
        ok = false;
    }
    const int flags = ok ? ::fcntl(fd, F_GETFL) : -1;
    ok = ok && flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
    ok = ok && TransferAll(fd, static_cast<const uint8_t*>(data), size, ::write);
    ok = ok && (!regular || ::fsync(fd) == 0);
    if (!ok)
    {
        KeepErrno keep;
        ::close(fd);
        return false;
    }
    return ::close(fd) == 0;
}

// Writes data to a new temporary file beside target and renames it over
// target; existing (null for a new file) is what target is now.
bool ReplaceFile(const std::string& target, const struct stat* existing, const void* data, size_t size)
{
    const std::string folder = FolderOf(target);
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt)
    {
        temp = TempPathIn(folder);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    bool ok = true;
    if (existing)
    {
        // Another owner can be kept only where the system allows it.
        if (existing->st_uid != ::geteuid() || existing->st_gid != ::getegid())
        {
            KeepErrno keep;
            (void)::fchown(fd, existing->st_uid, existing->st_gid);
        }
        ok = ::fchmod(fd, existing->st_mode & 0777) == 0;
    }
    // fsync before the rename: a full disk may show only there, and the
    // rename must never publish a file whose data is not on disk.
    ok = ok && TransferAll(fd, static_cast<const uint8_t*>(data), size, ::write);
    ok = ok && ::fsync(fd) == 0;
    if (ok)
        ok = ::close(fd) == 0;
    else
    {
        KeepErrno keep;
        ::close(fd);
    }
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok)
    {
        KeepErrno keep;
        ::unlink(temp.c_str());
    }
    return ok;
}

// True when text ends in ".tmp" followed by digits, "-" and digits.
bool EndsLikeAnOldTemporary(const char* name)
{
    const char* tmp = std::strstr(name, ".tmp");
    for (const char* next = tmp; next; next = std::strstr(next + 1, ".tmp"))
        tmp = next;
    if (!tmp)
        return false;
    const char* p = tmp + 4;
    const char* digits = p;
    while (std::isdigit(static_cast<unsigned char>(*p)))
        ++p;
    if (p == digits || *p != '-')
        return false;
    digits = ++p;
    while (std::isdigit(static_cast<unsigned char>(*p)))
        ++p;
    return p != digits && *p == '\0';
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
    {
        errno = ENOENT;
        return false;
    }
    struct stat st;
    const bool exists = ::stat(path, &st) == 0;
    if (!exists && errno != ENOENT)
        return false;
    if (exists && S_ISDIR(st.st_mode))
    {
        errno = EISDIR;
        return false;
    }
    if (exists && !S_ISREG(st.st_mode) && !S_ISCHR(st.st_mode) && !S_ISFIFO(st.st_mode))
    {
        errno = ENOTSUP;
        return false;
    }
    if (exists && !S_ISREG(st.st_mode))
        return WriteInPlace(path, st.st_mode, data, size);

    std::string target = path;
    bool throughProc = false;
    if (!FollowLinks(&target, &throughProc))
        return false;
    if (exists && throughProc)
        return WriteInPlace(path, st.st_mode, data, size);
    if (exists)
    {
        // The file the links lead to must be the one stat found.
        struct stat found;
        if (::stat(target.c_str(), &found) != 0)
            return false;
        if (found.st_dev != st.st_dev || found.st_ino != st.st_ino)
        {
            errno = EAGAIN;
            return false;
        }
    }
    return ReplaceFile(target, exists ? &st : nullptr, data, size);
}

bool IsWriteTemporaryName(const char* name)
{
    if (!name)
        return false;
    const size_t n = std::strlen(name);
    const size_t prefix = sizeof kTempPrefix - 1;
    const size_t suffix = sizeof kTempSuffix - 1;
    if (n > prefix + suffix && std::strncmp(name, kTempPrefix, prefix) == 0 &&
        std::strcmp(name + n - suffix, kTempSuffix) == 0)
        return true;
    return EndsLikeAnOldTemporary(name);
}
