// The WAVE formats' heads: WAV, RF64 and Wave64, walked chunk by chunk up to
// the data chunk's header.

#include "host/cli/input/HeadWalk.h"
#include "host/cli/input/HeaderBytes.h"
#include "host/cli/input/Wave64Header.h"

#include <cstring>
#include <optional>

namespace {

// Chunks stepped over before the data: real files hold a few.
constexpr int kMostChunks = 64;
// A Wave64 data size beyond this is a writer's "not known".
constexpr uint64_t kMostWave64Bytes = uint64_t{1} << 62;

constexpr uint64_t kGsm = 0x0031;
// An extensible format's sub-format GUID after its leading tag.
constexpr uint8_t kSubFormatTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

enum class Wave
{
    kWav,
    kRf64,
    kWave64,
};

std::string NameOf(Wave container)
{
    switch (container)
    {
    case Wave::kWav: return "WAV";
    case Wave::kRf64: return "RF64";
    case Wave::kWave64: return "Wave64";
    }
    return {};
}

std::string TagName(uint64_t tag)
{
    switch (tag)
    {
    case 0x0002: return "MS ADPCM";
    case 0x0011: return "IMA ADPCM";
    case 0x0031: return "GSM 6.10";
    case 0x0038: return "NMS ADPCM";
    case 0x0040: return "G.721 ADPCM";
    case 0x0050: return "MPEG";
    case 0x0055: return "MPEG Layer III";
    default: return Text("format 0x%04llX", tag);
    }
}

// Samples of a fixed size: PCM, float, A-law or mu-law.
bool PlainTag(uint64_t tag) { return tag == kWavePcm || tag == kWaveFloat || tag == kWaveAlaw || tag == kWaveUlaw; }

// A format chunk as the library is to read it.
struct Coding
{
    // Samples of a fixed size, one frame a block of them (PCM, float, A-law,
    // mu-law): the library reads them from a stream, and as plain Wave64.
    bool plain = false;
    // An extensible Wave64 that cannot be made plain: the library would
    // take it for integer PCM.
    bool unreadable = false;
    std::string name;  // what a refusal names
    uint64_t tag = 0;  // the plain tag (an extensible format's sub-format)
    uint8_t format[16] = {};  // the chunk's first 16 bytes, the tag plain
    uint64_t frameBytes = 0;  // block align
    uint64_t channels = 0;
    uint32_t mask = 0;  // an extensible format's speakers; 0: none named
};

Coding JudgeCoding(Wave container, const uint8_t* body, uint64_t size)
{
    Coding coding;
    const std::string name = NameOf(container);
    if (size < 16)
    {
        coding.name = name + " with a short format chunk";
        return coding;
    }
    uint64_t tag = LoadLE(body, 2);
    const uint64_t channels = LoadLE(body + 2, 2);
    coding.frameBytes = LoadLE(body + 12, 2);
    const uint64_t bits = LoadLE(body + 14, 2);
    const bool extensible = tag == kWaveExtensible;
    coding.channels = channels;
    if (extensible && size >= 40)
        coding.mask = static_cast<uint32_t>(LoadLE(body + 20, 4));
    if (extensible)
    {
        if (size < 40 || std::memcmp(body + 28, kSubFormatTail, 12) != 0)
            coding.name = name + " of WAVE_FORMAT_EXTENSIBLE";
        else if (tag = LoadLE(body + 24, 4); !PlainTag(tag))
            coding.name = name + Text(" of WAVE_FORMAT_EXTENSIBLE sub-format 0x%08llX", tag);
    }
    else if (!PlainTag(tag))
        coding.name = name + " of " + TagName(tag);
    if (coding.name.empty())
    {
        // Samples of these sizes, each frame a block of them: anything else
        // the library guesses at by reading the data, which a stream cannot
        // give twice.
        const bool sized = tag == kWavePcm     ? bits == 8 || bits == 16 || bits == 24 || bits == 32
                           : tag == kWaveFloat ? bits == 32 || bits == 64
                                           : bits == 8;
        if (channels == 0 || !sized || coding.frameBytes != channels * bits / 8)
            coding.name = name + Text(" of %llu-bit samples", bits) + Text(" in blocks of %llu bytes", coding.frameBytes);
    }
    coding.plain = coding.name.empty();
    coding.tag = tag;
    coding.unreadable = extensible && !coding.plain && container == Wave::kWave64;
    std::memcpy(coding.format, body, sizeof coding.format);
    coding.format[0] = static_cast<uint8_t>(tag);
    coding.format[1] = static_cast<uint8_t>(tag >> 8);
    return coding;
}

// The data bytes to read: all of dataBytes, or where a sample count (of the
// ds64 or fact chunk) declares fewer frames, those only, with a warning.
uint64_t LimitToCount(AudioHead& read, uint64_t count, uint64_t dataBytes, uint64_t frameBytes)
{
    const uint64_t frames = dataBytes / frameBytes;
    if (count == 0 || count >= frames || count > INT64_MAX)
        return dataBytes;
    read.frames = static_cast<int64_t>(count);
    read.warning = "sizes disagree: " + std::to_string(count) + " frames read, as its sample count declares, of the " +
                   std::to_string(frames) + " its data size holds";
    return count * frameBytes;
}

// The plain Wave64 of coding's format and dataBytes of the data from offset
// data on (to the end when not known).
AudioHead AsWave64(AudioHead read, const Coding& coding, uint64_t data, std::optional<uint64_t> dataBytes)
{
    read.replaced = static_cast<size_t>(data);
    read.header = Wave64Header(coding.format, dataBytes ? *dataBytes : kWave64DataToTheEnd);
    if (dataBytes)
        read.length = read.header.size() + *dataBytes;
    return read;
}

// What a WAVE file's chunks before its data tell: its format, and a sample
// count (the first fact chunk's, unless one is known already).
struct Described
{
    explicit Described(Wave container) : container(container) {}

    const Wave container;
    std::optional<Coding> coding;
    uint64_t count = 0;

    // Takes a chunk whose body of bodyBytes is at body; false while the head
    // does not hold what it needs of it.
    bool Take(Head& head, const uint8_t* id, uint64_t body, uint64_t bodyBytes)
    {
        if (IsId(id, "fmt "))
        {
            const uint8_t* format = head.At(body, std::min<uint64_t>(bodyBytes, 40));
            if (format)
                coding = JudgeCoding(container, format, bodyBytes);
            return format != nullptr;
        }
        // 4 bytes; 8 in Wave64.
        const int bytes = container == Wave::kWave64 && bodyBytes >= 8 ? 8 : 4;
        if (!IsId(id, "fact") || count != 0 || bodyBytes < static_cast<uint64_t>(bytes))
            return true;
        const uint8_t* found = head.At(body, static_cast<uint64_t>(bytes));
        if (found)
            count = LoadLE(found, bytes);
        return found != nullptr;
    }

    bool Plain() const { return coding && coding->plain; }

    // read with the speakers that the format's channel mask names.
    AudioHead Named(AudioHead read) const
    {
        if (coding && read.verdict != AudioHead::Verdict::kMore)
            read.speakers = SpeakersOfMask(coding->mask, static_cast<uint32_t>(coding->channels));
        return read;
    }

    // At the data (dataBytes from data on, when known) of samples that are
    // not plain: a stream is refused; a file is read as it is, but for
    // whole blocks where the library would decode one more from bytes
    // beyond the data: Wave64's padding to 8 bytes, which a writer counts
    // in its size, and the pad byte after an odd number of GSM 6.10's
    // blocks of 65 bytes, which the library counts.
    AudioHead NotPlain(Head& head, uint64_t data, std::optional<uint64_t> dataBytes) const
    {
        if (head.Stream() || !coding || !dataBytes || coding->frameBytes == 0 ||
            !(container == Wave::kWave64 || coding->tag == kGsm))
            return head.FilesOnly(coding ? coding->name : NameOf(container) + " without a format chunk before its data");
        AudioHead read = Head::Read(data);
        const uint64_t blocks = *dataBytes / coding->frameBytes * coding->frameBytes;
        read.length = data + blocks;
        // A WAV declares its whole blocks; an odd number of bytes one less,
        // which the library's rounding up makes the whole blocks again.
        if (container == Wave::kWav && (blocks != *dataBytes || (blocks & 1) != 0))
        {
            const uint64_t declared = blocks - (blocks & 1);
            const uint8_t* header = head.At(0, data);
            read.replaced = static_cast<size_t>(data);
            read.header.assign(reinterpret_cast<const char*>(header), read.replaced);
            for (int i = 0; i < 4; ++i)
                read.header[read.replaced - 4 + static_cast<size_t>(i)] = static_cast<char>(declared >> (8 * i) & 0xFF);
        }
        return read;
    }
};

bool Printable(const uint8_t* id)
{
    return std::all_of(id, id + 4, [](uint8_t c) { return c >= 0x20 && c < 0x7F; });
}

// Walks the chunks (a 4-byte ID, a 4-byte little-endian size) from at, each
// taken into described, up to the data chunk, which atData(body, size)
// reads. refuse(id, size) may refuse a stream of a chunk
// before (a file is then read as it is).
template <class Refuse, class AtData>
AudioHead WalkToData(Head& head, Described& described, uint64_t at, bool padded, Refuse refuse, AtData atData)
{
    for (int chunk = 0; chunk < kMostChunks; ++chunk)
    {
        const uint8_t* id = head.At(at, 8);
        if (!id)
            return head.More();
        const uint64_t size = LoadLE(id + 4, 4);
        if (IsId(id, "data"))
            return atData(at + 8, size);
        if (const std::string refusal = refuse(id, size); !refusal.empty())
            return head.FilesOnly(refusal);
        if (!described.Take(head, id, at + 8, size))
            return head.More();
        at += 8 + size + (padded ? size & 1 : 0);
    }
    return head.FilesOnly(NameOf(described.container) + " with more than 64 chunks before its data");
}

// Wave64 chunks after the riff GUID, its size and the wave GUID: a GUID and
// a size that counts the chunk's header, each padded to 8 bytes.
AudioHead WalkWave64(Head& head, Described& described)
{
    constexpr uint64_t kChunkHeader = 24;
    uint64_t at = 40;
    for (int chunk = 0; chunk < kMostChunks; ++chunk)
    {
        const uint8_t* id = head.At(at, kChunkHeader);
        if (!id)
            return head.More();
        const uint64_t size = LoadLE(id + 16, 8);
        const uint64_t body = at + kChunkHeader;
        // A chunk GUID is told by its first four bytes: the rest is common.
        if (IsId(id, "data"))
        {
            const std::optional<Coding>& coding = described.coding;
            if (coding && coding->unreadable)
                return Head::Unreadable(coding->name);
            const bool known = size >= kChunkHeader && size - kChunkHeader < kMostWave64Bytes;
            const std::optional<uint64_t> dataBytes = known ? std::optional<uint64_t>(size - kChunkHeader) : std::nullopt;
            if (!described.Plain())
                return described.NotPlain(head, body, dataBytes);
            AudioHead read = Head::Read(body);
            return AsWave64(read, *coding, body,
                            dataBytes ? std::optional<uint64_t>(
                                            LimitToCount(read, described.count, *dataBytes, coding->frameBytes))
                                      : std::nullopt);
        }
        if (size < kChunkHeader || size > kMostStreamHeaderBytes)
            break;
        if (!described.Take(head, id, body, size - kChunkHeader))
            return head.More();
        at += (size + 7) / 8 * 8;
    }
    return head.FilesOnly("Wave64 without a format chunk first");
}

}  // namespace

// RIFF chunks after the 12-byte file head, padded to an even size.
AudioHead JudgeWav(Head& head)
{
    Described described(Wave::kWav);
    return described.Named(WalkToData(
        head, described, 12, true, [](const uint8_t*, uint64_t) { return std::string(); },
        [&](uint64_t data, uint64_t size) {
            // A size not known (a writer that could not go back) is the rest.
            const bool known = size != kUnknownSize32 && size != 0;
            if (!described.Plain())
                return described.NotPlain(head, data, known ? std::optional<uint64_t>(size) : std::nullopt);
            AudioHead read = Head::Read(data);
            if (known)
            {
                const uint64_t dataBytes = LimitToCount(read, described.count, size, described.coding->frameBytes);
                if (dataBytes < size)
                    read.length = data + dataBytes;
            }
            return read;
        }));
}

// RF64: the ds64 chunk first, then chunks up to the data, none padded (the
// library steps over a chunk by its size alone).
AudioHead JudgeRf64(Head& head)
{
    constexpr uint64_t kDs64Bytes = 28;  // the RIFF size, the data size, the sample count, no table
    const uint8_t* ds64 = head.At(12, 8 + kDs64Bytes);
    if (!ds64)
        return head.More();
    if (!IsId(ds64, "ds64") || LoadLE(ds64 + 4, 4) != kDs64Bytes || LoadLE(ds64 + 8 + 24, 4) != 0)
        return head.FilesOnly("RF64 without a ds64 chunk of 28 bytes first");
    const uint64_t riffBytes = LoadLE(ds64 + 8, 8);
    const uint64_t dataBytes = LoadLE(ds64 + 16, 8);
    Described described(Wave::kRf64);
    described.count = LoadLE(ds64 + 24, 8);
    // Where the library ends its walk or fails, a stream is refused.
    const auto refuse = [&](const uint8_t* id, uint64_t size) {
        const bool formatYet = described.coding.has_value();
        if (Printable(id) && size < 0xFFFF0000u && (size & 1) == 0 && (formatYet || !IsId(id, "PEAK")))
            return std::string();
        return "RF64 with a chunk \"" + std::string(reinterpret_cast<const char*>(id), 4) + "\" of " +
               Text("%llu bytes", size) + (formatYet ? "" : " before its format chunk");
    };
    const auto atData = [&](uint64_t data, uint64_t size) {
        if (!described.Plain())
            return described.NotPlain(head, data, std::nullopt);
        // Sizes not known: a writer that could not go back to fill them in.
        // The rest is data, as of a WAV.
        const bool unknown = (size == 0 && riffBytes == 8) || (dataBytes == 0 && (size == 0 || size == kUnknownSize32));
        AudioHead read = Head::Read(data);
        if (unknown)
            return AsWave64(read, *described.coding, data, std::nullopt);
        return AsWave64(read, *described.coding, data,
                        LimitToCount(read, described.count, dataBytes, described.coding->frameBytes));
    };
    return described.Named(WalkToData(head, described, 12 + 8 + kDs64Bytes, false, refuse, atData));
}

// Wave64.
AudioHead JudgeWave64(Head& head)
{
    Described described(Wave::kWave64);
    return described.Named(WalkWave64(head, described));
}
