// What sonvarek-host makes of awkward inputs: non-finite samples, files cut
// short, names with control characters, files wider than the default
// channel configuration, and every format from a stream.

#include "support/HostTest.h"

#include "host/cli/input/AudioHead.h"
#include "host/cli/input/SoundFileSource.h"
#include "host/cli/input/Wave64Header.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using SonvarekHostInputs = SonvarekHost;

std::string LittleEndian(uint64_t value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
    return out;
}

uint64_t FieldOf(const std::string& bytes, size_t at, int size)
{
    uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

// A WAV's chunks as Wave64: GUIDs for IDs and 64-bit sizes that count the
// chunk's header, padded to 8 bytes, the data's size counting its padding
// as one writer has it.
std::string AsWave64(const std::string& wav)
{
    const std::string tail("\xF3\xAC\xD3\x11\x8C\xD1\x00\xC0\x4F\x8E\xDB\x8A", 12);
    std::string chunks;
    for (size_t at = 12; at + 8 <= wav.size();)
    {
        const uint64_t size = FieldOf(wav, at + 4, 4);
        const std::string body = wav.substr(at + 8, size);
        const size_t padded = (body.size() + 7) / 8 * 8;
        const bool data = wav.compare(at, 4, "data") == 0;
        chunks += wav.substr(at, 4) + tail + LittleEndian(24 + (data ? padded : body.size()), 8) + body +
                  std::string(padded - body.size(), '\0');
        at += 8 + size + (size & 1);
    }
    return std::string(reinterpret_cast<const char*>(kWave64Riff), 16) + LittleEndian(40 + chunks.size(), 8) +
           "wave" + tail + chunks;
}

// A WAV with a writer's LIST chunk after its format chunk.
std::string WithList(std::string wav)
{
    const size_t format = wav.find("fmt ");
    wav.insert(format + 8 + FieldOf(wav, format + 4, 4), std::string("LIST\x1A\0\0\0INFOISFT\x0E\0\0\0Lavf59.27.100\0", 34));
    return wav.replace(4, 4, LittleEndian(wav.size() - 8, 4));
}

// A VOC of one block of sound data as a writer of blocks of 4096 bytes has
// it: continuation blocks after the first, each with a header of its own;
// between the first two, extra (another kind of block) when given.
std::string InBlocks(const std::string& voc, const std::string& extra = "")
{
    constexpr size_t kFirst = 26 + 4 + 12;  // after a new-sound-data block's header
    const std::string data = voc.substr(kFirst, voc.size() - 1 - kFirst);  // up to the terminator
    std::string out = voc.substr(0, kFirst).replace(27, 3, LittleEndian(12 + 4096, 3)) + data.substr(0, 4096) + extra;
    for (size_t at = 4096; at < data.size(); at += 4096)
        out += "\x02" + LittleEndian(data.substr(at, 4096).size(), 3) + data.substr(at, 4096);
    return out + '\0';
}

// A VOC with blocks before its first and after its last.
std::string Around(const std::string& voc, const std::string& before, const std::string& after)
{
    return voc.substr(0, 26) + before + voc.substr(26, voc.size() - 27) + after + '\0';
}

// An MPEG-1 Layer III file without its first frame, where a writer keeps
// the count of its frames.
std::string WithoutFirstFrame(const std::string& mp3)
{
    static const int kKbps[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static const int kRates[] = {44100, 48000, 32000};
    const auto field = static_cast<uint8_t>(mp3[2]);
    return mp3.substr(static_cast<size_t>(144000 * kKbps[field >> 4] / kRates[field >> 2 & 3] + (field >> 1 & 1)));
}

// Planar audio from one speaker order into another, by the speakers' names.
Planar Reordered(const Planar& audio, const std::vector<std::string>& from, const std::vector<std::string>& to)
{
    Planar out;
    for (const std::string& speaker : to)
        out.push_back(audio[static_cast<size_t>(std::find(from.begin(), from.end(), speaker) - from.begin())]);
    return out;
}

// Every frame of the file or stream at path as the host reads it,
// interleaved; the reason when it cannot be read. opened is told once the
// source has opened.
std::vector<float> Decoded(const std::string& path, std::string* error, const std::function<void()>& opened = [] {})
{
    const std::unique_ptr<SoundFileSource> source = SoundFileSource::Open(path, error);
    std::vector<float> frames;
    if (!source)
        return frames;
    opened();
    const auto channels = static_cast<size_t>(source->Channels());
    std::vector<float> block(1024 * channels);
    std::vector<float*> pointers;
    for (size_t c = 0; c < channels; ++c)
        pointers.push_back(block.data() + c * 1024);
    for (int32_t got = 0; (got = source->Read(pointers.data(), 1024)) > 0;)
        for (int32_t i = 0; i < got; ++i)
            for (size_t c = 0; c < channels; ++c)
                frames.push_back(pointers[c][i]);
    *error = source->Error();
    return frames;
}

// The bytes on a pipe: the first cut of them at once, then the end, or the
// rest after a pause (which Opened ends).
class CutStream
{
public:
    CutStream(const std::string& bytes, size_t cut, bool ends, std::chrono::milliseconds pause)
    {
        std::signal(SIGPIPE, SIG_IGN);
        EXPECT_EQ(::pipe2(fds, O_CLOEXEC), 0);
        writer = std::thread([this, &bytes, cut, ends, pause] {
            const auto put = [&](size_t from, size_t to) {
                for (ssize_t n = 0; from < to; from += static_cast<size_t>(n))
                    if ((n = ::write(fds[1], bytes.data() + from, to - from)) <= 0)
                        return false;
                return true;
            };
            if (put(0, cut) && !ends)
            {
                std::unique_lock<std::mutex> guard(lock);
                told.wait_for(guard, pause, [this] { return opened; });
                resumed = true;
                guard.unlock();
                put(cut, bytes.size());
            }
            ::close(fds[1]);
        });
    }
    // A writer its reader left goes on into the closed pipe, and ends.
    ~CutStream()
    {
        ::close(fds[0]);
        writer.join();
    }
    std::string Path() const { return "/dev/fd/" + std::to_string(fds[0]); }
    // The reader has opened the stream; whether the rest had been sent.
    bool Opened()
    {
        const std::lock_guard<std::mutex> guard(lock);
        opened = true;
        told.notify_one();
        return resumed;
    }

private:
    int fds[2] = {-1, -1};
    std::mutex lock;
    std::condition_variable told;
    bool opened = false;
    bool resumed = false;
    std::thread writer;
};

// Every cut of the head of a table's file, up to where it is whole (where
// the audio data starts), 1 KiB at most, as a stream that ends there and as
// one that pauses there for 100 ms. Ended, it is "ended within its header"
// (or refused once its format tells), never handed to the library cut
// short; paused, it reads as the file does, or is refused as a stream of
// the file is. Whole, it opens before any sample has come.
void CheckCuts(const std::vector<std::string>& files, const std::vector<std::string>& refusals)
{
    struct Cut
    {
        size_t file;
        size_t length;
        bool ends;
    };
    std::vector<std::string> bytes;
    std::vector<AudioHead> wholes;
    std::vector<std::vector<float>> frames(files.size());
    std::vector<Cut> cuts;
    for (size_t f = 0; f < files.size(); ++f)
    {
        bytes.push_back(ReadBytes(files[f]));
        wholes.push_back(JudgeHead(bytes[f], HeadOf::kStream));
        std::string error;
        frames[f] = Decoded(files[f], &error);
        size_t length = 0;
        for (; length < std::min<size_t>(bytes[f].size(), 1024); ++length)
        {
            const AudioHead cut = JudgeHead(bytes[f].substr(0, length), HeadOf::kStream);
            if (cut.verdict != AudioHead::Verdict::kMore)
                break;
            cuts.push_back({f, length, true});
            cuts.push_back({f, length, false});
        }
        cuts.push_back({f, length, false});
    }
    std::atomic<size_t> next{0};
    const auto check = [&] {
        for (size_t i = next++; i < cuts.size(); i = next++)
        {
            const Cut& cut = cuts[i];
            const AudioHead& whole = wholes[cut.file];
            const bool atOnce = whole.verdict == AudioHead::Verdict::kRead && !whole.probe && cut.length == whole.bytes;
            CutStream stream(bytes[cut.file], cut.length, cut.ends, std::chrono::milliseconds(atOnce ? 10000 : 100));
            std::string error;
            bool late = false;
            const std::vector<float> read = Decoded(stream.Path(), &error, [&] { late = stream.Opened(); });
            const std::string& refusal = refusals[cut.file];
            SCOPED_TRACE(files[cut.file] + " cut to " + std::to_string(cut.length) + (cut.ends ? ", ended" : ""));
            if (cut.ends)
                EXPECT_EQ(error, cut.length == 0 ? "the stream is empty"
                                                 : "the stream ended within its header, after " +
                                                       std::to_string(cut.length) + " bytes");
            else if (!refusal.empty())
                EXPECT_EQ(error, refusal);
            else
                EXPECT_TRUE(error.empty() && read == frames[cut.file] && !(atOnce && late)) << error;
        }
    };
    std::vector<std::thread> pool;
    for (int t = 0; t < 128; ++t)
        pool.emplace_back(check);
    for (std::thread& thread : pool)
        thread.join();
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
    // Each file of the table; its refusal as a stream (empty: read alike);
    // for one made of another, the same audio as WAV and what a reading of
    // it says (a warning, or an error of the file).
    std::vector<std::string> files, refusals, twins, notes;
    const auto add = [&](const std::string& file, const char* refused, const std::string& twin = "",
                         const std::string& note = "") {
        files.push_back(file);
        refusals.push_back(refused ? std::string(refused) + " is read from files only, not from a pipe or another stream"
                                   : "");
        twins.push_back(twin);
        notes.push_back(note);
    };
    for (const Case& c : cases)
        add(Write("in" + std::to_string(files.size()), SteppedProgramme(c.channels, 48000, 0.6, 7u), 48000, c.format),
            c.refused);
    const auto made = [&](const std::string& name, const std::string& bytes) {
        WriteBytes(folder / name, bytes);
        return folder / name;
    };
    const Planar stereo = SteppedProgramme(2, 48000, 0.6, 7u);
    // Wave64 of each extensible format, as a writer has it above 16 bits, 2
    // channels, and for float.
    for (const auto& [coding, channels] : std::vector<std::pair<int, int>>{
             {SF_FORMAT_PCM_16, 6}, {SF_FORMAT_PCM_24, 2}, {SF_FORMAT_PCM_32, 2}, {SF_FORMAT_FLOAT, 2},
             {SF_FORMAT_DOUBLE, 1}, {SF_FORMAT_ULAW, 2}, {SF_FORMAT_ALAW, 6}})
    {
        const std::string wav = "x" + std::to_string(files.size()) + ".wav";
        Write(wav, SteppedProgramme(channels, 48000, 0.6, 7u), 48000, SF_FORMAT_WAVEX | coding);
        add(made(wav + ".w64", AsWave64(ReadBytes(folder / wav))), nullptr, folder / wav);
    }
    // A LIST chunk between the format and the data, as one writer has it.
    for (const int format : {SF_FORMAT_WAV | SF_FORMAT_PCM_16, SF_FORMAT_WAVEX | SF_FORMAT_PCM_24})
    {
        const std::string wav = "l" + std::to_string(files.size()) + ".wav";
        Write(wav, stereo, 48000, format);
        add(made(wav + ".list.wav", WithList(ReadBytes(folder / wav))), nullptr, folder / wav);
    }
    // GSM 6.10 blocks of 65 bytes: the data's padding is no block.
    const std::string gsm = Write("gsm.wav", SteppedProgramme(1, 8000, 0.6, 7u), 8000, SF_FORMAT_WAV | SF_FORMAT_GSM610);
    add(made("gsm.w64", AsWave64(ReadBytes(gsm))), "Wave64 of GSM 6.10", gsm);
    // VOC in blocks, with blocks of text, markers and repeats before, among
    // and after them; one with a block of silence is refused.
    const std::string voc = ReadBytes(Write("one.voc", stereo, 48000, SF_FORMAT_VOC | SF_FORMAT_PCM_16));
    add(made("blocks.voc", InBlocks(voc)), "VOC", Write("blocks.wav", stereo, 48000, kWav16));
    const std::string silence = "\x03" + LittleEndian(3, 3) + LittleEndian(16, 2) + "\x80";
    const std::string text = "\x05" + LittleEndian(2, 3) + "a" + '\0', marker = "\x04" + LittleEndian(2, 3) + "\x01" + '\0';
    add(made("silence.voc", InBlocks(voc, silence)), "VOC", "", "cannot read: VOC with a block of type 3 after its sound data");
    add(made("before.voc", Around(voc, silence, "")), "VOC", "", "cannot read: VOC with a block of type 3 before its sound data");
    add(made("text.voc", Around(InBlocks(voc, marker), text, text)), "VOC", folder / "blocks.wav");
    // 8-bit stereo, its format in an extended block before the sound.
    const std::string u8 = ReadBytes(Write("u8.voc", stereo, 50000, SF_FORMAT_VOC | SF_FORMAT_PCM_U8));
    add(made("repeat.voc", Around(u8, "\x06" + LittleEndian(2, 3) + "\x02" + '\0', "\x07" + LittleEndian(0, 3))), "VOC",
        Write("u8.wav", stereo, 50000, SF_FORMAT_WAV | SF_FORMAT_PCM_U8));
    const Planar mono = SteppedProgramme(1, 48000, 0.6, 7u);
    const std::string ulaw = ReadBytes(Write("one.ulaw.voc", mono, 48000, SF_FORMAT_VOC | SF_FORMAT_ULAW));
    add(made("ulaw.voc", InBlocks(ulaw)), "VOC", Write("ulaw.wav", mono, 48000, SF_FORMAT_WAV | SF_FORMAT_ULAW));
    // Cut within a frame of their last block.
    const std::string cut = "cut short: 28799 frames read of the 28800 its header declares";
    add(made("cut.ulaw.voc", InBlocks(ulaw).substr(0, InBlocks(ulaw).size() - 2)), "VOC", "", cut);
    add(made("cut.u8.voc", u8.substr(0, u8.size() - 2)), "VOC", "", cut);
    // Sample counts of fewer frames than the data holds: a chunk after the
    // data taken into its size.
    std::string rf64 = ReadBytes(Write("rf64", stereo, 48000, SF_FORMAT_RF64 | SF_FORMAT_PCM_16));
    const std::string count = "sizes disagree: 28800 frames read, as its sample count declares, of the ";
    std::string counted = rf64;
    counted.replace(28, 16, LittleEndian(28800 * 4 + 16, 8) + LittleEndian(28800, 8)) += "LIST\x08\0\0\0INFOjunk";
    add(made("counted.rf64", counted), nullptr, folder / "rf64", count + "28804 its data size holds");
    std::string wavFloat = ReadBytes(Write("float.wav", stereo, 48000, kWavFloat));
    ASSERT_EQ(wavFloat.compare(36, 4, "fact"), 0);
    const size_t data = wavFloat.find("data");
    wavFloat.replace(data + 4, 4, LittleEndian(28800 * 8 + 16, 4)) += std::string(16, '\x7F');
    add(made("fact.wav", wavFloat), nullptr, folder / "float.wav", count + "28802 its data size holds");
    // RF64 with a chunk after its data, from a writer that could not go back
    // to fill in its sizes (the rest is data), and from one that left them
    // all unknown.
    add(made("trailing", rf64 + std::string("LIST\x08\0\0\0INFOjunk", 16)), nullptr, folder / "rf64");
    std::string unknown = rf64;
    unknown.replace(20, 8, LittleEndian(8, 8)).replace(unknown.find("data") + 4, 4, 4, '\0');
    add(made("unfinished", unknown), nullptr, folder / "rf64");
    unknown.replace(4, 4, 4, '\xFF').replace(20, 24, 24, '\0').replace(unknown.find("data") + 4, 4, 4, '\xFF');
    add(made("unknown", unknown), nullptr, folder / "rf64");
    // 5.1 in Vorbis's order of speakers, measured in WAVE's.
    const std::vector<std::string> wave = {"L", "R", "C", "LFE", "Ls", "Rs"}, vorbis = {"L", "C", "R", "Ls", "Rs", "LFE"};
    for (const int codec : {SF_FORMAT_VORBIS, SF_FORMAT_OPUS})
    {
        const std::string name = "six" + std::to_string(codec) + ".ogg";
        const std::string ogg =
            Write(name, Reordered(SteppedProgramme(6, 48000, 0.6, 7u), wave, vorbis), 48000, SF_FORMAT_OGG | codec);
        add(ogg, nullptr, Write(name + ".wav", Reordered(ReadAudio(ogg), vorbis, wave), 48000, kWavFloat));
    }
    // An MP3 whose frames are not counted in its header: no cut is known.
    const std::string mp3 = made("uncounted.mp3", WithoutFirstFrame(ReadBytes(
                                                      Write("counted.mp3", stereo, 48000, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III))));
    add(mp3, "MP3", Write("uncounted.wav", ReadAudio(mp3), 48000, kWavFloat));
    CheckCuts(files, refusals);

    std::vector<std::unique_ptr<FifoWriter>> writers;
    std::vector<std::string> args = {"--json"};
    for (const std::string& file : files)
    {
        ASSERT_EQ(::mkfifo((file + ".fifo").c_str(), 0600), 0);
        writers.push_back(std::make_unique<FifoWriter>(file + ".fifo", ReadBytes(file)));
        args.push_back(file + ".fifo");
    }
    const std::vector<JsonObject> fromStreams = Objects(Run(args));
    writers.clear();
    args.resize(1);
    args.insert(args.end(), files.begin(), files.end());
    args.insert(args.end(), twins.begin(), twins.end());
    args.erase(std::remove(args.begin(), args.end(), ""), args.end());
    const std::vector<JsonObject> fromFiles = Objects(Run(args));
    ASSERT_EQ(fromStreams.size(), files.size());
    ASSERT_EQ(fromFiles.size(), args.size() - 1);
    std::map<std::string, JsonObject> byFile;
    for (const JsonObject& object : fromFiles)
        byFile[Text(object, "file")] = object;
    const auto alike = [](const JsonObject& a, const JsonObject& b) {
        for (const auto& [key, value] : a)
            EXPECT_TRUE(key == "file" || key == "speed" || key == "warning" ||
                        (b.count(key) == 1 && b.at(key).number == value.number && b.at(key).text == value.text))
                << key;
    };
    for (size_t i = 0; i < files.size(); ++i)
    {
        SCOPED_TRACE(files[i]);
        const JsonObject& file = byFile[files[i]];
        const bool failed = notes[i].rfind("cannot read", 0) == 0;
        EXPECT_EQ(file.count("error") ? Text(file, "error") : std::string(), failed ? notes[i] : "");
        EXPECT_EQ(file.count("warning") ? Text(file, "warning") : std::string(), failed ? "" : notes[i]);
        if (!refusals[i].empty())
            EXPECT_EQ(Text(fromStreams[i], "error"), "cannot read: " + refusals[i]);
        else
            alike(file, fromStreams[i]);
        if (twins[i].empty())
            continue;
        alike(file, byFile[twins[i]]);
        std::string error, twinError;
        EXPECT_TRUE(Decoded(files[i], &error) == Decoded(twins[i], &twinError) && error.empty() && twinError.empty());
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
    const Width widths[] = {{1, "1.0", "Left"}, {2, "2.0", "Stereo"}, {4, "4.0", "4 Ch."}, {5, "5.1", "6 Ch."},
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

        // As if the user had picked it; five channels are placed on six.
        if (w.channels == 5)
            continue;
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

TEST_F(SonvarekHostInputs, EachChannelReachesTheMeterAtItsSpeakersPlace)
{
    const std::vector<std::string> wave = {"L", "R", "C", "LFE", "Ls", "Rs"};
    const Planar tone = Sine(1, 48000, 3.0, 1000.0, -20.0);
    const Planar silent(1, std::vector<float>(tone[0].size(), 0.0f));
    // A tone in one of speakers only, in their order.
    const auto toneIn = [&](const std::string& speaker, const std::vector<std::string>& speakers) {
        Planar audio;
        for (const std::string& s : speakers)
            audio.push_back(s == speaker ? tone[0] : silent[0]);
        return audio;
    };
    // A WAVE_FORMAT_EXTENSIBLE file whose channel mask is mask.
    const auto masked = [&](const std::string& name, const Planar& audio, uint32_t mask) {
        std::string bytes = ReadBytes(Write(name, audio, 48000, SF_FORMAT_WAVEX | SF_FORMAT_PCM_16));
        bytes.replace(bytes.find("fmt ") + 8 + 20, 4, LittleEndian(mask, 4));
        WriteBytes(folder / name, bytes);
        return folder / name;
    };
    const auto readings = [&](const std::string& file, const std::vector<std::string>& more = {}) {
        std::vector<std::string> args = {"--json", file};
        args.insert(args.begin(), more.begin(), more.end());
        const HostRun run = Run(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        JsonObject object = Objects(run).at(0);
        object.erase("file"), object.erase("channels"), object.erase("speed");
        return object;
    };
    // 5.0 as a writer's mask names it, as FLAC orders it and as Vorbis does
    // (which the host puts in WAVE order): each reads as the 5.1 WAV of its
    // audio with a silent low-frequency channel.
    const std::vector<std::string> five = {"L", "R", "C", "Ls", "Rs"};
    for (const std::string& speaker : five)
    {
        SCOPED_TRACE(speaker);
        const JsonObject expected = readings(Write(speaker + ".51.wav", toneIn(speaker, wave), 48000, kWav16));
        EXPECT_EQ(Text(expected, "channel config"), "5.1");
        EXPECT_EQ(readings(masked(speaker + ".wav", toneIn(speaker, five), 0x37)), expected);
        EXPECT_EQ(readings(masked(speaker + ".side.wav", toneIn(speaker, five), 0x607)), expected);
        EXPECT_EQ(readings(Write(speaker + ".flac", toneIn(speaker, five), 48000, SF_FORMAT_FLAC | SF_FORMAT_PCM_16)),
                  expected);
        const std::vector<std::string> vorbis = {"L", "C", "R", "Ls", "Rs"};
        const JsonObject ogg = readings(Write(speaker + ".ogg", toneIn(speaker, vorbis), 48000, SF_FORMAT_OGG | SF_FORMAT_VORBIS));
        EXPECT_NEAR(Number(ogg, "OUT:EBU IL"), Number(expected, "OUT:EBU IL"), 0.15);
    }
    // L R LFE Ls Rs named so: "4.1", in the meter's order.
    const JsonObject lfe = readings(masked("lfe.wav", toneIn("LFE", {"L", "R", "LFE", "Ls", "Rs"}), 0x3B));
    EXPECT_EQ(Text(lfe, "channel config"), "4.1");
    EXPECT_EQ(Number(lfe, "OUT:EBU IL"), -70.0);
    EXPECT_EQ(readings(masked("ls.wav", toneIn("Ls", {"L", "R", "LFE", "Ls", "Rs"}), 0x3B)),
              readings(Write("ls.41.wav", toneIn("Ls", {"L", "R", "Ls", "Rs", "LFE"}), 48000, kWav16),
                       {"--set", "EBU Channel Config=4.1"}));
    // A configuration given takes the channels as they come; a speaker the
    // meter has no place for (a back centre) leaves them so, and says so.
    const JsonObject given = readings(folder / "Rs.wav", {"--set", "EBU Channel Config=4.1"});
    EXPECT_EQ(Number(given, "OUT:EBU IL"), -70.0);
    // An AIFF's channel layout (a writer's quadraphonic tag) names none.
    std::string aiff = ReadBytes(Write("q.aiff", toneIn("Ls", {"L", "R", "Ls", "Rs"}), 48000, SF_FORMAT_AIFF | SF_FORMAT_PCM_16));
    aiff.insert(12, std::string("CHAN\0\0\0\x0C\0\x73\0\x04", 12) + std::string(8, '\0'));
    for (int i = 0; i < 4; ++i)
        aiff[4 + static_cast<size_t>(i)] = static_cast<char>((aiff.size() - 8) >> (24 - 8 * i));
    WriteBytes(folder / "q.aiff", aiff);
    EXPECT_EQ(readings(folder / "q.aiff").count("warning"), 0u);
    const JsonObject centre = readings(masked("bc.wav", toneIn("C", {"L", "R", "C", "Ls"}), 0x107));
    EXPECT_EQ(Text(centre, "channel config"), "4.0");
    EXPECT_EQ(Text(centre, "warning"),
              "the meter has no place for its back centre speaker; its channels are measured as they come");
}

}  // namespace
