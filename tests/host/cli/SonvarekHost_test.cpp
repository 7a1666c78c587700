// sonvarek-host end to end: the real program on the real module, on files
// written here; what it prints, saves and traces, and how it fails.

#include "support/HostTest.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

const char* const kEbuOutputs[] = {"OUT:EBU IL",     "OUT:EBU ML",     "OUT:EBU ML Max", "OUT:EBU SL",
                                   "OUT:EBU SL Max", "OUT:EBU TP Max", "OUT:EBU LRA"};
const char* const kRmsOutputs[] = {"OUT:RMS IL",       "OUT:RMS ML",     "OUT:RMS ML Max",
                                   "OUT:RMS Peak Max", "OUT:RMS TP Max", "OUT:RMS Crest"};

TEST_F(SonvarekHost, TheBuiltInProgrammeReadsMinus23LufsAndSaysSo)
{
    const HostRun human = Run({});
    EXPECT_EQ(human.exitCode, 0) << human.err;
    EXPECT_EQ(human.err, "");
    EXPECT_NE(human.out.find("(built-in programme)\n"), std::string::npos) << human.out;
    EXPECT_NE(human.out.find("  OUT:EBU IL            -23.00 LUFS\n"), std::string::npos) << human.out;
    EXPECT_NE(human.out.find("  expected             OUT:EBU IL -23.0 LUFS"), std::string::npos) << human.out;

    const HostRun json = Run({"--json"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    const std::vector<JsonObject> objects = Objects(json);
    ASSERT_EQ(objects.size(), 1u) << json.out;
    const JsonObject& result = objects[0];
    EXPECT_EQ(result.at("file").text, "(built-in programme)");
    EXPECT_EQ(Number(result, "OUT:EBU IL"), -23.0);
    EXPECT_EQ(Number(result, "sample rate"), 48000.0);
    EXPECT_EQ(Number(result, "channels"), 2.0);
    EXPECT_EQ(Number(result, "frames"), 2884800.0);
    EXPECT_GT(Number(result, "speed"), 0.0);
    EXPECT_EQ(Text(result, "channel config"), "2.0");
    EXPECT_EQ(Number(result, "non-finite samples"), 0.0);
    for (const char* name : kEbuOutputs)
        EXPECT_EQ(result.count(name), 1u) << name;
    EXPECT_EQ(result.size(), 7u + std::size(kEbuOutputs));
}

TEST_F(SonvarekHost, EveryInputIsMeasuredOnTheEbuMeterUnlessTypeIsGiven)
{
    const std::string file = Write("tone.wav", Sine(2, 48000, 0.5, 1000.0, -20.0), 48000);
    const HostRun plain = Run({"--json", "--state-out", folder / "plain.state", file});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    const JsonObject ebu = Objects(plain).at(0);
    EXPECT_EQ(Text(ebu, "channel config"), "2.0");
    for (const char* name : kEbuOutputs)
        EXPECT_EQ(ebu.count(name), 1u) << name;
    EXPECT_EQ(ebu.count("OUT:RMS IL"), 0u);
    EXPECT_EQ(StateValues(ReadBytes(folder / "plain.state")).at(2), 1.0);
    const HostRun human = Run({file});
    EXPECT_NE(human.out.find("  meter                EBU, channel config 2.0\n"), std::string::npos) << human.out;

    // A type given by --set or by a state is kept.
    const HostRun set = Run({"--json", "--set", "Type=RMS", "--state-out", folder / "rms.state", file});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    const HostRun state = Run({"--json", "--state-in", folder / "rms.state", file});
    ASSERT_EQ(state.exitCode, 0) << state.err;
    for (const HostRun* run : {&set, &state})
    {
        const JsonObject rms = Objects(*run).at(0);
        EXPECT_EQ(Text(rms, "channel config"), "Stereo");
        EXPECT_EQ(rms.count("OUT:RMS IL"), 1u);
        EXPECT_EQ(rms.count("OUT:EBU IL"), 0u);
    }
}

TEST_F(SonvarekHost, WithTheOffsetOnTheRelativeReadingsPrintTheirRelativeUnit)
{
    const std::string file = Write("tone.wav", Sine(2, 48000, 1.0, 1000.0, -20.0), 48000);
    // The unit each output prints with, by its line of the report.
    const auto units = [&](const std::vector<std::string>& args) {
        const HostRun run = Run(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        std::map<std::string, std::string> found;
        for (const std::string& line : Lines(run.out))
            if (line.rfind("  OUT:", 0) == 0)
                found[line.substr(2, line.find("  ", 2) - 2)] = line.substr(line.rfind(' ') + 1);
        return found;
    };
    const std::map<std::string, std::string> ebu = units({"--set", "EBU Offset=1", "--set", "EBU RefLevel=-23", file});
    const std::map<std::string, std::string> ebuRelative = {
        {"OUT:EBU IL", "LU"}, {"OUT:EBU ML", "LU"},       {"OUT:EBU ML Max", "LU"}, {"OUT:EBU SL", "LU"},
        {"OUT:EBU SL Max", "LU"}, {"OUT:EBU TP Max", "dBFS"}, {"OUT:EBU LRA", "LU"}};
    EXPECT_EQ(ebu, ebuRelative);
    std::map<std::string, std::string> ebuAbsolute = ebuRelative;
    for (const char* name : {"OUT:EBU IL", "OUT:EBU ML", "OUT:EBU ML Max", "OUT:EBU SL", "OUT:EBU SL Max"})
        ebuAbsolute[name] = "LUFS";
    EXPECT_EQ(units({"--set", "EBU RefLevel=-23", "--set", "RMS Offset=1", file}), ebuAbsolute);

    const std::map<std::string, std::string> rms = units({"--set", "Type=RMS", "--set", "RMS Offset=1", file});
    const std::map<std::string, std::string> rmsRelative = {
        {"OUT:RMS IL", "dB"},         {"OUT:RMS ML", "dB"},        {"OUT:RMS ML Max", "dB"},
        {"OUT:RMS Peak Max", "dBFS"}, {"OUT:RMS TP Max", "dBFS"}, {"OUT:RMS Crest", "dB"}};
    EXPECT_EQ(rms, rmsRelative);
    std::map<std::string, std::string> rmsAbsolute = rmsRelative;
    for (const char* name : {"OUT:RMS IL", "OUT:RMS ML", "OUT:RMS ML Max"})
        rmsAbsolute[name] = "dBFS";
    EXPECT_EQ(units({"--set", "Type=RMS", "--set", "EBU Offset=1", file}), rmsAbsolute);
}

TEST_F(SonvarekHost, RmsWithEachWeightingReportsTheRmsOutputs)
{
    // A 100 Hz sine, where the weighting curves part: A -19.1, B -5.6, C -0.3 dB.
    const std::string file = Write("100Hz.wav", Sine(2, 48000, 1.0, 100.0, -20.0), 48000, kWav16);
    std::map<std::string, double> integrated;
    for (const char* weighting : {"---", "BS1770", "Leq(A)", "Leq(B)", "Leq(C)", "Leq(M)", "Leq(A)+3"})
    {
        SCOPED_TRACE(weighting);
        const HostRun run =
            Run({"--json", "--set", "Type=RMS", "--set", std::string("RMS Weighting Filer Mode=") + weighting, file});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::vector<JsonObject> objects = Objects(run);
        ASSERT_EQ(objects.size(), 1u);
        for (const char* name : kRmsOutputs)
            EXPECT_TRUE(std::isfinite(Number(objects[0], name))) << name;
        EXPECT_EQ(objects[0].count("OUT:EBU IL"), 0u);
        EXPECT_EQ(Number(objects[0], "OUT:RMS Peak Max"), -20.0);
        integrated[weighting] = Number(objects[0], "OUT:RMS IL");
    }
    const double flat = integrated["---"];
    EXPECT_NEAR(flat, -20.0, 0.05);  // two channels summed: the sine's -23 dB RMS + 3
    EXPECT_NEAR(integrated["Leq(A)"] - flat, -19.1, 0.5);
    EXPECT_NEAR(integrated["Leq(B)"] - flat, -5.6, 0.5);
    EXPECT_NEAR(integrated["Leq(C)"] - flat, -0.3, 0.3);
    EXPECT_NEAR(integrated["Leq(A)+3"] - integrated["Leq(A)"], 3.0, 0.1);
    EXPECT_LT(integrated["BS1770"], flat - 0.5);
    EXPECT_LT(integrated["Leq(M)"], flat - 0.5);
}

TEST_F(SonvarekHost, AStateSavedAndLoadedRestoresEverySetting)
{
    const std::string file = Write("tone.wav", Sine(2, 48000, 0.5, 997.0, -12.0), 48000);
    struct Setting
    {
        const char* text;
        size_t index;  // in the state
        double value;
    };
    const Setting settings[] = {
        {"GUI Scale=2", 0, 2.0},           {"GUI Layout=0", 1, 0.0},
        {"Type=EBU", 2, 1.0},              {"Sync=1", 3, 1.0},
        {"RMS Channel Config=Left", 5, 1.0}, {"RMS Gain=-3", 6, -3.0},
        {"RMS RefLevel=-20", 7, -20.0},    {"RMS Meter Mode=AVG", 8, 2.0},
        {"RMS Window=10", 9, 10.0},        {"RMS Offset=1", 10, 1.0},
        {"RMS Weighting Filer Mode=Leq(C)", 11, 4.0}, {"EBU Channel Config=1.0", 18, 0.0},
        {"EBU Gain=2", 19, 2.0},           {"EBU RefLevel=-16", 20, -16.0},
        {"EBU Offset=1", 21, 1.0},
    };
    std::vector<std::string> args = {"--json", "--state-out", folder / "first.state"};
    for (const Setting& setting : settings)
        args.insert(args.end(), {"--set", setting.text});
    args.push_back(file);
    const HostRun first = Run(args);
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const std::string saved = ReadBytes(folder / "first.state");
    const std::vector<double> values = StateValues(saved);
    ASSERT_EQ(values.size(), 29u);
    for (const Setting& setting : settings)
        EXPECT_NEAR(values[setting.index], setting.value, 1e-9) << setting.text;
    EXPECT_EQ(values[4], 1.0);  // "WriteAutomationData", switched on by the host

    // Loaded alone, the state plays the same and is saved the same, byte for byte.
    const HostRun second = Run({"--json", "--state-in", folder / "first.state", "--state-out", folder / "second.state", file});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(ReadBytes(folder / "second.state"), saved);
    JsonObject a = Objects(first).at(0);
    JsonObject b = Objects(second).at(0);
    a.erase("speed");
    b.erase("speed");
    EXPECT_EQ(Number(a, "OUT:EBU IL"), Number(b, "OUT:EBU IL"));
    EXPECT_EQ(a.size(), b.size());

    // --set after --state-in wins.
    const HostRun third =
        Run({"--state-in", folder / "first.state", "--set", "EBU Offset=0", "--state-out", folder / "third.state", file});
    ASSERT_EQ(third.exitCode, 0) << third.err;
    EXPECT_EQ(StateValues(ReadBytes(folder / "third.state")).at(21), 0.0);
}

TEST_F(SonvarekHost, BadFilesAreErrorsOfTheirOwnAndTheRestIsMeasuredInOrder)
{
    const std::string good = Write("good.wav", Sine(1, 48000, 0.2, 1000.0, -6.0), 48000);
    const std::string odd = Write("we\"ird\\name \xC3\xA9.wav", Sine(6, 44100, 0.2, 1000.0, -6.0), 44100);
    const std::string seven = Write("seven.wav", Sine(7, 48000, 0.1, 1000.0, -6.0), 48000);
    const std::string empty = Write("empty.wav", Planar(2), 48000);
    const std::string text = folder / "text.wav";
    WriteBytes(text, "RIFF? no, just text");
    const std::string missing = folder / "missing.wav";

    const HostRun run = Run({"--json", good, missing, text, seven, empty, odd});
    EXPECT_EQ(run.exitCode, 1);
    const std::vector<JsonObject> objects = Objects(run);
    ASSERT_EQ(objects.size(), 6u) << run.out;
    const std::string order[] = {good, missing, text, seven, empty, odd};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(objects[i].at("file").text, order[i]);
    EXPECT_EQ(Number(objects[0], "channels"), 1.0);
    EXPECT_EQ(Number(objects[5], "channels"), 6.0);
    EXPECT_EQ(Number(objects[5], "sample rate"), 44100.0);
    for (size_t i = 1; i < 5; ++i)
        EXPECT_TRUE(objects[i].at("error").isString);

    const std::vector<std::string> messages = Lines(run.err);
    ASSERT_EQ(messages.size(), 4u) << run.err;
    EXPECT_EQ(messages[0], "sonvarek-host: " + missing + ": cannot read: No such file or directory");
    EXPECT_EQ(messages[1].rfind("sonvarek-host: " + text + ": cannot read: ", 0), 0u) << messages[1];
    EXPECT_EQ(messages[2], "sonvarek-host: " + seven + ": 7 channels: the meter takes 1, 2, 4, 5 or 6");
    EXPECT_EQ(messages[3], "sonvarek-host: " + empty + ": no audio frames");

    // The readable report: one block per measured file, in order, none for the others.
    const HostRun human = Run({good, missing, odd});
    EXPECT_EQ(human.exitCode, 1);
    const size_t first = human.out.find(good + "\n");
    const size_t second = human.out.find(odd + "\n");
    EXPECT_EQ(first, 0u) << human.out;
    EXPECT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_EQ(human.out.find(missing), std::string::npos);
}

TEST_F(SonvarekHost, BadOptionsAreUsageErrorsNamingTheCause)
{
    const std::string file = Write("tone.wav", Sine(2, 48000, 0.1, 1000.0, -6.0), 48000);
    struct Case
    {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--loud"}, "unknown option --loud"},
        {{"--set", "Loudness=1"}, "no parameter is named \"Loudness\" (parameters: Master Bypass, GUI Scale,"},
        {{"--set", "Type=Loud"}, "\"Type\" does not take \"Loud\" (accepted: RMS, EBU)"},
        {{"--set", "EBU RefLevel=high"}, "(accepted: a number, alone or followed by \"LUFS\", from -60.00LUFS to 12.00LUFS)"},
        {{"--set", "Type"}, "--set takes NAME=TEXT"},
        {{"--block", "0"}, "--block takes a number of frames from 1 to 65536, not \"0\""},
        {{"--block", "12x"}, "not \"12x\""},
        {{"--block"}, "--block needs a value"},
        {{"--trace", folder / "t.csv", file, file}, "--trace takes one input file at a time"},
        {{"--editor", file}, "--editor plays one input file at a time"},
    };
    for (const Case& c : cases)
    {
        std::vector<std::string> args = {file};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const HostRun run = Run(args);
        EXPECT_EQ(run.exitCode, 2) << c.message;
        EXPECT_EQ(run.out, "") << c.message;
        EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
        EXPECT_EQ(run.err.rfind("sonvarek-host: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }

    // What cannot be read is no usage error. A state is 232 bytes exactly:
    // the effect would read the head of a longer one and drop the rest.
    WriteBytes(folder / "short.state", std::string(100, '\0'));
    WriteBytes(folder / "231.state", std::string(231, '\0'));
    WriteBytes(folder / "233.state", std::string(233, '\0'));
    WriteBytes(folder / "empty.state", "");
    const Case failures[] = {
        {{"--module", folder / "none.so"}, "cannot load the module"},
        {{"--state-in", folder / "none.state"}, "state " + folder / "none.state" + ": cannot be read"},
        {{"--state-in", folder / "short.state"}, "not a state of this effect (100 bytes; a state holds 232)"},
        {{"--state-in", folder / "231.state"}, "(231 bytes; a state holds 232)"},
        {{"--state-in", folder / "233.state"}, "(233 bytes; a state holds 232)"},
        {{"--state-in", folder / "empty.state"}, "(0 bytes; a state holds 232)"},
        {{"--trace", folder / "no/such/folder.csv"}, "cannot write the trace"},
    };
    for (const Case& c : failures)
    {
        std::vector<std::string> args = c.args;
        args.push_back(file);
        const HostRun run = Run(args);
        EXPECT_EQ(run.exitCode, 1) << c.message;
        EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

TEST_F(SonvarekHost, AStateFromAStreamIsReadToItsEndAndJudgedByItsSize)
{
    const std::string file = Write("tone.wav", Sine(2, 48000, 0.3, 1000.0, -12.0), 48000);
    const std::string saved = folder / "saved.state";
    const HostRun first = Run({"--json", "--set", "Type=RMS", "--state-out", saved, file});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const std::string state = ReadBytes(saved);
    ASSERT_EQ(state.size(), 232u);

    // Each stream comes through a FIFO from a writer that closes it after.
    const std::string fifo = folder / "state.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto through = [&](const std::string& bytes, const std::vector<std::string>& args) {
        std::thread writer([&] {
            // A reader gone early fails the write instead of ending the test.
            sigset_t pipe;
            sigemptyset(&pipe);
            sigaddset(&pipe, SIGPIPE);
            pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
            const int fd = ::open(fifo.c_str(), O_WRONLY);
            if (fd < 0)
                return;
            for (size_t at = 0; at < bytes.size();)
            {
                const ssize_t put = ::write(fd, bytes.data() + at, bytes.size() - at);
                if (put <= 0)
                    break;
                at += static_cast<size_t>(put);
            }
            ::close(fd);
        });
        const HostRun run = Run(args);
        // A writer still waiting for its reader is let go.
        const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        writer.join();
        ::close(reader);
        return run;
    };
    const HostRun streamed = through(state, {"--json", "--state-in", fifo, "--state-out", folder / "again.state", file});
    ASSERT_EQ(streamed.exitCode, 0) << streamed.err;
    EXPECT_EQ(Text(Objects(streamed).at(0), "channel config"), "Stereo");
    EXPECT_EQ(ReadBytes(folder / "again.state"), state);

    const std::string prefix = "sonvarek-host: state " + fifo + ": ";
    const std::pair<std::string, std::string> refused[] = {
        {state + state, prefix + "not a state of this effect (more than 232 bytes; a state holds 232)\n"},
        {state.substr(0, 231), prefix + "not a state of this effect (231 bytes; a state holds 232)\n"},
    };
    for (const auto& [bytes, message] : refused)
    {
        const HostRun run = through(bytes, {"--state-in", fifo, file});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, message);
    }

    // What cannot be read says why.
    const std::pair<std::string, std::string> unread[] = {
        {folder / "none.state", "No such file or directory"},
        {folder.Path(), "Is a directory"},
    };
    for (const auto& [path, cause] : unread)
    {
        const HostRun run = Run({"--state-in", path, file});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "sonvarek-host: state " + path + ": cannot be read: " + cause + "\n");
    }
}

TEST_F(SonvarekHost, StreamsThatFailTheProgramAreToldAndTheReportStays)
{
    const std::string fifo = folder / "stream.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string flac = Write("take.flac", Sine(2, 48000, 0.2, 1000.0, -20.0), 48000,
                                   SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    const std::string flacBytes = ReadBytes(flac);
    struct Case
    {
        const char* name;
        std::vector<std::string> args;
        std::function<void(int fd)> other;  // the other end of the FIFO, opened
        int openMode;
        const char* message;
        bool reported;
    };
    const Case cases[] = {
        // The built-in programme's trace outgrows the pipe: the program
        // writes on after the reader has left.
        {"a trace reader that leaves", {"--trace", fifo},
         [](int fd) {
             char some[16];
             [[maybe_unused]] const ssize_t got = ::read(fd, some, sizeof some);
         },
         O_RDONLY, "sonvarek-host: cannot write the trace ", true},
        {"FLAC from a FIFO", {"--json", fifo},
         [&](int fd) { [[maybe_unused]] const ssize_t put = ::write(fd, flacBytes.data(), flacBytes.size()); },
         O_WRONLY,
         "cannot read: FLAC is read from files only, not from a pipe or another stream",
         false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::thread other([&] {
            sigset_t pipe;
            sigemptyset(&pipe);
            sigaddset(&pipe, SIGPIPE);
            pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
            const int fd = ::open(fifo.c_str(), c.openMode);
            if (fd < 0)
                return;
            c.other(fd);
            ::close(fd);
        });
        const HostRun run = Run(c.args);
        // An end still waiting for the program is let go.
        const int end = ::open(fifo.c_str(), (c.openMode == O_RDONLY ? O_WRONLY : O_RDONLY) | O_NONBLOCK);
        other.join();
        if (end >= 0)
            ::close(end);
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        if (c.reported)
        {
            EXPECT_NE(run.err.find(": Broken pipe\n"), std::string::npos) << run.err;
            EXPECT_NE(run.out.find("  OUT:EBU IL            -23.00 LUFS\n"), std::string::npos) << run.out;
        }
    }
}

TEST_F(SonvarekHost, SetTakesOneNumberAndItsOwnUnitOrNothing)
{
    const std::string file = Write("tone.wav", Sine(2, 48000, 0.1, 1000.0, -6.0), 48000);
    struct Rejected
    {
        const char* setting;
        const char* accepted;
    };
    const char* const kRefLevel = "(accepted: a number, alone or followed by \"LUFS\", from -60.00LUFS to 12.00LUFS)";
    const Rejected rejected[] = {
        {"EBU RefLevel=-16junk", kRefLevel},
        {"EBU RefLevel=-16 dB", kRefLevel},  // another parameter's unit
        {"GUI Scale=1,5", "(accepted: a number from 1.00 to 3.00)"},
        {"Sync=0x10", "(accepted: a number from 0.00 to 1.00)"},
    };
    for (const Rejected& r : rejected)
    {
        const std::string setting = r.setting;
        const std::string text = setting.substr(setting.find('=') + 1);
        const HostRun run = Run({"--set", setting, "--state-out", folder / "x.state", file});
        EXPECT_EQ(run.exitCode, 2) << setting;
        EXPECT_EQ(run.out, "") << setting;
        EXPECT_NE(run.err.find("does not take \"" + text + "\" " + r.accepted), std::string::npos) << run.err;
        EXPECT_EQ(ReadBytes(folder / "x.state"), "") << setting;
    }

    // The number with the parameter's own unit, blanks around.
    const HostRun run = Run({"--set", "EBU RefLevel= -1.6e1 LUFS ", "--state-out", folder / "x.state", file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NEAR(StateValues(ReadBytes(folder / "x.state")).at(20), -16.0, 1e-9);
}

TEST_F(SonvarekHost, TheTraceHoldsEveryPublishedValueAndTheLastAreTheReport)
{
    // Every 2400 frames (50 ms) the outputs, seen at the end of the render
    // call; a length that ends inside a period publishes once more at its
    // end, the values after its last frame: a peak there included.
    const Planar programme = SteppedProgramme(2, 48000, 3.6, 5u);
    for (const int64_t frames : {1, 2399, 48000, 50000, 168000, 172799})
        for (const bool ebu : {true, false})
        {
            SCOPED_TRACE(testing::Message() << frames << " frames, " << (ebu ? "EBU" : "RMS"));
            Planar audio = programme;
            for (std::vector<float>& channel : audio)
            {
                channel.resize(static_cast<size_t>(frames));
                channel.back() = 0.85f;
            }
            const std::string file = Write("take.wav", audio, 48000);
            const std::string trace = folder / "trace.csv";
            const HostRun run = Run({"--json", "--set", ebu ? "Type=EBU" : "Type=RMS", "--block", "1000", "--trace",
                                     trace, file});
            ASSERT_EQ(run.exitCode, 0) << run.err;
            const JsonObject report = Objects(run).at(0);
            EXPECT_NEAR(Number(report, ebu ? "OUT:EBU TP Max" : "OUT:RMS Peak Max"), -1.41, 0.02);
            const std::vector<std::string> rows = Lines(ReadBytes(trace));
            EXPECT_EQ(rows.at(0), "frame,parameter ID,name,value");
            const int64_t periods = frames / 2400;
            // Named: GCC 12 with UndefinedBehaviorSanitizer misreads an
            // indexed conditional of two arrays.
            const char* const* names = ebu ? kEbuOutputs : kRmsOutputs;
            const size_t outputs = ebu ? std::size(kEbuOutputs) : std::size(kRmsOutputs);
            ASSERT_EQ(rows.size(), 1u + outputs * static_cast<size_t>(periods + (frames % 2400 ? 1 : 0)));
            std::map<std::string, double> last;
            std::map<std::string, double> lastWholePeriod;
            for (size_t i = 1; i < rows.size(); ++i)
            {
                char name[64] = {};
                long long frame = 0;
                int id = 0;
                double value = 0.0;
                ASSERT_EQ(std::sscanf(rows[i].c_str(), "%lld,%d,%63[^,],%lf", &frame, &id, name, &value), 4) << rows[i];
                const int64_t publication = static_cast<int64_t>((i - 1) / outputs + 1);
                EXPECT_EQ(frame, publication <= periods ? std::min((publication * 2400 + 999) / 1000 * 1000, frames)
                                                        : frames) << rows[i];
                EXPECT_EQ(std::string(name), names[(i - 1) % outputs]);
                EXPECT_EQ(id, (ebu ? 23 : 13) + static_cast<int>((i - 1) % outputs));
                if (publication <= periods)
                    lastWholePeriod[name] = value;
                last[name] = value;
            }
            for (const auto& [name, value] : last)
                EXPECT_EQ(value, Number(report, name.c_str())) << name;
            // Integrated loudness and range take 100 ms blocks, which end on periods.
            if (ebu && periods > 0)
            {
                EXPECT_EQ(lastWholePeriod["OUT:EBU IL"], Number(report, "OUT:EBU IL"));
                EXPECT_EQ(lastWholePeriod["OUT:EBU LRA"], Number(report, "OUT:EBU LRA"));
            }
        }
}

TEST_F(SonvarekHost, TheReadingsDoNotDependOnTheBlockSize)
{
    const std::string file = Write("programme.wav", SteppedProgramme(2, 48000, 1.5, 7u), 48000);
    JsonObject reference;
    for (const char* block : {"1", "480", "65536"})
    {
        const HostRun run = Run({"--json", "--set", "Type=EBU", "--block", block, file});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        JsonObject object = Objects(run).at(0);
        object.erase("speed");
        if (reference.empty())
            reference = object;
        for (const auto& [key, value] : reference)
            EXPECT_EQ(object.at(key).number, value.number) << key << " with --block " << block;
    }
}

// Without a display --editor fails at once: one line, nothing measured,
// nothing written.
TEST_F(SonvarekHost, TheEditorWithoutADisplayIsAFailureThatDoesNothingElse)
{
    const char* const given = std::getenv("DISPLAY");
    const std::string saved = given ? given : "";
    const std::string file = Write("tone.wav", Sine(2, 48000, 0.1, 1000.0, -6.0), 48000);
    const std::string state = folder / "s.state";
    const std::string shot = folder / "s.png";
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "sonvarek-host: cannot show the editor: no X display: DISPLAY is not set"},
        {"unix:/no/such/socket:9", "sonvarek-host: cannot show the editor: cannot open X display \"unix:/no/such/socket:9\""},
    };
    for (const auto& [display, message] : cases)
    {
        if (display)
            setenv("DISPLAY", display, 1);
        else
            unsetenv("DISPLAY");
        const HostRun run = Run({"--editor", "--json", "--state-out", state, "--screenshot", shot, file});
        EXPECT_EQ(run.exitCode, 1) << message;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string(message) + "\n");
        EXPECT_EQ(ReadBytes(state), "");
        EXPECT_EQ(ReadBytes(shot), "");
    }
    if (given)
        setenv("DISPLAY", saved.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

}  // namespace
