#pragma once
// Whole-file reading and safe whole-file writing, for program files and
// state files. Every call runs on its caller's thread and keeps no file open
// beyond the object's life.

#include <cstddef>
#include <cstdint>

// A regular file opened for reading. Special files (folders, pipes, devices)
// are refused without blocking.
class ReadOnlyFile
{
public:
    ReadOnlyFile() = default;
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // False when path cannot be opened or is no regular file.
    bool Open(const char* path);
    // Size in bytes at opening; -1 while nothing is open.
    int64_t Size() const { return size; }
    // Reads the next n bytes into dest; false when fewer could be read.
    bool ReadNext(void* dest, size_t n);

private:
    int fd = -1;
    int64_t size = -1;
};

// Writes size bytes of data as the file at path, never leaving a half-written
// file behind, and never replacing something that is no regular file:
// - A regular file, or a name not in use yet, is replaced whole: the data go
//   to a temporary file in the same folder, which is flushed to disk, given
//   the permission bits (and, where allowed, the owner) of the file it
//   replaces (a new file: 0666 less the umask), and renamed over it.
//   Symbolic links are followed: the file they lead to is replaced (or made)
//   and the links stay. The temporary's name is short, whatever the length
//   of the target's, and IsWriteTemporaryName knows it.
// - A character device or a FIFO (/dev/null, /dev/stdout on a terminal or a
//   pipe) is written directly, as it stands; so is a file reached through
//   /proc (/dev/stdout, /dev/fd/N redirected to a file), which the process
//   already holds open: it is truncated and written in place. A FIFO that no
//   process reads fails at once (ENXIO) instead of waiting for a reader.
// - A folder is refused (EISDIR), as are a block device and a socket
//   (ENOTSUP): writing one directly is never what a user means.
// False when any step fails (a full disk, a missing folder, no permission);
// then a replaced file is as it was, no temporary is left, and errno says
// what failed (for strerror). Runs on the caller's thread.
bool WriteFileAtomically(const char* path, const void* data, size_t size);

// True when name (a file name without folder) is one of the temporary files
// WriteFileAtomically makes, including those its earlier versions named after
// the target plus ".tmp<pid>-<n>": a scan of user files should pass over them,
// as they are left behind only by a write cut short.
bool IsWriteTemporaryName(const char* name);
