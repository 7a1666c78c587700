// What sonvarek-host makes of awkward inputs: non-finite samples, files cut
// short, names with control characters, files wider than the default
// channel configuration, and every format from a stream.

#include "support/HostTest.h"

#include "host/cli/AudioHead.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using SonvarekHostInputs = SonvarekHost;

TEST_F(SonvarekHostInputs, NonFiniteSamplesAreCountedReportedAndMeasuredAsSilence)
{
    // NaN, +Inf and -Inf at the start, inside and on the last frame; the
    // readings are those of the same programme with 0.0 there.
    Planar audio = SteppedProgramme(2, 48000, 2.0, 3u);
    const std::pair<int, int> places[] = {{0, 0}, {1, 48000}, {0, 95999}, {1, 95999}};
    const float bad[] = {NAN, INFINITY, -INFINITY, NAN};
    for (int i = 0; i < 4; ++i)
        audio[places[i].first][places[i].second] = 0.0f;
    const std::string zero = Write("zero.wav", audio, 48000);
    for (int i = 0; i < 4; ++i)
        audio[places[i].first][places[i].second] = bad[i];
    const std::string damaged = Write("bad.wav", audio, 48000);

    for (const char* type : {"Type=EBU", "Type=RMS"})
    {
        const HostRun run = Run({"--json", "--set", type, damaged, zero});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::vector<JsonObject> objects = Objects(run);
        ASSERT_EQ(objects.size(), 2u);
        EXPECT_EQ(Number(objects[0], "non-finite samples"), 4.0);
        EXPECT_EQ(Number(objects[1], "non-finite samples"), 0.0);
        ASSERT_EQ(objects[0].size(), objects[1].size());
        for (const auto& [key, value] : objects[0])
        {
            if (key == "file" || key == "speed" || key == "non-finite samples")
                continue;
            if (value.isString)
                EXPECT_EQ(value.text, Text(objects[1], key.c_str())) << type << " " << key;
            else
                EXPECT_EQ(value.number, Number(objects[1], key.c_str())) << type << " " << key;
        }
    }

    // A 64-bit float file's finite values beyond 32-bit float range become
    // infinite as the plug-in's audio: counted with them.
    const std::string wide = folder / "wide.wav";
    SF_INFO info = {};
    info.samplerate = 48000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_DOUBLE;
    SNDFILE* file = sf_open(wide.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    const double samples[] = {0.5, 1e300, -1e39, 3.0e38, -3.0e38, 1e-300};
    ASSERT_EQ(sf_writef_double(file, samples, 6), 6);
    sf_close(file);
    const HostRun beyond = Run({"--json", wide});
    ASSERT_EQ(beyond.exitCode, 0) << beyond.err;
    EXPECT_EQ(Number(Objects(beyond).at(0), "non-finite samples"), 2.0);

    const HostRun human = Run({damaged, zero});
    ASSERT_EQ(human.exitCode, 0) << human.err;
    const std::string line = "  non-finite samples   4 (NaN or infinite; measured as silence)\n";
    const size_t found = human.out.find(line);
    EXPECT_NE(found, std::string::npos) << human.out;
    EXPECT_LT(found, human.out.find(zero));  // in the block of bad.wav, and only there
    EXPECT_EQ(human.out.find("non-finite", found + line.size()), std::string::npos) << human.out;
}

TEST_F(SonvarekHostInputs, AFileCutShortIsMeasuredAsFarAsItGoesWithAWarning)
{
    const Planar programme = SteppedProgramme(2, 48000, 4.0, 5u);
    struct Case
    {
        const char* name;
        int format;
    };
    const Case cases[] = {
        {"cut.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24},
        {"cut.aiff", SF_FORMAT_AIFF | SF_FORMAT_FLOAT},
        {"cut.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string path = Write(c.name, programme, 48000, c.format);
        const Planar decoded = ReadAudio(path);
        ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(ReadBytes(path).size() * 6 / 10)), 0);

        const HostRun run = Run({"--json", "--set", "Type=EBU", path});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const JsonObject cut = Objects(run).at(0);
        const auto frames = static_cast<size_t>(Number(cut, "frames"));
        EXPECT_GT(frames, 48000u);
        EXPECT_LT(frames, 192000u * 7 / 10);
        const std::string warning = "cut short: " + std::to_string(frames) + " frames read of the 192000 its header declares";
        EXPECT_EQ(Text(cut, "warning").compare(0, warning.size(), warning), 0) << Text(cut, "warning");
        EXPECT_EQ(run.err.rfind("sonvarek-host: " + path + ": " + warning, 0), 0u) << run.err;

        // The readings are those of the frames it still holds, measured whole.
        Planar head = decoded;
        for (std::vector<float>& channel : head)
            channel.resize(frames);
        const std::string whole = Write("whole.wav", head, 48000);
        const HostRun reference = Run({"--json", "--set", "Type=EBU", whole});
        ASSERT_EQ(reference.exitCode, 0) << reference.err;
        const JsonObject expected = Objects(reference).at(0);
        EXPECT_EQ(expected.count("warning"), 0u);
        for (const auto& [key, value] : expected)
            EXPECT_TRUE(key.rfind("OUT:", 0) != 0 || Number(cut, key.c_str()) == value.number) << key;
    }
}

TEST_F(SonvarekHostInputs, AStreamReadsAsItsFileOrIsRefusedNamingItsFormat)
{
    struct Case
    {
        int format;
        int channels;
        const char* refused = nullptr;  // the format a refusal names; null: read alike
    };
    constexpr int kLittle = SF_ENDIAN_LITTLE;
    const Case cases[] = {
        {SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1}, {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2},
        {SF_FORMAT_WAV | SF_FORMAT_PCM_24, 6}, {SF_FORMAT_WAV | SF_FORMAT_PCM_32, 2},
        {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2}, {SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 1},
        {SF_FORMAT_WAV | SF_FORMAT_ULAW, 2}, {SF_FORMAT_WAV | SF_FORMAT_ALAW, 2},
        {SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 6}, {SF_FORMAT_WAVEX | SF_FORMAT_PCM_24, 2},
        {SF_FORMAT_WAVEX | SF_FORMAT_FLOAT, 2}, {SF_FORMAT_WAVEX | SF_FORMAT_ULAW, 1},
        {SF_FORMAT_RF64 | SF_FORMAT_PCM_U8, 2}, {SF_FORMAT_RF64 | SF_FORMAT_PCM_16, 1},
        {SF_FORMAT_RF64 | SF_FORMAT_PCM_24, 2}, {SF_FORMAT_RF64 | SF_FORMAT_PCM_24, 6},
        {SF_FORMAT_RF64 | SF_FORMAT_PCM_32, 2}, {SF_FORMAT_RF64 | SF_FORMAT_FLOAT, 2},
        {SF_FORMAT_RF64 | SF_FORMAT_DOUBLE, 6}, {SF_FORMAT_RF64 | SF_FORMAT_ULAW, 2},
        {SF_FORMAT_RF64 | SF_FORMAT_ALAW, 1}, {SF_FORMAT_W64 | SF_FORMAT_PCM_U8, 2},
        {SF_FORMAT_W64 | SF_FORMAT_PCM_24, 6}, {SF_FORMAT_W64 | SF_FORMAT_DOUBLE, 2},
        {SF_FORMAT_W64 | SF_FORMAT_ALAW, 2},
        {SF_FORMAT_AIFF | SF_FORMAT_PCM_S8, 2}, {SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 6},
        {SF_FORMAT_AIFF | SF_FORMAT_PCM_U8, 1}, {SF_FORMAT_AIFF | SF_FORMAT_PCM_16 | kLittle, 2},
        {SF_FORMAT_AIFF | SF_FORMAT_FLOAT, 2}, {SF_FORMAT_AIFF | SF_FORMAT_DOUBLE, 1},
        {SF_FORMAT_AIFF | SF_FORMAT_ULAW, 2}, {SF_FORMAT_AIFF | SF_FORMAT_ALAW, 2},
        {SF_FORMAT_AU | SF_FORMAT_PCM_S8, 1},
        {SF_FORMAT_AU | SF_FORMAT_PCM_24, 6}, {SF_FORMAT_AU | SF_FORMAT_FLOAT | kLittle, 2},
        {SF_FORMAT_AU | SF_FORMAT_DOUBLE, 2}, {SF_FORMAT_AU | SF_FORMAT_ALAW, 2},
        {SF_FORMAT_OGG | SF_FORMAT_VORBIS, 2}, {SF_FORMAT_OGG | SF_FORMAT_OPUS, 2},
        {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2, "FLAC"}, {SF_FORMAT_CAF | SF_FORMAT_PCM_16, 2, "CAF"},
        {SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 2, "MP3"},
        {SF_FORMAT_SDS | SF_FORMAT_PCM_S8, 1, "SDS"}, {SF_FORMAT_SDS | SF_FORMAT_PCM_16, 1, "SDS"},
        {SF_FORMAT_VOC | SF_FORMAT_PCM_16, 2, "VOC"}, {SF_FORMAT_WVE | SF_FORMAT_ALAW, 1, "WVE"},
        {SF_FORMAT_XI | SF_FORMAT_DPCM_16, 1, "XI"}, {SF_FORMAT_PAF | SF_FORMAT_PCM_24, 2, "PAF"},
        {SF_FORMAT_NIST | SF_FORMAT_PCM_16, 2, "NIST SPHERE"}, {SF_FORMAT_IRCAM | SF_FORMAT_FLOAT, 2, "IRCAM"},
        {SF_FORMAT_MAT4 | SF_FORMAT_PCM_16, 2, "MAT4"}, {SF_FORMAT_MAT5 | SF_FORMAT_FLOAT, 2, "MAT5"},
        {SF_FORMAT_AVR | SF_FORMAT_PCM_16, 2, "AVR"}, {SF_FORMAT_SVX | SF_FORMAT_PCM_16, 1, "IFF 16SV"},
        {SF_FORMAT_PVF | SF_FORMAT_PCM_16, 1, "PVF"}, {SF_FORMAT_MPC2K | SF_FORMAT_PCM_16, 2, "MPC 2000"},
        {SF_FORMAT_WAV | SF_FORMAT_GSM610, 1, "WAV of GSM 6.10"},
        {SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, 2, "WAV of IMA ADPCM"},
        {SF_FORMAT_W64 | SF_FORMAT_MS_ADPCM, 2, "Wave64 of MS ADPCM"},
        {SF_FORMAT_AIFF | SF_FORMAT_IMA_ADPCM, 2, "AIFF-C of 'ima4'"},
        {SF_FORMAT_WAV | SF_FORMAT_G721_32, 1, "WAV of G.721 ADPCM"},
        {SF_FORMAT_AIFF | SF_FORMAT_DWVW_16, 1, "AIFF-C of 'DWVW'"},
        {SF_FORMAT_AU | SF_FORMAT_G721_32, 1, "AU of encoding 23"},
    };
    std::vector<std::string> files, fifos;
    std::vector<std::unique_ptr<FifoWriter>> writers;
    const auto add = [&](const std::string& file) {
        files.push_back(file);
        fifos.push_back(file + ".fifo");
        ASSERT_EQ(::mkfifo(fifos.back().c_str(), 0600), 0);
        const std::string bytes = ReadBytes(file);
        writers.push_back(std::make_unique<FifoWriter>(fifos.back(), bytes));
        // The head cut anywhere waits for more or is judged as the whole.
        const AudioHead whole = JudgeHead(bytes, HeadOf::kStream);
        for (size_t length = 0; length < std::min<size_t>(bytes.size(), 1024); ++length)
        {
            const AudioHead cut = JudgeHead(bytes.substr(0, length), HeadOf::kStream);
            EXPECT_TRUE(cut.verdict == AudioHead::Verdict::kMore
                            ? cut.bytes > length
                            : cut.verdict == whole.verdict && cut.reason == whole.reason && cut.header == whole.header)
                << file << " cut to " << length;
        }
    };
    for (const Case& c : cases)
        add(Write("in" + std::to_string(files.size()), SteppedProgramme(c.channels, 48000, 0.6, 7u), 48000, c.format));
    // RF64 with a chunk after its data, and from a writer that could not go
    // back to fill in its sizes (the rest is data).
    const Planar sine = Sine(2, 48000, 0.6, 997.0, -20.0);
    std::string rf64 = ReadBytes(Write("rf64", sine, 48000, SF_FORMAT_RF64 | SF_FORMAT_PCM_16));
    WriteBytes(folder / "trailing", rf64 + std::string("LIST\x08\0\0\0INFOjunk", 16));
    add(folder / "trailing");
    rf64.replace(20, 8, std::string("\x08\0\0\0\0\0\0\0", 8)).replace(rf64.find("data") + 4, 4, 4, '\0');
    WriteBytes(folder / "unfinished", rf64);
    add(folder / "unfinished");

    std::vector<std::string> args = {"--json"};
    args.insert(args.end(), files.begin(), files.end());
    const std::vector<JsonObject> fromFiles = Objects(Run(args));
    args.resize(1);
    args.insert(args.end(), fifos.begin(), fifos.end());
    const std::vector<JsonObject> fromStreams = Objects(Run(args));
    writers.clear();
    ASSERT_EQ(fromFiles.size(), files.size());
    ASSERT_EQ(fromStreams.size(), files.size());
    for (size_t i = 0; i < files.size(); ++i)
    {
        const char* refused = i < std::size(cases) ? cases[i].refused : nullptr;
        SCOPED_TRACE(Text(fromFiles[i], "file") + (refused ? std::string(" ") + refused : ""));
        EXPECT_EQ(fromFiles[i].count("error"), 0u);
        if (refused)
        {
            EXPECT_EQ(Text(fromStreams[i], "error"), "cannot read: " + std::string(refused) +
                                                         " is read from files only, not from a pipe or another stream");
            continue;
        }
        for (const auto& [key, value] : fromFiles[i])
            EXPECT_TRUE(key == "file" || key == "speed" || (fromStreams[i].count(key) == 1 &&
                                                            fromStreams[i].at(key).number == value.number))
                << key;
    }
}

TEST_F(SonvarekHostInputs, AWrongBlockAlignFieldWarnsOnlyOfFramesReallyMissing)
{
    const std::string path = Write("odd.wav", SteppedProgramme(2, 48000, 0.5, 11u), 48000, kWav16);
    const std::string whole = ReadBytes(path);
    const size_t format = whole.find("fmt ");
    ASSERT_NE(format, std::string::npos);
    // The audio library reads 4 bytes a frame whatever the field says.
    for (const int blockAlign : {1, 0, 3, 8, 400})
    {
        SCOPED_TRACE(blockAlign);
        std::string bytes = whole;
        bytes[format + 20] = static_cast<char>(blockAlign & 0xFF);
        bytes[format + 21] = static_cast<char>(blockAlign >> 8);
        WriteBytes(path, bytes);
        const HostRun run = Run({"--json", path});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        const JsonObject object = Objects(run).at(0);
        EXPECT_EQ(Number(object, "frames"), 24000.0);
        EXPECT_EQ(object.count("warning"), 0u);

        // Cut short, it names the frames its header really declares.
        bytes.resize(bytes.size() - 4 * 12000);
        WriteBytes(path, bytes);
        const HostRun cut = Run({"--json", path});
        ASSERT_EQ(cut.exitCode, 0) << cut.err;
        EXPECT_EQ(Text(Objects(cut).at(0), "warning"), "cut short: 12000 frames read of the 24000 its header declares");
    }
}

TEST_F(SonvarekHostInputs, ControlCharactersInFileNamesAreEscaped)
{
    const std::string name = "tab\there \x1B[2J\xC2\x9B" "bell\a caf\xC3\xA9 \xFF.wav";
    const std::string escaped = "tab\\x09here \\x1b[2J\\xc2\\x9bbell\\x07 caf\xC3\xA9 \\xff.wav";
    const std::string file = Write(name, Sine(1, 48000, 0.2, 1000.0, -6.0), 48000);
    const HostRun human = Run({file});
    ASSERT_EQ(human.exitCode, 0) << human.err;
    EXPECT_EQ(Lines(human.out).at(0), folder.Path() + escaped);

    const HostRun missing = Run({folder / "gone\n.wav"});
    EXPECT_EQ(missing.err, "sonvarek-host: " + folder / "gone\\x0a.wav" + ": cannot read: No such file or directory\n");
}

TEST_F(SonvarekHostInputs, TheChannelConfigurationFollowsTheFileUnlessSet)
{
    struct Width
    {
        int channels;
        const char* ebu;
        const char* rms;
    };
    const Width widths[] = {{1, "1.0", "Left"}, {2, "2.0", "Stereo"}, {4, "4.0", "4 Ch."}, {5, "4.1", "Stereo"},
                            {6, "5.1", "6 Ch."}};
    for (const Width& w : widths)
    {
        SCOPED_TRACE(w.channels);
        const std::string file =
            Write("w" + std::to_string(w.channels) + ".wav", SteppedProgramme(w.channels, 48000, 1.0, 9u), 48000);
        const HostRun ebu = Run({"--json", "--set", "Type=EBU", file});
        const HostRun rms = Run({"--json", "--set", "Type=RMS", file});
        ASSERT_EQ(ebu.exitCode, 0) << ebu.err;
        ASSERT_EQ(rms.exitCode, 0) << rms.err;
        const JsonObject ebuResult = Objects(ebu).at(0);
        EXPECT_EQ(Text(ebuResult, "channel config"), w.ebu);
        EXPECT_EQ(Text(Objects(rms).at(0), "channel config"), w.rms);

        // As if the user had picked it.
        const HostRun picked = Run({"--json", "--set", "Type=EBU", "--set", std::string("EBU Channel Config=") + w.ebu, file});
        ASSERT_EQ(picked.exitCode, 0) << picked.err;
        EXPECT_EQ(Number(Objects(picked).at(0), "OUT:EBU IL"), Number(ebuResult, "OUT:EBU IL"));
    }

    // A setting, or a state, is kept whatever the file.
    const std::string six = folder / "w6.wav";
    const HostRun set = Run({"--json", "--set", "Type=EBU", "--set", "EBU Channel Config=2.0", "--state-out",
                             folder / "stereo.state", six});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(Text(Objects(set).at(0), "channel config"), "2.0");
    // That state holds "2.0" as set and "6 Ch." as matched to the file; on
    // a mono file it keeps both.
    const std::string mono = folder / "w1.wav";
    const HostRun state = Run({"--json", "--state-in", folder / "stereo.state", mono});
    ASSERT_EQ(state.exitCode, 0) << state.err;
    EXPECT_EQ(Text(Objects(state).at(0), "channel config"), "2.0");
    const HostRun rms = Run({"--json", "--state-in", folder / "stereo.state", "--set", "Type=RMS", mono});
    ASSERT_EQ(rms.exitCode, 0) << rms.err;
    EXPECT_EQ(Text(Objects(rms).at(0), "channel config"), "6 Ch.");
}

}  // namespace
