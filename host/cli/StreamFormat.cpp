#include "host/cli/StreamFormat.h"

#include "host/cli/HeaderBytes.h"
#include "host/cli/Wave64Header.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// Chunks (or ID3 tags) stepped over before the ones that tell: real files
// hold a few.
constexpr int kMostChunks = 64;

constexpr uint64_t kPcm = 0x0001;
constexpr uint64_t kMsAdpcm = 0x0002;
constexpr uint64_t kFloat = 0x0003;
constexpr uint64_t kAlaw = 0x0006;
constexpr uint64_t kUlaw = 0x0007;
constexpr uint64_t kImaAdpcm = 0x0011;
constexpr uint64_t kExtensible = 0xFFFE;
// An extensible format's sub-format GUID after its leading tag.
constexpr uint8_t kSubFormatTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::string Text(const char* format, unsigned long long value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The head as far as it has come: a field past its end is noted as the
// length the head must reach.
class Head
{
public:
    explicit Head(const std::string& bytes) : bytes(bytes) {}

    // The n bytes at offset; null when the head does not hold them yet.
    const uint8_t* At(uint64_t offset, uint64_t n)
    {
        if (offset > kMostStreamHeaderBytes || n > kMostStreamHeaderBytes - offset)
            tooLong = true;
        else if (offset + n > bytes.size())
            wanted = std::max(wanted, static_cast<size_t>(offset + n));
        else
            return reinterpret_cast<const uint8_t*>(bytes.data()) + offset;
        return nullptr;
    }

    StreamFormat More() const
    {
        StreamFormat format;
        if (tooLong)
        {
            format.verdict = StreamFormat::Verdict::kRefused;
            format.reason = kStreamHeaderTooLong;
        }
        format.bytes = wanted;
        return format;
    }

private:
    const std::string& bytes;
    size_t wanted = 0;
    bool tooLong = false;
};

StreamFormat Read()
{
    StreamFormat format;
    format.verdict = StreamFormat::Verdict::kRead;
    return format;
}

StreamFormat Refused(const std::string& what)
{
    StreamFormat format;
    format.verdict = StreamFormat::Verdict::kRefused;
    format.reason = what + " is read from files only, not from a pipe or another stream";
    return format;
}

StreamFormat Unknown()
{
    StreamFormat format;
    format.verdict = StreamFormat::Verdict::kRefused;
    format.reason = std::string("not a format read from a pipe or another stream (") + kStreamFormats + ")";
    return format;
}

// --- WAVE formats (WAV, RF64, Wave64) ---

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
    case kMsAdpcm: return "MS ADPCM";
    case kImaAdpcm: return "IMA ADPCM";
    case 0x0031: return "GSM 6.10";
    case 0x0038: return "NMS ADPCM";
    case 0x0040: return "G.721 ADPCM";
    case 0x0050: return "MPEG";
    case 0x0055: return "MPEG Layer III";
    default: return Text("format 0x%04llX", tag);
    }
}

// What a format chunk's body holds, as a container reads it from a stream:
// the plain tag of its samples (an extensible format's sub-format), or what
// a refusal names.
struct Coding
{
    uint64_t tag = 0;
    std::string refused;
};

Coding JudgeCoding(Wave container, const uint8_t* body, uint64_t size)
{
    const std::string name = NameOf(container);
    if (size < 16)
        return {0, name + " with a short format chunk"};
    uint64_t tag = LoadLE(body, 2);
    const uint64_t channels = LoadLE(body + 2, 2);
    const uint64_t blockAlign = LoadLE(body + 12, 2);
    const uint64_t bits = LoadLE(body + 14, 2);
    if (tag == kExtensible)
    {
        // Wave64 takes every extensible format for PCM.
        if (container == Wave::kWave64 || size < 40 || std::memcmp(body + 28, kSubFormatTail, 12) != 0)
            return {0, name + " of WAVE_FORMAT_EXTENSIBLE"};
        tag = LoadLE(body + 24, 4);
        if (tag != kPcm && tag != kFloat && tag != kAlaw && tag != kUlaw)
            return {0, name + Text(" of WAVE_FORMAT_EXTENSIBLE sub-format 0x%08llX", tag)};
    }
    switch (tag)
    {
    case kPcm:
    case kFloat:
    case kAlaw:
    case kUlaw:
    {
        // Samples of these sizes, each frame a block of them: anything else
        // the library guesses at by reading the data, which a stream cannot
        // give twice.
        const bool sized = tag == kPcm     ? bits == 8 || bits == 16 || bits == 24 || bits == 32
                           : tag == kFloat ? bits == 32 || bits == 64
                                           : bits == 8;
        if (channels == 0 || !sized || blockAlign != channels * bits / 8)
            return {0, name + Text(" of %llu-bit samples", bits) + Text(" in blocks of %llu bytes", blockAlign)};
        return {tag, {}};
    }
    default:
        // Blocks of compressed samples (ADPCM and the like): from a pipe that
        // ends early the library goes on decoding to the length the header
        // declares.
        return {0, name + " of " + TagName(tag)};
    }
}

StreamFormat JudgeCodingOf(Wave container, const uint8_t* body, uint64_t size)
{
    const Coding coding = JudgeCoding(container, body, size);
    return coding.refused.empty() ? Read() : Refused(coding.refused);
}

// Chunks after a 12-byte file head (a 4-byte ID, a 4-byte size, the body
// padded to an even size), each handed to visit(id, size, body offset) until
// it gives a verdict; refused with what tells where the walk runs out.
template <class Visit>
StreamFormat WalkChunks(Head& head, bool bigEndian, const std::string& refused, Visit visit)
{
    uint64_t at = 12;
    for (int chunk = 0; chunk < kMostChunks; ++chunk)
    {
        const uint8_t* id = head.At(at, 8);
        if (!id)
            return head.More();
        const uint64_t size = bigEndian ? LoadBE(id + 4, 4) : LoadLE(id + 4, 4);
        if (std::optional<StreamFormat> verdict = visit(id, size, at + 8))
            return *verdict;
        at += 8 + size + (size & 1);
    }
    return Refused(refused);
}

StreamFormat JudgeWav(Head& head)
{
    return WalkChunks(head, false, "WAV without a format chunk first",
                      [&](const uint8_t* id, uint64_t size, uint64_t body) -> std::optional<StreamFormat> {
                          if (IsId(id, "data"))
                              return Refused("WAV without a format chunk first");
                          if (!IsId(id, "fmt "))
                              return std::nullopt;
                          const uint8_t* format = head.At(body, std::min<uint64_t>(size, 40));
                          return format ? JudgeCodingOf(Wave::kWav, format, size) : head.More();
                      });
}

bool Printable(const uint8_t* id)
{
    return std::all_of(id, id + 4, [](uint8_t c) { return c >= 0x20 && c < 0x7F; });
}

// RF64: the ds64 chunk first, then chunks up to the data, none padded (the
// library steps over a chunk by its size alone). What reaches the library is
// the Wave64 header that declares the same format and data.
StreamFormat JudgeRf64(Head& head)
{
    constexpr uint64_t kDs64Bytes = 28;  // the RIFF size, the data size, the sample count, no table
    const uint8_t* ds64 = head.At(12, 8 + kDs64Bytes);
    if (!ds64)
        return head.More();
    if (!IsId(ds64, "ds64") || LoadLE(ds64 + 4, 4) != kDs64Bytes || LoadLE(ds64 + 8 + 24, 4) != 0)
        return Refused("RF64 without a ds64 chunk of 28 bytes first");
    const uint64_t riffBytes = LoadLE(ds64 + 8, 8);
    const uint64_t dataBytes = LoadLE(ds64 + 16, 8);
    uint8_t format[16] = {};
    bool haveFormat = false;
    uint64_t at = 12 + 8 + kDs64Bytes;
    for (int chunk = 0; chunk < kMostChunks; ++chunk)
    {
        const uint8_t* id = head.At(at, 8);
        if (!id)
            return head.More();
        const uint64_t size = LoadLE(id + 4, 4);
        if (IsId(id, "data"))
        {
            if (!haveFormat)
                return Refused("RF64 with its data before its format chunk");
            StreamFormat read = Read();
            read.replaced = static_cast<size_t>(at + 8);
            // A writer that could not go back to fill in the sizes: the rest
            // is data, as the library takes it of a file.
            const bool unfinished = size == 0 && riffBytes == 8;
            read.header = Wave64Header(format, unfinished ? kWave64DataToTheEnd : dataBytes);
            if (!unfinished && dataBytes <= UINT64_MAX - read.header.size())
                read.length = read.header.size() + dataBytes;
            return read;
        }
        // Where the library ends its walk or fails, the stream is refused.
        if (!Printable(id) || size >= 0xFFFF0000u || (size & 1) != 0 || (IsId(id, "PEAK") && !haveFormat))
            return Refused("RF64 with a chunk \"" + std::string(reinterpret_cast<const char*>(id), 4) +
                           "\" of " + Text("%llu bytes", size) + (haveFormat ? "" : " before its format chunk"));
        if (IsId(id, "fmt "))
        {
            const uint8_t* body = head.At(at + 8, std::min<uint64_t>(size, 40));
            if (!body)
                return head.More();
            const Coding coding = JudgeCoding(Wave::kRf64, body, size);
            if (!coding.refused.empty())
                return Refused(coding.refused);
            std::copy(body, body + sizeof format, format);
            format[0] = static_cast<uint8_t>(coding.tag);
            format[1] = 0;
            haveFormat = true;
        }
        at += 8 + size;
    }
    return Refused("RF64 with more than 64 chunks before its data");
}

// Wave64 chunks after the riff GUID, its size and the wave GUID: a GUID and
// a size that counts the chunk's header, each padded to 8 bytes.
StreamFormat JudgeWave64(Head& head)
{
    uint64_t at = 40;
    for (int chunk = 0; chunk < kMostChunks; ++chunk)
    {
        const uint8_t* id = head.At(at, 24);
        if (!id)
            return head.More();
        const uint64_t size = LoadLE(id + 16, 8);
        if (size < 24 || size > kMostStreamHeaderBytes)
            break;
        // A chunk GUID is told by its first four bytes: the rest is common.
        if (IsId(id, "fmt "))
        {
            const uint8_t* body = head.At(at + 24, std::min<uint64_t>(size - 24, 40));
            return body ? JudgeCodingOf(Wave::kWave64, body, size - 24) : head.More();
        }
        if (IsId(id, "data"))
            break;
        at += (size + 7) / 8 * 8;
    }
    return Refused("Wave64 without a format chunk first");
}

// --- AIFF, AU, Ogg, MPEG ---

// FORM's chunks are big-endian; the common chunk (COMM) tells.
StreamFormat JudgeAiff(Head& head, bool compressed)
{
    return WalkChunks(
        head, true, "AIFF without a common chunk first",
        [&](const uint8_t* id, uint64_t, uint64_t body) -> std::optional<StreamFormat> {
            if (IsId(id, "SSND"))
                return Refused("AIFF without a common chunk first");
            if (!IsId(id, "COMM"))
                return std::nullopt;
            const uint8_t* common = head.At(body, compressed ? 22 : 18);
            if (!common)
                return head.More();
            const uint64_t bits = LoadBE(common + 6, 2);
            const bool sized = bits == 8 || bits == 16 || bits == 24 || bits == 32;
            if (!compressed)
                return sized ? Read() : Refused(Text("AIFF of %llu-bit samples", bits));
            static const char* const kRead[] = {"sowt", "raw ", "FL32", "FL64", "ulaw", "alaw"};
            const uint8_t* type = common + 18;
            if (std::any_of(std::begin(kRead), std::end(kRead), [type](const char* t) { return IsId(type, t); }))
                return Read();
            return Refused("AIFF-C of '" + std::string(reinterpret_cast<const char*>(type), 4) + "'");
        });
}

StreamFormat JudgeAu(Head& head, bool bigEndian)
{
    const uint8_t* fields = head.At(12, 4);
    if (!fields)
        return head.More();
    const uint64_t encoding = bigEndian ? LoadBE(fields, 4) : LoadLE(fields, 4);
    // mu-law, PCM of 8, 16, 24 and 32 bits, float, double, A-law.
    if ((encoding >= 1 && encoding <= 7) || encoding == 27)
        return Read();
    return Refused(Text("AU of encoding %llu", encoding));
}

// Whether the pages from the first hold the first packets packets whole
// (the library's open fails where a stream ends within them, and so would
// an open of a head that ends there); kMore while they may.
StreamFormat WholePackets(Head& head, int packets)
{
    uint64_t at = 0;
    for (int page = 0; page < kMostChunks; ++page)
    {
        const uint8_t* header = head.At(at, 27);
        const uint8_t* lacing = header ? head.At(at + 27, header[26]) : nullptr;
        if (!lacing)
            return head.More();
        at += 27 + header[26];
        // A lacing value below 255 ends a packet.
        for (int segment = 0; segment < header[26]; ++segment)
        {
            at += lacing[segment];
            packets -= lacing[segment] < 255 ? 1 : 0;
        }
        if (packets <= 0)
            return head.At(0, at) ? Read() : head.More();
    }
    return Refused("Ogg with its headers on more than 64 pages");
}

// The codec of the first packet on the first page.
StreamFormat JudgeOgg(Head& head)
{
    const uint8_t* page = head.At(0, 27);
    if (!page)
        return head.More();
    const uint8_t* packet = head.At(27 + page[26], 8);
    if (!packet)
        return head.More();
    // Vorbis heads its audio with three packets, Opus with two.
    if (std::memcmp(packet, "\x01vorbis", 7) == 0)
        return WholePackets(head, 3);
    if (std::memcmp(packet, "OpusHead", 8) == 0)
        return WholePackets(head, 2);
    if (std::memcmp(packet, "\x7F" "FLAC", 5) == 0)
        return Refused("Ogg FLAC");
    if (std::memcmp(packet, "Speex   ", 8) == 0)
        return Refused("Ogg Speex");
    return Refused("Ogg of a codec other than Vorbis or Opus");
}

// A frame header as the library knows one: the sync, a version, a layer, a
// bit rate and a sample rate that are not reserved. Its layer (1 to 3), or 0.
int MpegLayer(const uint8_t* h)
{
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0 || (h[1] & 0x18) == 0x08 || (h[1] & 0x06) == 0 ||
        (h[2] & 0xF0) == 0xF0 || (h[2] & 0x0C) == 0x0C)
        return 0;
    return 4 - ((h[1] >> 1) & 3);
}

// MPEG audio after any ID3v2 tags (the library steps over each by the size
// in its header), named by its layer. From a pipe the library hands the
// decoder the frame it identified from one byte before its buffer: MPEG is
// read from files only.
StreamFormat JudgeMpeg(Head& head)
{
    uint64_t at = 0;
    for (int tag = 0; tag < kMostChunks; ++tag)
    {
        const uint8_t* h = head.At(at, 4);
        if (!h)
            return head.More();
        if (!(h[0] == 'I' && h[1] == 'D' && h[2] == '3' && h[3] >= 2 && h[3] <= 4))
        {
            static const char* const kNames[] = {nullptr, "MPEG Layer I", "MPEG Layer II", "MP3"};
            const int layer = MpegLayer(h);
            return layer > 0 ? Refused(kNames[layer]) : Unknown();
        }
        const uint8_t* tagHead = head.At(at, 10);
        if (!tagHead)
            return head.More();
        uint64_t size = 0;
        for (int i = 6; i < 10; ++i)
            size = size << 7 | (tagHead[i] & 0x7F);
        at += 10 + size;
    }
    return Unknown();
}

// Formats named by their first bytes that a stream may not hold.
struct Magic
{
    const char* bytes;
    size_t length;
    const char* name;
};

const Magic kRefusedMagic[] = {
    {"fLaC", 4, "FLAC"},
    {"caff", 4, "CAF"},
    {"RIFX", 4, "big-endian WAV (RIFX)"},
    {"FORM\0\0\0\0" "8SVX", 12, "IFF 8SVX"},
    {"FORM\0\0\0\0" "16SV", 12, "IFF 16SV"},
    {"\0\0\x03\xE8\0\0\0\x01\0\0\0\x01", 12, "MAT4"},
    {"\0\0\0\0\x01\0\0\0\x01\0\0\0", 12, "MAT4"},
    {" paf", 4, "PAF"},
    {"fap ", 4, "PAF"},
    {"NIST", 4, "NIST SPHERE"},
    {"Creative", 8, "VOC"},
    {"MATLAB 5", 8, "MAT5"},
    {"PVF1", 4, "PVF"},
    {"Extended Ins", 12, "XI"},
    {"ALawSoundFil", 12, "WVE"},
    {"2BIT", 4, "AVR"},
    {"wvpk", 4, "WavPack"},
};

// The bytes of magic, where a FORM's size (any) stands as zeros.
bool Matches(Head& head, const Magic& magic, bool* more)
{
    const uint8_t* p = head.At(0, magic.length);
    if (!p)
    {
        // Only a head that agrees so far waits for more.
        const size_t has = std::min<size_t>(magic.length, 4);
        const uint8_t* start = head.At(0, has);
        *more = *more || (start && std::memcmp(start, magic.bytes, has) == 0);
        return false;
    }
    for (size_t i = 0; i < magic.length; ++i)
        if (!(i >= 4 && i < 8 && magic.bytes[0] == 'F') && p[i] != static_cast<uint8_t>(magic.bytes[i]))
            return false;
    return true;
}

// Formats the library knows by masked bytes: IRCAM, SDS and the MPC 2000's.
const char* MaskedMagic(const uint8_t* p)
{
    if ((p[0] == 0x64 && p[1] == 0xA3 && (p[2] & 0xF8) == 0 && p[3] == 0) ||
        (p[0] == 0 && (p[1] & 0xF8) == 0 && p[2] == 0xA3 && p[3] == 0x64))
        return "IRCAM";
    if (p[0] == 0xF0 && p[1] == 0x7E && (p[2] & 0x80) == 0 && p[3] == 0x01)
        return "SDS";
    if (p[0] == 1 && p[1] == 4)
        return "MPC 2000";
    return nullptr;
}

}  // namespace

StreamFormat JudgeStream(const std::string& bytes)
{
    Head head(bytes);
    const uint8_t* p = head.At(0, 4);
    if (!p)
        return head.More();
    if (IsId(p, "RIFF") || IsId(p, "RF64") || IsId(p, "FORM"))
    {
        const uint8_t* kind = head.At(8, 4);
        if (!kind)
            return head.More();
        if (IsId(p, "RIFF") && IsId(kind, "WAVE"))
            return JudgeWav(head);
        if (IsId(p, "RF64") && IsId(kind, "WAVE"))
            return JudgeRf64(head);
        if (IsId(p, "FORM") && (IsId(kind, "AIFF") || IsId(kind, "AIFC")))
            return JudgeAiff(head, IsId(kind, "AIFC"));
    }
    if (std::equal(kWave64Riff, kWave64Riff + 4, p))
    {
        const uint8_t* guid = head.At(0, 16);
        if (!guid)
            return head.More();
        if (std::equal(kWave64Riff, kWave64Riff + 16, guid))
            return JudgeWave64(head);
    }
    if (IsId(p, ".snd") || IsId(p, "dns."))
        return JudgeAu(head, IsId(p, ".snd"));
    if (IsId(p, "OggS"))
        return JudgeOgg(head);
    if ((p[0] == 'I' && p[1] == 'D' && p[2] == '3') || p[0] == 0xFF)
        return JudgeMpeg(head);
    bool more = false;
    for (const Magic& magic : kRefusedMagic)
        if (Matches(head, magic, &more))
            return Refused(magic.name);
    if (more)
        return head.More();
    if (const char* name = MaskedMagic(p))
        return Refused(name);
    return Unknown();
}
