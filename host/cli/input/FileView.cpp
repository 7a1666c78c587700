#include "host/cli/input/FileView.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

FileView::FileView(int fd) : fd(fd)
{
    struct stat status = {};
    if (::fstat(fd, &status) == 0 && status.st_size > 0)
        fileBytes = static_cast<uint64_t>(status.st_size);
}

void FileView::Add(std::string bytes)
{
    if (bytes.empty())
        return;
    const uint64_t size = bytes.size();
    pieces.push_back({length, size, std::move(bytes), 0});
    length += size;
}

void FileView::Add(uint64_t offset, uint64_t bytes)
{
    bytes = offset < fileBytes ? std::min(bytes, fileBytes - offset) : 0;
    if (bytes == 0)
        return;
    pieces.push_back({length, bytes, {}, offset});
    length += bytes;
}

sf_count_t FileView::Read(void* to, sf_count_t count)
{
    auto* out = static_cast<char*>(to);
    uint64_t left = count > 0 ? std::min(static_cast<uint64_t>(count), length - std::min(position, length)) : 0;
    if (left == 0)
        return 0;
    // The piece holding the position: the last that starts at or before it.
    auto piece = std::upper_bound(pieces.begin(), pieces.end(), position,
                                  [](uint64_t at, const Piece& p) { return at < p.start; });
    const uint64_t wanted = left;
    for (--piece; left > 0; ++piece)
    {
        const uint64_t into = position - piece->start;
        const uint64_t n = std::min(left, piece->bytes - into);
        if (!piece->own.empty())
            std::memcpy(out, piece->own.data() + into, n);
        else
            for (uint64_t done = 0; done < n;)
            {
                const ssize_t got = ::pread(fd, out + done, n - done, static_cast<off_t>(piece->offset + into + done));
                if (got < 0 && errno == EINTR)
                    continue;
                if (got <= 0)
                {
                    // The file shrank or failed under the view: its end.
                    if (got < 0)
                        error = std::strerror(errno);
                    position += done;
                    return static_cast<sf_count_t>(wanted - left + done);
                }
                done += static_cast<uint64_t>(got);
            }
        out += n;
        position += n;
        left -= n;
    }
    return static_cast<sf_count_t>(wanted);
}

sf_count_t FileView::Seek(sf_count_t offset, int whence)
{
    const int64_t base = whence == SEEK_CUR ? static_cast<int64_t>(position)
                         : whence == SEEK_END ? static_cast<int64_t>(length)
                                              : 0;
    if (offset < -base)
        return -1;
    position = static_cast<uint64_t>(base + offset);
    return static_cast<sf_count_t>(position);
}

SF_VIRTUAL_IO& FileView::Calls()
{
    static SF_VIRTUAL_IO calls = {
        [](void* view) -> sf_count_t { return static_cast<sf_count_t>(static_cast<FileView*>(view)->length); },
        [](sf_count_t offset, int whence, void* view) { return static_cast<FileView*>(view)->Seek(offset, whence); },
        [](void* to, sf_count_t count, void* view) { return static_cast<FileView*>(view)->Read(to, count); },
        [](const void*, sf_count_t, void*) -> sf_count_t { return 0; },
        [](void* view) -> sf_count_t { return static_cast<sf_count_t>(static_cast<FileView*>(view)->position); },
    };
    return calls;
}
