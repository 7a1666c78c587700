#include "host/cli/input/AudioHead.h"

#include "host/cli/input/HeadWalk.h"
#include "host/cli/input/HeaderBytes.h"
#include "host/cli/input/Wave64Header.h"

#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

// Chunks, pages or ID3 tags stepped over before the ones that tell: real
// files hold a few.
constexpr int kMostChunks = 64;

// --- AIFF, AU ---

// FORM's chunks, big-endian and padded to an even size: the common chunk
// (COMM) tells, the sound data chunk's header (SSND, with its offset to the
// first sample) ends the head.
AudioHead JudgeAiff(Head& head, bool compressed)
{
    if (!head.Stream())
        return head.FilesOnly("AIFF");
    bool common = false;
    uint64_t at = 12;
    for (int chunk = 0; chunk < kMostChunks; ++chunk)
    {
        const uint8_t* id = head.At(at, 8);
        if (!id)
            return head.More();
        const uint64_t size = LoadBE(id + 4, 4);
        const uint64_t body = at + 8;
        if (IsId(id, "SSND"))
        {
            if (!common)
                break;
            const uint8_t* offset = head.At(body, 8);
            if (!offset)
                return head.More();
            const uint64_t data = body + 8 + LoadBE(offset, 4);
            return head.At(0, data) ? Head::Read(data) : head.More();
        }
        if (IsId(id, "COMM"))
        {
            const uint8_t* fields = head.At(body, compressed ? 22 : 18);
            if (!fields)
                return head.More();
            const uint64_t bits = LoadBE(fields + 6, 2);
            const bool sized = bits == 8 || bits == 16 || bits == 24 || bits == 32;
            if (!compressed && !sized)
                return head.FilesOnly(Text("AIFF of %llu-bit samples", bits));
            static const char* const kRead[] = {"sowt", "raw ", "FL32", "FL64", "fl32", "fl64", "ulaw", "alaw"};
            const uint8_t* type = fields + 18;
            if (compressed &&
                std::none_of(std::begin(kRead), std::end(kRead), [type](const char* t) { return IsId(type, t); }))
                return head.FilesOnly("AIFF-C of '" + std::string(reinterpret_cast<const char*>(type), 4) + "'");
            common = true;
        }
        at = body + size + (size & 1);
    }
    return head.FilesOnly("AIFF without a common chunk first");
}

// The 24-byte header, its annotation, then the data from the offset the
// header gives.
AudioHead JudgeAu(Head& head, bool bigEndian)
{
    if (!head.Stream())
        return head.FilesOnly("AU");
    const uint8_t* fields = head.At(4, 12);
    if (!fields)
        return head.More();
    const auto field = [&](int i) { return bigEndian ? LoadBE(fields + 4 * i, 4) : LoadLE(fields + 4 * i, 4); };
    const uint64_t data = field(0);
    const uint64_t encoding = field(2);
    // mu-law, PCM of 8, 16, 24 and 32 bits, float, double, A-law.
    if (!((encoding >= 1 && encoding <= 7) || encoding == 27))
        return head.FilesOnly(Text("AU of encoding %llu", encoding));
    if (data < 24)
        return head.FilesOnly(Text("AU with its data at byte %llu, inside its header", data));
    return head.At(0, data) ? Head::Read(data) : head.More();
}

// --- Ogg ---

// The order of Vorbis's channels (which Opus's mapping 1 shares) made WAVE
// order: L C R becomes L R C, the LFE comes after the front, and the rear
// pair before the side pair (7.1).
std::vector<int32_t> VorbisOrder(int channels)
{
    switch (channels)
    {
    case 3: return {0, 2, 1};
    case 5: return {0, 2, 1, 3, 4};
    case 6: return {0, 2, 1, 5, 3, 4};
    case 7: return {0, 2, 1, 6, 5, 3, 4};
    case 8: return {0, 2, 1, 7, 5, 6, 3, 4};
    default: return {};
    }
}

// Whether the pages from the first hold the first packets packets whole
// (the library's open fails where a stream ends within them, and so would
// an open of a head that ends there); kMore while they may. The head is
// whole at the end of the page that ends the last.
AudioHead WholePackets(Head& head, int packets)
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
            return head.At(0, at) ? Head::Read(at) : head.More();
    }
    return head.FilesOnly("Ogg with its headers on more than 64 pages");
}

// The codec of the first packet on the first page; its channels' order.
AudioHead JudgeOgg(Head& head)
{
    const uint8_t* page = head.At(0, 27);
    if (!page)
        return head.More();
    const uint8_t* packet = head.At(27 + page[26], 19);
    if (!packet)
        return head.More();
    // Vorbis heads its audio with three packets, Opus with two. Opus's
    // mapping family 1 orders its channels as Vorbis does; family 0 holds
    // one or two, and the others name no speakers.
    AudioHead read;
    if (std::memcmp(packet, "\x01vorbis", 7) == 0)
    {
        read = WholePackets(head, 3);
        read.order = VorbisOrder(packet[11]);
    }
    else if (std::memcmp(packet, "OpusHead", 8) == 0)
    {
        read = WholePackets(head, 2);
        if (packet[18] == 1)
            read.order = VorbisOrder(packet[9]);
    }
    else if (std::memcmp(packet, "\x7F" "FLAC", 5) == 0)
        return head.FilesOnly("Ogg FLAC");
    else if (std::memcmp(packet, "Speex   ", 8) == 0)
        return head.FilesOnly("Ogg Speex");
    else
        return head.FilesOnly("Ogg of a codec other than Vorbis or Opus");
    read.probe = true;
    return read;
}

// --- MPEG and the formats known by their first bytes ---

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
AudioHead JudgeMpeg(Head& head)
{
    if (!head.Stream())
        return head.FilesOnly("MPEG");
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
            return layer > 0 ? head.FilesOnly(kNames[layer]) : head.Unknown();
        }
        const uint8_t* tagHead = head.At(at, 10);
        if (!tagHead)
            return head.More();
        uint64_t size = 0;
        for (int i = 6; i < 10; ++i)
            size = size << 7 | (tagHead[i] & 0x7F);
        at += 10 + size;
    }
    return head.Unknown();
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

// The other formats the library reads: from files only, as they are.
AudioHead Named(Head& head)
{
    bool more = false;
    for (const Magic& magic : kRefusedMagic)
        if (Matches(head, magic, &more))
            return head.FilesOnly(magic.name);
    if (more)
        return head.More();
    const uint8_t* p = head.At(0, 4);
    if (const char* name = MaskedMagic(p))
        return head.FilesOnly(name);
    return head.Unknown();
}

}  // namespace

std::string Text(const char* format, unsigned long long value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

AudioHead JudgeHead(const std::string& bytes, HeadOf input)
{
    Head head(bytes, input);
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
    if (IsId(p, "Crea"))
    {
        static constexpr char kVoc[] = "Creative Voice File\x1A";
        const uint8_t* signature = head.At(0, sizeof kVoc - 1);
        if (!signature)
            return head.More();
        if (std::memcmp(signature, kVoc, sizeof kVoc - 1) == 0)
        {
            // A file's blocks are walked (VocBlocks.h).
            AudioHead voc = head.FilesOnly("VOC");
            voc.blocks = !head.Stream();
            return voc;
        }
    }
    return Named(head);
}
