// What sonvarek-host writes: never over one of its inputs, and every failure
// to write told with its cause and an exit status of 1.

#include "support/HostTest.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

using SonvarekHostOutputs = SonvarekHost;

TEST_F(SonvarekHostOutputs, AnOutputNamingAnInputIsAUsageErrorAndNothingIsWritten)
{
    const std::string take = Write("take.wav", Sine(2, 48000, 0.3, 1000.0, -12.0), 48000);
    const std::string audio = ReadBytes(take);
    const std::string linked = folder / "linked.wav";
    ASSERT_EQ(::symlink(take.c_str(), linked.c_str()), 0);
    const std::string hardLinked = folder / "hard.wav";
    ASSERT_EQ(::link(take.c_str(), hardLinked.c_str()), 0);
    const std::string other = Write("other.wav", Sine(1, 48000, 0.3, 500.0, -12.0), 48000);
    const std::string state = folder / "saved.state";
    ASSERT_EQ(Run({"--state-out", state, other}).exitCode, 0);
    const std::string stateBytes = ReadBytes(state);

    struct Case
    {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--trace", take, take}, "--trace would overwrite the input " + take},
        {{"--state-out", take, take}, "--state-out would overwrite the input " + take},
        {{"--state-out", linked, other, take}, "--state-out would overwrite the input " + take},
        {{"--trace", hardLinked, take}, "--trace would overwrite the input " + take},
        // The output's name forgotten: the input took its place.
        {{"--state-out", take}, "--state-out would overwrite the audio file " + take},
        {{"--trace", take, other}, "--trace would overwrite the audio file " + take},
        {{"--trace", state, "--state-in", state, other}, "--trace would overwrite the state " + state + " read by --state-in"},
        {{"--screenshot", take}, "--screenshot would overwrite the audio file " + take},
    };
    for (const Case& c : cases)
    {
        const HostRun run = Run(c.args);
        EXPECT_EQ(run.exitCode, 2) << c.message;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "sonvarek-host: " + c.message + "; nothing is written\n");
    }
    EXPECT_EQ(ReadBytes(take), audio);
    EXPECT_EQ(ReadBytes(state), stateBytes);

    // A state read and saved back to the same file is no conflict: it is
    // read before it is replaced.
    const HostRun again = Run({"--state-in", state, "--state-out", state, other});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(ReadBytes(state), stateBytes);
}

TEST_F(SonvarekHostOutputs, TwoOutputsNamingOneFileAreAUsageErrorAndNothingIsWritten)
{
    const std::string take = Write("take.wav", Sine(2, 48000, 0.3, 1000.0, -12.0), 48000);
    const std::string kept = folder / "kept.out";
    WriteBytes(kept, "kept");
    const std::string linked = folder / "linked.out";
    ASSERT_EQ(::symlink(kept.c_str(), linked.c_str()), 0);
    ASSERT_EQ(::mkdir((folder / "sub").c_str(), 0700), 0);
    const std::string fresh = folder / "fresh.out";
    const std::string freshAgain = folder / "sub/../fresh.out";

    struct Case
    {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--trace", fresh, "--screenshot", fresh}, "--trace and --screenshot name one file " + fresh},
        {{"--state-out", fresh, "--trace", freshAgain}, "--state-out and --trace name one file " + freshAgain},
        {{"--state-out", kept, "--screenshot", linked}, "--state-out and --screenshot name one file " + linked},
        {{"--screenshot", kept, "--trace", kept}, "--trace and --screenshot name one file " + kept},
    };
    for (const Case& c : cases)
    {
        std::vector<std::string> args = c.args;
        args.push_back(take);
        const HostRun run = Run(args);
        EXPECT_EQ(run.exitCode, 2) << c.message;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "sonvarek-host: " + c.message + "; nothing is written\n");
        EXPECT_EQ(ReadBytes(kept), "kept");
        EXPECT_EQ(::access(fresh.c_str(), F_OK), -1) << c.message;
    }

    // Names alike in another folder are other files.
    const HostRun apart = Run({"--state-out", fresh, "--trace", folder / "sub/fresh.out", take});
    EXPECT_EQ(apart.exitCode, 0) << apart.err;
}

TEST_F(SonvarekHostOutputs, FailedWritesEndInStatusOneWithTheirCause)
{
    const std::string file = Write("tone.wav", Sine(2, 48000, 0.3, 1000.0, -12.0), 48000);

    // The report itself, human or JSON, and the help text, to a full device.
    for (const std::vector<std::string>& args : {std::vector<std::string>{file},
                                                 std::vector<std::string>{"--json", file, file},
                                                 std::vector<std::string>{"--help"}})
    {
        const HostRun run = Run(args, "/dev/full");
        EXPECT_EQ(run.exitCode, 1) << args[0];
        EXPECT_EQ(run.err, "sonvarek-host: cannot write the report: No space left on device\n") << args[0];
    }

    const HostRun trace = Run({"--json", "--trace", "/dev/full", file});
    EXPECT_EQ(trace.exitCode, 1);
    EXPECT_EQ(trace.err, "sonvarek-host: cannot write the trace /dev/full: No space left on device\n");
    EXPECT_EQ(Lines(trace.out).size(), 1u);  // the report still comes

    const std::string state = folder / "missing/folder.state";
    const HostRun saved = Run({"--state-out", state, file});
    EXPECT_EQ(saved.exitCode, 1);
    EXPECT_EQ(saved.err, "sonvarek-host: cannot write the state " + state + ": No such file or directory\n");

    const std::string picture = folder / "missing/face.png";
    const HostRun shot = Run({"--json", "--screenshot", picture, file});
    EXPECT_EQ(shot.exitCode, 1);
    EXPECT_EQ(shot.err, "sonvarek-host: cannot write the screenshot " + picture + ": No such file or directory\n");
    EXPECT_EQ(Lines(shot.out).size(), 1u) << "the report still comes";
    const HostRun folderShot = Run({"--screenshot", folder.Path(), file});
    EXPECT_EQ(folderShot.exitCode, 1);
    EXPECT_EQ(folderShot.err, "sonvarek-host: cannot write the screenshot " + folder.Path() + ": Is a directory\n");
}

TEST_F(SonvarekHostOutputs, ATraceToStandardOutputStreamsAheadOfTheReport)
{
    const std::string file = Write("tone.wav", Sine(2, 48000, 1.0, 1000.0, -18.0), 48000);
    const HostRun alone = Run({"--json", "--set", "Type=EBU", "--trace", folder / "trace.csv", file});
    ASSERT_EQ(alone.exitCode, 0) << alone.err;
    const std::string trace = ReadBytes(folder / "trace.csv");

    // Standard output is a regular file here: the trace shares its position
    // instead of writing over the report from the start.
    const HostRun shared = Run({"--json", "--set", "Type=EBU", "--trace", "/dev/stdout", file});
    ASSERT_EQ(shared.exitCode, 0) << shared.err;
    ASSERT_EQ(shared.out.compare(0, trace.size(), trace), 0) << shared.out;
    JsonObject report;
    const std::vector<std::string> after = Lines(shared.out.substr(trace.size()));
    ASSERT_EQ(after.size(), 1u) << shared.out;
    EXPECT_TRUE(ParseJsonObject(after[0], &report)) << shared.out;
    EXPECT_EQ(Number(report, "OUT:EBU IL"), Number(Objects(alone).at(0), "OUT:EBU IL"));
}

}  // namespace
