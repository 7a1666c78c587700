#include "host/cli/input/DeclaredFrames.h"

#include "host/cli/input/HeaderBytes.h"

#include <unistd.h>

#include <cerrno>

namespace {

// Chunks walked before a header counts as unknown: real files hold a few.
constexpr int kMostChunks = 256;

// The bytes of one frame of a WAVE format as the audio library reads its
// data: each sample in whole bytes of its bits per sample (PCM, IEEE float)
// or one byte (A-law, mu-law), whatever the block align field says; 0 for
// formats whose frames are no fixed blocks of samples.
uint64_t WaveFrameBytes(uint64_t tag, uint64_t channels, uint64_t bits)
{
    if (tag == kWavePcm || tag == kWaveFloat)
        return channels * ((bits + 7) / 8);
    if (tag == kWaveAlaw || tag == kWaveUlaw)
        return channels;
    return 0;
}

// Walks the chunks after a 12-byte file head (4-byte ID, 4-byte size, body
// padded to an even size), handing each to visit(id, size, body offset,
// &frames) until visit says it is done. The frames visit found, or -1.
template <class Visit>
int64_t WalkChunks(int fd, bool bigEndian, Visit visit)
{
    int64_t at = 12;
    for (int chunk = 0; chunk < kMostChunks; ++chunk)
    {
        uint8_t head[8];
        if (!ReadAt(fd, at, head, sizeof head))
            return -1;
        const uint64_t size = bigEndian ? LoadBE(head + 4, 4) : LoadLE(head + 4, 4);
        int64_t frames = -1;
        if (visit(head, size, at + 8, &frames))
            return frames;
        at += 8 + static_cast<int64_t>(size + (size & 1));
    }
    return -1;
}

int64_t WaveFrames(int fd, bool rf64)
{
    uint64_t frameBytes = 0;
    uint64_t ds64DataSize = 0;
    return WalkChunks(fd, false, [&](const uint8_t* id, uint64_t size, int64_t body, int64_t* frames) {
        if (IsId(id, "ds64"))
        {
            uint8_t ds64[16];
            if (size < sizeof ds64 || !ReadAt(fd, body, ds64, sizeof ds64))
                return true;
            ds64DataSize = LoadLE(ds64 + 8, 8);
        }
        else if (IsId(id, "fmt "))
        {
            uint8_t format[26] = {};
            if (size < 16 || !ReadAt(fd, body, format, size >= sizeof format ? sizeof format : 16))
                return true;
            uint64_t tag = LoadLE(format, 2);
            if (tag == kWaveExtensible && size >= sizeof format)  // extensible: the sub-format's tag leads its GUID
                tag = LoadLE(format + 24, 2);
            frameBytes = WaveFrameBytes(tag, LoadLE(format + 2, 2), LoadLE(format + 14, 2));
        }
        else if (IsId(id, "data"))
        {
            uint64_t dataSize = size;
            if (rf64 && size == kUnknownSize32)
                dataSize = ds64DataSize;
            else if (size == kUnknownSize32)
                return true;
            if (dataSize > 0 && frameBytes > 0 && dataSize / frameBytes <= INT64_MAX)
                *frames = static_cast<int64_t>(dataSize / frameBytes);
            return true;
        }
        return false;
    });
}

int64_t AiffFrames(int fd, bool compressed)
{
    return WalkChunks(fd, true, [&](const uint8_t* id, uint64_t size, int64_t body, int64_t* frames) {
        if (!IsId(id, "COMM"))
            return false;
        uint8_t common[22];
        const size_t need = compressed ? 22 : 18;
        if (size < need || !ReadAt(fd, body, common, need))
            return true;
        // Compressed data counts its frames in packets of its own.
        if (compressed && !(IsId(common + 18, "NONE") || IsId(common + 18, "sowt") || IsId(common + 18, "fl32") ||
                            IsId(common + 18, "FL32") || IsId(common + 18, "fl64") || IsId(common + 18, "FL64")))
            return true;
        const uint64_t count = LoadBE(common + 2, 4);
        if (count > 0)
            *frames = static_cast<int64_t>(count);
        return true;
    });
}

}  // namespace

int64_t DeclaredFrames(int fd)
{
    uint8_t head[12];
    if (!ReadAt(fd, 0, head, sizeof head))
        return -1;
    if ((IsId(head, "RIFF") || IsId(head, "RF64") || IsId(head, "BW64")) && IsId(head + 8, "WAVE"))
        return WaveFrames(fd, !IsId(head, "RIFF"));
    if (IsId(head, "FORM") && (IsId(head + 8, "AIFF") || IsId(head + 8, "AIFC")))
        return AiffFrames(fd, IsId(head + 8, "AIFC"));
    return -1;
}
