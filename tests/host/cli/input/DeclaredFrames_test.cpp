// The length a header declares, read from WAVE and AIFF headers that the
// audio library writes, cut short, or made by hand to be awkward; and never
// anything but the declared length or "unknown" from a header cut anywhere.

#include "host/cli/input/DeclaredFrames.h"

#include "tests/host/cli/support/HostRun.h"
#include "tests/support/TempFolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <string>
#include <utility>

namespace {

int64_t Declared(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    EXPECT_GE(fd, 0) << path;
    const int64_t frames = DeclaredFrames(fd);
    ::close(fd);
    return frames;
}

void PutLE(std::string& bytes, uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>(value >> (8 * i));
}

// A WAVE file by hand: a RIFF or RF64 head, an odd-sized chunk before fmt,
// fmt of a tag and bits per sample for two channels (the block align field
// as those make it), a ds64 chunk for RF64, a data chunk declaring dataSize
// (its bytes are not there).
std::string HandMadeWave(const char* riff, uint16_t tag, uint16_t bits, uint32_t dataSize, uint64_t ds64Size)
{
    const auto blockAlign = static_cast<uint16_t>(2 * ((bits + 7) / 8));
    std::string bytes = std::string(riff) + "\xFF\xFF\xFF\xFF" + "WAVE";
    if (std::string(riff) != "RIFF")
    {
        bytes += "ds64";
        PutLE(bytes, 28, 4);
        PutLE(bytes, 0, 8);
        PutLE(bytes, ds64Size, 8);
        PutLE(bytes, 0, 8);
        PutLE(bytes, 0, 4);
    }
    bytes += "junk";
    PutLE(bytes, 3, 4);
    bytes += std::string("abc") + '\0';  // padded to an even size
    bytes += "fmt ";
    PutLE(bytes, 16, 4);
    PutLE(bytes, tag, 2);
    PutLE(bytes, 2, 2);
    PutLE(bytes, 48000, 4);
    PutLE(bytes, 48000u * blockAlign, 4);
    PutLE(bytes, blockAlign, 2);
    PutLE(bytes, bits, 2);
    bytes += "data";
    PutLE(bytes, dataSize, 4);
    return bytes;
}

TEST(DeclaredFrames, WhatTheHeaderDeclaresWholeOrCutShort)
{
    TempFolder folder;
    const Planar audio = Sine(2, 48000, 1.0, 1000.0, -6.0);
    // Compressed data counts its length in blocks of its own: unknown.
    const std::pair<int, int64_t> formats[] = {
        {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000},  {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000},
        {SF_FORMAT_WAVEX | SF_FORMAT_PCM_24, 48000}, {SF_FORMAT_RF64 | SF_FORMAT_PCM_32, 48000},
        {SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 48000},  {SF_FORMAT_AIFF | SF_FORMAT_FLOAT, 48000},
        {SF_FORMAT_WAV | SF_FORMAT_ULAW, 48000},     {SF_FORMAT_AIFF | SF_FORMAT_IMA_ADPCM, -1},
        {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, -1}};
    for (const auto& [format, frames] : formats)
    {
        SCOPED_TRACE(format);
        const std::string path = folder / "audio";
        ASSERT_TRUE(WriteAudio(path, audio, 48000, format));
        EXPECT_EQ(Declared(path), frames);
        ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(ReadBytes(path).size() / 3)), 0);
        EXPECT_EQ(Declared(path), frames);
    }
}

TEST(DeclaredFrames, HandMadeHeaders)
{
    TempFolder folder;
    const std::string path = folder / "hand.wav";
    struct Case
    {
        std::string bytes;
        int64_t frames;
    };
    const Case cases[] = {
        {HandMadeWave("RIFF", 1, 16, 4000, 0), 1000},
        {HandMadeWave("RIFF", 3, 64, 16001, 0), 1000},         // a torn last frame is no frame
        {HandMadeWave("RIFF", 1, 12, 4000, 0), 1000},          // samples in whole bytes
        {HandMadeWave("RIFF", 1, 16, 0, 0), -1},               // size not known
        {HandMadeWave("RIFF", 1, 16, 0xFFFFFFFFu, 0), -1},     // size not known
        {HandMadeWave("RIFF", 1, 0, 4000, 0), -1},             // no sample size
        {HandMadeWave("RIFF", 7, 0, 4000, 0), 2000},           // mu-law: a byte a sample
        {HandMadeWave("RIFF", 2, 4, 4000, 0), -1},             // ADPCM
        {HandMadeWave("RF64", 1, 16, 0xFFFFFFFFu, 40000000000ull), 10000000000},
        {HandMadeWave("BW64", 1, 16, 0xFFFFFFFFu, 0), -1},
        {HandMadeWave("RF64", 1, 16, 4000, 40000000000ull), 1000},  // the chunk's own size where it fits
    };
    for (const Case& c : cases)
    {
        WriteBytes(path, c.bytes);
        EXPECT_EQ(Declared(path), c.frames) << c.bytes.substr(0, 4) << " " << c.frames;
    }
}

TEST(DeclaredFrames, AHeaderCutAnywhereGivesItsLengthOrUnknown)
{
    TempFolder folder;
    const std::string path = folder / "audio";
    for (const int format : {SF_FORMAT_WAVEX | SF_FORMAT_FLOAT, SF_FORMAT_AIFF | SF_FORMAT_PCM_24,
                             SF_FORMAT_RF64 | SF_FORMAT_PCM_16})
    {
        ASSERT_TRUE(WriteAudio(path, Sine(2, 48000, 0.01, 1000.0, -6.0), 48000, format));
        const std::string whole = ReadBytes(path);
        for (size_t length = 0; length < 200 && length < whole.size(); ++length)
        {
            WriteBytes(path, whole.substr(0, length));
            const int64_t frames = Declared(path);
            EXPECT_TRUE(frames == -1 || frames == 480) << format << " cut at " << length << ": " << frames;
        }
    }
}

}  // namespace
