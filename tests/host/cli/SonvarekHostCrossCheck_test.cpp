// sonvarek-host's integrated loudness against libebur128 on the same decoded
// samples, for files of every channel count the meter takes, at several
// sample rates and in several formats.

#include "support/HostRun.h"
#include "tests/support/TempFolder.h"

#include <ebur128.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <memory>
#include <string>
#include <vector>

namespace {

double Ebur128Integrated(const Planar& audio, int rate, const std::vector<int>& roles)
{
    std::unique_ptr<ebur128_state, void (*)(ebur128_state*)> state(
        ebur128_init(static_cast<unsigned>(audio.size()), static_cast<unsigned long>(rate), EBUR128_MODE_I),
        [](ebur128_state* s) { ebur128_destroy(&s); });
    for (size_t c = 0; c < roles.size(); ++c)
        ebur128_set_channel(state.get(), static_cast<unsigned>(c), roles[c]);
    std::vector<float> interleaved;
    for (size_t i = 0; i < audio[0].size(); ++i)
        for (const std::vector<float>& channel : audio)
            interleaved.push_back(channel[i]);
    ebur128_add_frames_float(state.get(), interleaved.data(), audio[0].size());
    double loudness = 0.0;
    ebur128_loudness_global(state.get(), &loudness);
    return loudness;
}

TEST(SonvarekHostCrossCheck, IntegratedLoudnessWithinATenthOfLibebur128)
{
    struct Case
    {
        const char* name;
        int rate;
        int format;
        double seconds;
        const char* config;      // "EBU Channel Config"
        std::vector<int> roles;  // libebur128's, one per channel of the file
    };
    const Case cases[] = {
        {"stereo-44k1.wav", 44100, SF_FORMAT_WAV | SF_FORMAT_PCM_24, 20.0, "2.0", {EBUR128_LEFT, EBUR128_RIGHT}},
        {"surround-96k.flac", 96000, SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 10.0, "5.1",
         {EBUR128_LEFT, EBUR128_RIGHT, EBUR128_CENTER, EBUR128_UNUSED, EBUR128_LEFT_SURROUND, EBUR128_RIGHT_SURROUND}},
        {"mono-48k.wav", 48000, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 5.0, "1.0", {EBUR128_LEFT}},
        {"quad-32k.aiff", 32000, SF_FORMAT_AIFF | SF_FORMAT_PCM_32, 5.0, "4.0",
         {EBUR128_LEFT, EBUR128_RIGHT, EBUR128_LEFT_SURROUND, EBUR128_RIGHT_SURROUND}},
        {"five-88k2.wav", 88200, SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 5.0, "4.1",
         {EBUR128_LEFT, EBUR128_RIGHT, EBUR128_LEFT_SURROUND, EBUR128_RIGHT_SURROUND, EBUR128_UNUSED}},
    };
    TempFolder folder;
    unsigned seed = 11u;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string path = folder / c.name;
        ASSERT_TRUE(WriteAudio(path, SteppedProgramme(static_cast<int>(c.roles.size()), c.rate, c.seconds, ++seed),
                               c.rate, c.format));
        int rate = 0;
        const Planar decoded = ReadAudio(path, &rate);
        ASSERT_EQ(rate, c.rate);
        const HostRun run =
            RunHost({"--json", "--set", "Type=EBU", "--set", std::string("EBU Channel Config=") + c.config, path},
                    folder.Path());
        ASSERT_EQ(run.exitCode, 0) << run.err;
        JsonObject result;
        ASSERT_TRUE(ParseJsonObject(Lines(run.out).at(0), &result)) << run.out;
        EXPECT_EQ(result.at("channels").number, static_cast<double>(c.roles.size()));
        EXPECT_EQ(result.at("frames").number, static_cast<double>(decoded[0].size()));
        EXPECT_NEAR(result.at("OUT:EBU IL").number, Ebur128Integrated(decoded, rate, c.roles), 0.1);
    }
}

}  // namespace
