// Several files in one call are measured at once, each through its own
// instance: every reading is what the file gives alone, the results come in
// the order given, and a stream that waits holds up only itself.

#include "support/HostRun.h"
#include "tests/support/TempFolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>
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

TEST(SonvarekHostConcurrency, StreamsThatWaitForTheirWriterOrHeaderHoldUpOnlyThemselves)
{
    TempFolder folder;
    const std::string good = folder / "good.wav";
    const std::string vorbis = folder / "good.oga";
    ASSERT_TRUE(WriteAudio(good, SteppedProgramme(2, 48000, 2.0, 4u), 48000, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    ASSERT_TRUE(WriteAudio(vorbis, SteppedProgramme(2, 48000, 2.0, 4u), 48000, SF_FORMAT_OGG | SF_FORMAT_VORBIS));
    // A stream whose writer has not come (npos), or has sent nothing, or part
    // of a header; at least as many of them as there are cores.
    const std::pair<std::string, size_t> kinds[] = {
        {good, std::string::npos}, {good, 0}, {good, 2}, {good, 40}, {vorbis, 1000}};
    std::vector<std::string> sources, inputs;
    std::vector<std::unique_ptr<FifoWriter>> writers;
    const size_t stalls = std::max<size_t>(std::size(kinds), std::thread::hardware_concurrency());
    for (size_t i = 0; i < stalls; ++i)
    {
        const auto& [source, sent] = kinds[i % std::size(kinds)];
        sources.push_back(source);
        inputs.push_back(folder / ("stream" + std::to_string(i)));
        ASSERT_EQ(::mkfifo(inputs.back().c_str(), 0600), 0);
        writers.push_back(sent == std::string::npos ? nullptr
                                                    : std::make_unique<FifoWriter>(inputs.back(), ReadBytes(source), sent));
    }
    // A whole stream and a file after them are read while they wait.
    sources.insert(sources.end(), {good, good});
    inputs.insert(inputs.end(), {folder / "whole", good});
    ASSERT_EQ(::mkfifo(inputs[stalls].c_str(), 0600), 0);
    writers.push_back(std::make_unique<FifoWriter>(inputs[stalls], ReadBytes(good)));
    std::vector<std::string> args = {"--json"};
    args.insert(args.end(), inputs.begin(), inputs.end());
    const pid_t pid = StartHost(args, folder.Path());
    ASSERT_GT(pid, 0);
    // The whole stream goes in while the others wait. The deadline only
    // keeps a stalled program from hanging the suite.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (!writers[stalls]->Done() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(writers[stalls]->Done());
    for (size_t i = 0; i < stalls; ++i)
        if (writers[i])
            writers[i]->Resume();
        else
            writers[i] = std::make_unique<FifoWriter>(inputs[i], ReadBytes(sources[i]));
    const HostRun run = FinishHost(pid, folder.Path());
    writers.clear();
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), inputs.size()) << run.out;
    std::map<std::string, JsonObject> alone;
    for (size_t i = 0; i < inputs.size(); ++i)
    {
        if (!alone.count(sources[i]))
        {
            ASSERT_TRUE(ParseJsonObject(Lines(RunHost({"--json", sources[i]}, folder.Path()).out).at(0),
                                        &alone[sources[i]]));
        }
        JsonObject got;
        ASSERT_TRUE(ParseJsonObject(lines[i], &got));
        EXPECT_EQ(got.at("file").text, inputs[i]);
        EXPECT_EQ(got.count("warning"), 0u);
        for (const auto& [key, value] : alone[sources[i]])
            EXPECT_TRUE(key == "file" || key == "speed" || got.at(key).number == value.number) << inputs[i] << key;
    }
}

}  // namespace
