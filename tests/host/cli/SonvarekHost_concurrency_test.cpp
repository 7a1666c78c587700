// Several files in one call are measured at once, each through its own
// instance: every reading is what the file gives alone, the results come in
// the order given, a stream that waits holds up only itself, and a stop
// ends the run with the reports of the inputs that had finished, even while
// the output takes nothing.

#include "support/HostRun.h"
#include "tests/support/TempFolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sndfile.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <set>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Only a stalled program waits this long: it keeps one from hanging the
// suite, and is no measure of speed.
constexpr auto kDeadline = std::chrono::seconds(30);

// Waits until each of the files that watch (an inotify instance made before
// the program started) watches for IN_CLOSE_NOWRITE has been closed: the
// program measures a file between its open and its close. False after the
// deadline.
bool AllReadAndClosed(int watch, size_t files)
{
    std::set<int> closed;
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    while (closed.size() < files && std::chrono::steady_clock::now() < deadline)
    {
        pollfd ready = {watch, POLLIN, 0};
        if (::poll(&ready, 1, 100) != 1)
            continue;
        alignas(inotify_event) char buffer[4096];
        const ssize_t got = ::read(watch, buffer, sizeof buffer);
        for (ssize_t at = 0; at < got;)
        {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->mask & IN_CLOSE_NOWRITE)
                closed.insert(event->wd);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return closed.size() == files;
}

// The program's exit status once it ends, -1 when it does not end before
// the deadline (it is killed then).
int WaitForEnd(pid_t pid)
{
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0)
    {
        if (std::chrono::steady_clock::now() - start > kDeadline)
        {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

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

TEST(SonvarekHostConcurrency, AStopWritesTheFinishedReportsInOrderAndSaysTheOthersWereStopped)
{
    TempFolder folder;
    constexpr int64_t kFrames = 24000;  // each file's, half a second
    // Files, but third a FIFO whose writer never comes and sixth a stream
    // whose writer sends its header and a tenth of a second, then stalls.
    constexpr size_t kNoWriter = 2;
    constexpr size_t kStalls = 5;
    std::vector<std::string> inputs;
    for (size_t i = 0; i < 8; ++i)
    {
        inputs.push_back(folder / ("input" + std::to_string(i) + (i == kNoWriter || i == kStalls ? "" : ".wav")));
        if (i == kNoWriter || i == kStalls)
        {
            ASSERT_EQ(::mkfifo(inputs.back().c_str(), 0600), 0);
        }
        else
        {
            ASSERT_TRUE(WriteAudio(inputs.back(), SteppedProgramme(2, 48000, 0.5, 7u + static_cast<unsigned>(i)),
                                   48000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        }
    }
    const std::string stream = ReadBytes(inputs[0]);
    const size_t header = stream.size() - static_cast<size_t>(kFrames) * 4;
    for (const int signal : {SIGINT, SIGTERM})
    {
        const bool json = signal == SIGINT;
        SCOPED_TRACE(json ? "SIGINT, JSON" : "SIGTERM, the human report");
        const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        ASSERT_GE(watch, 0);
        std::vector<std::string> files;
        for (size_t i = 0; i < inputs.size(); ++i)
            if (i != kNoWriter && i != kStalls)
            {
                files.push_back(inputs[i]);
                ASSERT_GE(::inotify_add_watch(watch, inputs[i].c_str(), IN_CLOSE_NOWRITE), 0);
            }
        auto writer = std::make_unique<FifoWriter>(inputs[kStalls], stream, header + 4800 * 4);
        std::vector<std::string> args = inputs;
        if (json)
            args.insert(args.begin(), "--json");
        const pid_t pid = StartHost(args, folder.Path());
        ASSERT_GT(pid, 0);
        // Every file measured: the reports after the third wait behind it.
        const bool read = AllReadAndClosed(watch, files.size());
        ::close(watch);
        EXPECT_TRUE(read);
        // A file is marked finished a moment after its close.
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        // It ends, whatever the inputs are doing, with the status of a
        // program the signal interrupted.
        ::kill(pid, signal);
        const int status = WaitForEnd(pid);
        writer.reset();
        const HostRun run = FinishHost(-1, folder.Path());
        ASSERT_EQ(status, 128 + signal) << run.err;

        const std::string stopped = "stopped before it was measured";
        EXPECT_EQ(run.err, "sonvarek-host: " + inputs[kNoWriter] + ": " + stopped + "\n" + "sonvarek-host: " +
                               inputs[kStalls] + ": " + stopped + "\n");
        if (json)
        {
            const std::vector<std::string> lines = Lines(run.out);
            ASSERT_EQ(lines.size(), inputs.size()) << run.out;
            for (size_t i = 0; i < inputs.size(); ++i)
            {
                JsonObject got;
                ASSERT_TRUE(ParseJsonObject(lines[i], &got)) << lines[i];
                EXPECT_EQ(got.at("file").text, inputs[i]);
                if (i == kNoWriter || i == kStalls)
                {
                    EXPECT_EQ(got.size(), 2u) << lines[i];
                    EXPECT_EQ(got.at("error").text, stopped);
                }
                else
                {
                    EXPECT_EQ(got.count("error"), 0u) << lines[i];
                    EXPECT_EQ(got.count("warning"), 0u) << lines[i];
                    EXPECT_EQ(got.at("frames").number, kFrames);
                    EXPECT_EQ(got.count("OUT:EBU IL"), 1u);
                }
            }
        }
        else
        {
            // One block a file, each headed by its name, in the order given.
            std::vector<std::string> reported;
            for (const std::string& line : Lines(run.out))
                if (!line.empty() && line[0] != ' ')
                    reported.push_back(line);
                else if (line.find("frames") != std::string::npos)
                {
                    EXPECT_NE(line.find(" 24000 "), std::string::npos) << line;
                }
            EXPECT_EQ(reported, files) << run.out;
        }
    }

    // Into a pipe of one page that nobody reads, the reports stall the run;
    // a stop ends it all the same, giving up what the pipe did not take.
    const std::string unread = folder / "unread";
    ASSERT_EQ(::mkfifo(unread.c_str(), 0600), 0);
    const int reader = ::open(unread.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    ::fcntl(reader, F_SETPIPE_SZ, 4096);
    std::vector<std::string> args = {"--json"};
    for (size_t i = 0; i < 100; ++i)
        args.push_back(inputs[i % 2 == 0 ? 0 : 7]);
    const pid_t pid = StartHost(args, folder.Path(), unread);
    ASSERT_GT(pid, 0);
    int queued = 0;
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    while (queued == 0 && std::chrono::steady_clock::now() < deadline && ::ioctl(reader, FIONREAD, &queued) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    ::kill(pid, SIGTERM);
    const auto signalled = std::chrono::steady_clock::now();
    const int status = WaitForEnd(pid);
    const auto took = std::chrono::steady_clock::now() - signalled;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 5000) << "ms from the signal";
    ::close(reader);
    const HostRun run = FinishHost(-1, folder.Path());
    EXPECT_EQ(status, 128 + SIGTERM) << run.err;
    EXPECT_NE(run.err.find("cannot write the report: "), std::string::npos) << run.err;
}

}  // namespace
