// Several files in one call are measured at once, each through its own
// instance: every reading is what the file gives alone, and the results
// come in the order given.

#include "support/HostRun.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <string>
#include <vector>

namespace {

TEST(SonvarekHostConcurrency, SeveralFilesReadAsEachAloneInTheOrderGiven)
{
    TempFolder folder;
    const int channels[] = {2, 6, 1, 4, 5, 2};
    std::vector<std::string> files;
    for (int i = 0; i < 6; ++i)
    {
        files.push_back(folder / ("f" + std::to_string(i) + ".wav"));
        // Longer first: the later ones finish before them.
        const double seconds = 1.5 - 0.2 * i;
        ASSERT_TRUE(WriteAudio(files.back(), SteppedProgramme(channels[i], 48000, seconds, 100u + i), 48000,
                               SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    }
    const std::vector<std::string> settings = {"--json", "--set", "Type=EBU", "--set", "EBU Channel Config=5.1"};
    std::vector<std::string> all = settings;
    all.insert(all.end(), files.begin(), files.end());
    const HostRun together = RunHost(all, folder.Path());
    ASSERT_EQ(together.exitCode, 0) << together.err;
    const std::vector<std::string> lines = Lines(together.out);
    ASSERT_EQ(lines.size(), files.size());
    for (size_t i = 0; i < files.size(); ++i)
    {
        std::vector<std::string> one = settings;
        one.push_back(files[i]);
        const HostRun alone = RunHost(one, folder.Path());
        ASSERT_EQ(alone.exitCode, 0) << alone.err;
        JsonObject expected;
        JsonObject got;
        ASSERT_TRUE(ParseJsonObject(Lines(alone.out).at(0), &expected));
        ASSERT_TRUE(ParseJsonObject(lines[i], &got));
        EXPECT_EQ(got.at("file").text, files[i]);
        expected.erase("speed");
        for (const auto& [key, value] : expected)
        {
            ASSERT_EQ(got.count(key), 1u) << key;
            EXPECT_EQ(got.at(key).number, value.number) << files[i] << " " << key;
        }
    }
}

}  // namespace
