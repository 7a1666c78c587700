#pragma once
// Whole-file reading and atomic replacement, for program files. Every call
// runs on its caller's thread and keeps no file open beyond the object's life.

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

// Replaces (or creates) the file at path with size bytes of data: they go to
// a new file in the same folder, which is flushed to disk, closed and then
// renamed over path. False when any step fails (a full disk, a missing
// folder, a path that names a folder); then path is as it was and the new
// file is removed. The new file's mode is 0666 less the process's umask.
bool WriteFileAtomically(const char* path, const void* data, size_t size);
