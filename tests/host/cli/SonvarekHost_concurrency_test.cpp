// Several files in one call are measured at once, each through its own
// instance: every reading is what the file gives alone, the results come in
// the order given, and an input that waits holds up only itself.

#include "support/HostRun.h"
#include "tests/support/TempFolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>
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

TEST(SonvarekHostConcurrency, AFifoWithoutAWriterHoldsUpOnlyItself)
{
    TempFolder folder;
    const std::string good = folder / "good.wav";
    ASSERT_TRUE(WriteAudio(good, SteppedProgramme(2, 48000, 1.0, 4u), 48000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    const std::string fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::signal(SIGPIPE, SIG_IGN);

    const pid_t pid = StartHost({"--json", good, fifo}, folder.Path());
    ASSERT_GT(pid, 0);
    // good.wav reports while the FIFO still has no writer. The deadline
    // only keeps a stalled program from hanging the suite.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    bool reported = false;
    while (!reported && std::chrono::steady_clock::now() < deadline)
    {
        reported = ReadBytes(folder / "host.out").find('\n') != std::string::npos;
        if (!reported)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(reported);

    // Then the writer comes, with the same audio: measured as a stream.
    const std::string bytes = ReadBytes(good);
    const int writer = ::open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    EXPECT_EQ(::write(writer, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(writer);
    const HostRun run = FinishHost(pid, folder.Path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out;
    JsonObject fromFile;
    JsonObject fromFifo;
    ASSERT_TRUE(ParseJsonObject(lines[0], &fromFile));
    ASSERT_TRUE(ParseJsonObject(lines[1], &fromFifo));
    EXPECT_EQ(fromFile.at("file").text, good);
    EXPECT_EQ(fromFifo.at("file").text, fifo);
    EXPECT_EQ(fromFifo.count("warning"), 0u);
    for (const auto& [key, value] : fromFile)
        EXPECT_TRUE(key == "file" || key == "speed" || fromFifo.at(key).number == value.number) << key;
}

}  // namespace
