// A stream's format judged from its first bytes: a head cut anywhere asks
// for more or gives the whole head's verdict, never another; and an RF64
// header becomes the very header of the Wave64 file of the same audio.

#include "host/cli/StreamFormat.h"

#include "support/HostRun.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <string>

namespace {

TEST(StreamFormat, AHeadCutAnywhereAsksForMoreOrGivesTheWholeHeadsVerdict)
{
    TempFolder folder;
    const int formats[] = {SF_FORMAT_WAV | SF_FORMAT_PCM_16,   SF_FORMAT_WAVEX | SF_FORMAT_FLOAT,
                           SF_FORMAT_RF64 | SF_FORMAT_PCM_24,  SF_FORMAT_W64 | SF_FORMAT_ALAW,
                           SF_FORMAT_AIFF | SF_FORMAT_ULAW,    SF_FORMAT_AU | SF_FORMAT_PCM_32,
                           SF_FORMAT_OGG | SF_FORMAT_OPUS,     SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III,
                           SF_FORMAT_W64 | SF_FORMAT_GSM610,   SF_FORMAT_FLAC | SF_FORMAT_PCM_16};
    for (const int format : formats)
    {
        const std::string path = folder / "take";
        ASSERT_TRUE(WriteAudio(path, Sine(1, 48000, 0.1, 1000.0, -20.0), 48000, format));
        const std::string bytes = ReadBytes(path);
        const StreamFormat whole = JudgeStream(bytes);
        SCOPED_TRACE(std::to_string(format) + " " + whole.reason);
        ASSERT_NE(whole.verdict, StreamFormat::Verdict::kMore);
        for (size_t length = 0; length < std::min<size_t>(bytes.size(), 2048); ++length)
        {
            const StreamFormat cut = JudgeStream(bytes.substr(0, length));
            if (cut.verdict == StreamFormat::Verdict::kMore)
                EXPECT_GT(cut.bytes, length);
            else
                EXPECT_TRUE(cut.verdict == whole.verdict && cut.reason == whole.reason &&
                            cut.replaced == whole.replaced && cut.header == whole.header)
                    << length;
        }
    }
}

TEST(StreamFormat, AnRf64HeaderBecomesTheWave64HeaderOfTheSameAudio)
{
    TempFolder folder;
    // PCM: for other samples the Wave64 writer adds a fact chunk.
    for (const int subtype : {SF_FORMAT_PCM_U8, SF_FORMAT_PCM_16, SF_FORMAT_PCM_24, SF_FORMAT_PCM_32})
    {
        const Planar audio = Sine(2, 44100, 0.05, 1000.0, -20.0);
        ASSERT_TRUE(WriteAudio(folder / "take.rf64", audio, 44100, SF_FORMAT_RF64 | subtype));
        ASSERT_TRUE(WriteAudio(folder / "take.w64", audio, 44100, SF_FORMAT_W64 | subtype));
        const std::string rf64 = ReadBytes(folder / "take.rf64");
        const StreamFormat format = JudgeStream(rf64);
        ASSERT_EQ(format.verdict, StreamFormat::Verdict::kRead) << format.reason;
        EXPECT_TRUE(format.header + rf64.substr(format.replaced) == ReadBytes(folder / "take.w64")) << subtype;
    }
}

}  // namespace
