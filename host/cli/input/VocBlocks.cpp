#include "host/cli/input/VocBlocks.h"

#include "host/cli/input/HeadWalk.h"
#include "host/cli/input/HeaderBytes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace {

constexpr uint8_t kTerminator = 0;
constexpr uint8_t kSoundData = 1;
constexpr uint8_t kContinuation = 2;
constexpr uint8_t kMarker = 4;
constexpr uint8_t kText = 5;
constexpr uint8_t kRepeat = 6;
constexpr uint8_t kRepeatEnd = 7;
constexpr uint8_t kExtended = 8;
constexpr uint8_t kNewSoundData = 9;
// A block's size is a 24-bit field.
constexpr uint64_t kMostBlockBytes = 0xFFFFFF;

struct Range
{
    uint64_t offset;
    uint64_t bytes;
};

// The bytes of a block's fields before any samples: an extended block's
// time constant, packing and mode; sound data's rate and codec; new sound
// data's rate, bits, channels, codec and 4 bytes reserved.
uint64_t FieldBytes(uint8_t type)
{
    return type == kExtended ? 4 : type == kSoundData ? 2 : 12;
}

// The bytes of a frame of the sound whose block header is at sound (an
// extended block's at extended, or null) where its codec and bits agree on
// 8-bit unsigned, 16-bit PCM, A-law or mu-law; 0 for other codecs.
uint64_t FrameBytes(const uint8_t* sound, const uint8_t* extended)
{
    if (sound[0] == kSoundData)
    {
        // Mono unless an extended block's mode says otherwise: the library
        // reads any mode but mono's as stereo.
        if (sound[5] != 0 || (extended && extended[6] != 0))
            return 0;
        return extended && extended[7] != 0 ? 2 : 1;
    }
    const uint64_t codec = LoadLE(sound + 10, 2);
    const uint64_t sampleBytes = codec == 0 || codec == 6 || codec == 7 ? 1 : codec == 4 ? 2 : 0;
    return sound[8] == 8 * sampleBytes ? sampleBytes * sound[9] : 0;
}

}  // namespace

std::unique_ptr<FileView> VocBlocks(int fd, int64_t* frames, std::string* error)
{
    struct stat status = {};
    uint8_t head[26];
    if (::fstat(fd, &status) != 0 || !ReadAt(fd, 0, head, sizeof head))
        return nullptr;
    const uint64_t fileBytes = static_cast<uint64_t>(status.st_size);
    const uint64_t first = LoadLE(head + 20, 2);
    // The header blocks given to the library: an extended block (a writer's
    // format for the sound data block after it) and the sound block.
    std::vector<Range> heads;
    std::vector<Range> samples;
    uint8_t block[4];
    uint64_t size = 0;
    for (uint64_t at = first; at < fileBytes; at += 4 + size)
    {
        if (!ReadAt(fd, at, block, 1) || block[0] == kTerminator)
            break;
        // A cut file's last header: the samples end before it.
        if (!ReadAt(fd, at, block, sizeof block))
            break;
        const uint8_t type = block[0];
        size = LoadLE(block + 1, 3);
        const bool began = !samples.empty();
        // Text, markers and repeats hold no sound; a repeat's sound is read once.
        if (type == kText || type == kMarker || type == kRepeat || type == kRepeatEnd)
            continue;
        if (type == kContinuation && began)
        {
            if (size > 0)
                samples.push_back({at + 4, size});
            continue;
        }
        // An extended block gives the format of a sound data block only:
        // another format after it leaves it without its sound.
        const bool extended = !began && !heads.empty();
        const bool format = type == kSoundData || (!extended && (type == kNewSoundData || type == kExtended));
        if (began || !format)
        {
            const bool orphan = extended && (type == kNewSoundData || type == kExtended);
            *error = Text(began ? "VOC with a block of type %llu after its sound data"
                                : "VOC with a block of type %llu before its sound data",
                          orphan ? kExtended : type);
            return nullptr;
        }
        const uint64_t fields = FieldBytes(type);
        if (at + 4 + fields > fileBytes)
            break;
        if (size < fields)
        {
            *error = Text("VOC with a block of type %llu too short for its format", type);
            return nullptr;
        }
        heads.push_back({at, 4 + fields});
        if (type != kExtended)
            samples.push_back({at + 4 + fields, size - fields});
    }
    if (samples.empty())
    {
        *error = "VOC without sound data";
        return nullptr;
    }
    // A block that runs to the end of the file: its last byte, a 0, is the
    // terminator that a writer counted in it.
    uint8_t last = 1;
    Range& tail = samples.back();
    if (tail.bytes > 0 && tail.offset + tail.bytes == fileBytes && ReadAt(fd, fileBytes - 1, &last, 1) && last == 0)
        --tail.bytes;

    uint64_t total = 0;
    uint64_t held = 0;
    for (const Range& range : samples)
    {
        total += range.bytes;
        held += range.offset < fileBytes ? std::min(range.bytes, fileBytes - range.offset) : 0;
    }
    // The file's header, then the header blocks with their fields only.
    std::string header(first, '\0');
    for (const Range& range : heads)
        header.resize(header.size() + range.bytes);
    auto* bytes = reinterpret_cast<uint8_t*>(header.data());
    if (!ReadAt(fd, 0, bytes, first))
        return nullptr;
    uint64_t at = first;
    for (const Range& range : heads)
    {
        if (!ReadAt(fd, range.offset, bytes + at, range.bytes))
            return nullptr;
        // Each block's size: its fields, and the sound block's samples the
        // file holds where they fit the field (the library reads on to the
        // terminator anyway). Not those declared: the library refuses sound
        // data that runs past the terminator, and takes the terminator for a
        // sample of new sound data that ends with the view.
        const uint64_t fields = range.bytes - 4;
        const uint64_t size = bytes[at] == kExtended ? fields : fields + held;
        if (size <= kMostBlockBytes)
            for (int i = 0; i < 3; ++i)
                bytes[at + 1 + i] = static_cast<uint8_t>(size >> (8 * i) & 0xFF);
        at += range.bytes;
    }
    const uint8_t* extended = heads.size() > 1 ? bytes + first : nullptr;
    const uint64_t frameBytes = FrameBytes(bytes + header.size() - heads.back().bytes, extended);
    *frames = frameBytes > 0 ? static_cast<int64_t>(total / frameBytes) : -1;
    auto view = std::make_unique<FileView>(fd);
    view->Add(std::move(header));
    for (const Range& range : samples)
        view->Add(range.offset, range.bytes);
    view->Add(std::string(1, static_cast<char>(kTerminator)));
    return view;
}
