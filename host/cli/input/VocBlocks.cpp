#include "host/cli/input/VocBlocks.h"

#include "host/cli/input/HeaderBytes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace {

constexpr uint8_t kTerminator = 0;
constexpr uint8_t kSoundData = 1;
constexpr uint8_t kContinuation = 2;
constexpr uint8_t kNewSoundData = 9;
// A block's size is a 24-bit field.
constexpr uint64_t kMostBlockBytes = 0xFFFFFF;

struct Range
{
    uint64_t offset;
    uint64_t bytes;
};

}  // namespace

std::unique_ptr<FileView> VocBlocks(int fd, std::string* error)
{
    struct stat status = {};
    uint8_t head[26];
    if (::fstat(fd, &status) != 0 || !ReadAt(fd, 0, head, sizeof head))
        return nullptr;
    const uint64_t fileBytes = static_cast<uint64_t>(status.st_size);
    // The first block: sound data (a rate and a codec) or new sound data (a
    // rate, bits, channels, a codec and 4 bytes reserved).
    const uint64_t first = LoadLE(head + 20, 2);
    uint8_t block[4];
    if (!ReadAt(fd, first, block, sizeof block) || (block[0] != kSoundData && block[0] != kNewSoundData))
        return nullptr;
    const uint64_t fields = block[0] == kSoundData ? 2 : 12;
    const uint64_t firstSize = LoadLE(block + 1, 3);
    if (firstSize < fields)
        return nullptr;
    std::vector<Range> samples = {{first + 4 + fields, firstSize - fields}};
    for (uint64_t at = first + 4 + firstSize; at < fileBytes;)
    {
        if (!ReadAt(fd, at, block, 1) || block[0] == kTerminator)
            break;
        // A cut file's last header: the samples end before it.
        if (!ReadAt(fd, at, block, sizeof block))
            break;
        const uint64_t size = LoadLE(block + 1, 3);
        if (block[0] != kContinuation)
        {
            char reason[64];
            std::snprintf(reason, sizeof reason, "VOC with a block of type %d after its sound data", block[0]);
            *error = reason;
            return nullptr;
        }
        samples.push_back({at + 4, size});
        at += 4 + size;
    }
    // A block that runs to the end of the file: its last byte, a 0, is the
    // terminator that a writer counted in it.
    uint8_t last = 1;
    Range& tail = samples.back();
    if (tail.bytes > 0 && tail.offset + tail.bytes == fileBytes && ReadAt(fd, fileBytes - 1, &last, 1) && last == 0)
        --tail.bytes;

    uint64_t total = 0;
    for (const Range& range : samples)
        total += range.bytes;
    std::string header(first + 4 + fields, '\0');
    if (!ReadAt(fd, 0, reinterpret_cast<uint8_t*>(header.data()), header.size()))
        return nullptr;
    // The block's size where it fits its field; the library reads on to the
    // terminator anyway.
    if (fields + total <= kMostBlockBytes)
        for (int i = 0; i < 3; ++i)
            header[first + 1 + i] = static_cast<char>((fields + total) >> (8 * i) & 0xFF);
    auto view = std::make_unique<FileView>(fd);
    view->Add(std::move(header));
    for (const Range& range : samples)
        view->Add(range.offset, range.bytes);
    view->Add(std::string(1, static_cast<char>(kTerminator)));
    return view;
}
