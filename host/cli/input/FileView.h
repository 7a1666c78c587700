#pragma once
// A regular file as the audio library is to read it: bytes of the host's
// own (a header written in place of the file's), ranges of the file, and
// bytes of its own again, one after the other, read through the library's
// virtual I/O. The library sees a seekable file of their length.
// [built on any thread; then read by the library's reader, one at a time]

#include <sndfile.h>

#include <cstdint>
#include <string>
#include <vector>

class FileView
{
public:
    // fd: the file (the caller's, open while the view lives).
    explicit FileView(int fd);
    FileView(const FileView&) = delete;
    FileView& operator=(const FileView&) = delete;

    // Appends bytes of the view's own.
    void Add(std::string bytes);
    // Appends bytes of the file from offset on, as many of them as it holds.
    void Add(uint64_t offset, uint64_t bytes);

    // The library's calls, with this view as their user data.
    static SF_VIRTUAL_IO& Calls();
    // The system's cause when reading the file failed (the library then sees
    // its end); empty otherwise.
    const std::string& Error() const { return error; }

private:
    struct Piece
    {
        uint64_t start;   // in the view
        uint64_t bytes;
        std::string own;  // the bytes, or empty: the file's from offset
        uint64_t offset;
    };

    sf_count_t Read(void* to, sf_count_t count);
    sf_count_t Seek(sf_count_t offset, int whence);

    const int fd;
    uint64_t fileBytes = 0;
    std::vector<Piece> pieces;
    uint64_t length = 0;
    uint64_t position = 0;
    std::string error;
};
