#include "support/HostRun.h"

#include "tests/support/TempFolder.h"

#include <fcntl.h>
#include <sndfile.h>
#include <spawn.h>
#include <sys/wait.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>

extern char** environ;

pid_t StartHost(const std::vector<std::string>& args, const std::string& folder, const std::string& outPath,
                bool interruptIgnored)
{
    std::vector<std::string> words = {SONVAREK_HOST_PROGRAM};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    std::vector<std::string> settings = {"XDG_DATA_HOME=" + folder, "HOME=" + folder};
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "XDG_DATA_HOME=", 14) != 0 && std::strncmp(*e, "HOME=", 5) != 0)
            settings.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& setting : settings)
        envp.push_back(setting.data());
    envp.push_back(nullptr);

    const std::string stdoutPath = outPath.empty() ? folder + "host.out" : outPath;
    const std::string errPath = folder + "host.err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    // SIGINT and SIGTERM as a terminal's program has them, even when the
    // tests run where they are ignored (started in the background), which
    // the program would keep.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    if (!interruptIgnored)
        sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    // An ignored signal stays ignored across the spawn.
    struct sigaction ignore = {};
    struct sigaction interrupt = {};
    ignore.sa_handler = SIG_IGN;
    if (interruptIgnored)
        sigaction(SIGINT, &ignore, &interrupt);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), envp.data()) != 0)
        pid = -1;
    if (interruptIgnored)
        sigaction(SIGINT, &interrupt, nullptr);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

HostRun FinishHost(pid_t pid, const std::string& folder)
{
    HostRun run;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    run.out = ReadBytes(folder + "host.out");
    run.err = ReadBytes(folder + "host.err");
    return run;
}

HostRun RunHost(const std::vector<std::string>& args, const std::string& folder, const std::string& outPath)
{
    return FinishHost(StartHost(args, folder, outPath), folder);
}

FifoWriter::FifoWriter(const std::string& path, std::string bytes, size_t pauseAt)
    : path(path), bytes(std::move(bytes))
{
    std::signal(SIGPIPE, SIG_IGN);
    thread = std::thread([this, pauseAt] {
        const int fd = ::open(this->path.c_str(), O_WRONLY | O_CLOEXEC);
        size_t at = 0;
        const auto put = [&](size_t end) {
            for (ssize_t n = 0; fd >= 0 && at < end; at += static_cast<size_t>(n))
                if ((n = ::write(fd, this->bytes.data() + at, end - at)) <= 0)
                    return false;
            return fd >= 0;
        };
        if (put(std::min(pauseAt, this->bytes.size())))
        {
            while (at < this->bytes.size() && !resumed.load())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            done = put(this->bytes.size());
        }
        if (fd >= 0)
            ::close(fd);
        ended = true;
    });
}

FifoWriter::~FifoWriter()
{
    resumed = true;
    // A writer still waiting for its reader, or for room in the pipe, goes on
    // into a reader that drains it.
    const int reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    char sink[4096];
    while (!ended.load())
        if (reader < 0 || ::read(reader, sink, sizeof sink) <= 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    thread.join();
    if (reader >= 0)
        ::close(reader);
}

void FifoWriter::Resume() { resumed = true; }

bool WriteAudio(const std::string& path, const Planar& audio, int rate, int format)
{
    SF_INFO info = {};
    info.samplerate = rate;
    info.channels = static_cast<int>(audio.size());
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    const size_t frames = audio.empty() ? 0 : audio[0].size();
    std::vector<float> interleaved;
    interleaved.reserve(frames * audio.size());
    for (size_t i = 0; i < frames; ++i)
        for (const std::vector<float>& channel : audio)
            interleaved.push_back(channel[i]);
    const sf_count_t written = sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(frames));
    return sf_close(file) == 0 && written == static_cast<sf_count_t>(frames);
}

Planar ReadAudio(const std::string& path, int* rate)
{
    SF_INFO info = {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return {};
    // To the end: a compressed file's length may be an estimate.
    const auto channels = static_cast<size_t>(info.channels);
    std::vector<float> interleaved;
    for (sf_count_t got = 1; got > 0;)
    {
        const size_t had = interleaved.size();
        interleaved.resize(had + 4096 * channels);
        got = sf_readf_float(file, interleaved.data() + had, 4096);
        interleaved.resize(had + static_cast<size_t>(std::max<sf_count_t>(got, 0)) * channels);
    }
    sf_close(file);
    Planar audio(channels, std::vector<float>(interleaved.size() / channels));
    for (size_t i = 0; i < audio[0].size(); ++i)
        for (size_t c = 0; c < channels; ++c)
            audio[c][i] = interleaved[i * channels + c];
    if (rate)
        *rate = info.samplerate;
    return audio;
}

Planar SteppedProgramme(int channels, int rate, double seconds, unsigned seed)
{
    const auto frames = static_cast<size_t>(seconds * rate);
    Planar audio(static_cast<size_t>(channels), std::vector<float>(frames));
    // Noise low-passed at 2 kHz, as programme material has little energy
    // high up, where K-weighting designs part at high sample rates.
    const double smoothing = 1.0 - std::exp(-2.0 * M_PI * 2000.0 / rate);
    for (size_t c = 0; c < audio.size(); ++c)
    {
        double noise = 0.0;
        for (size_t i = 0; i < frames; ++i)
        {
            seed = seed * 1664525u + 1013904223u;
            noise += smoothing * (static_cast<double>(seed >> 8) / 8388608.0 - 1.0 - noise);
            // Loud, medium and quiet, each far from where the relative gate
            // falls, so that no stretch of blocks sits on it.
            const double levels[] = {-20.3, -26.7, -47.1};
            const size_t step = i * 10 / static_cast<size_t>(rate * 17);
            const double level = std::pow(10.0, (levels[step % 3] - 1.3 * static_cast<double>(c)) / 20.0);
            const double tone = std::sin(2.0 * M_PI * 150.0 * static_cast<double>(c + 1) * static_cast<double>(i) / rate);
            audio[c][i] = static_cast<float>(level * (0.6 * tone + noise));
        }
    }
    return audio;
}

Planar Sine(int channels, int rate, double seconds, double hz, double dbfs)
{
    const auto frames = static_cast<size_t>(seconds * rate);
    const double amplitude = std::pow(10.0, dbfs / 20.0);
    std::vector<float> sine(frames);
    for (size_t i = 0; i < frames; ++i)
        sine[i] = static_cast<float>(amplitude * std::sin(2.0 * M_PI * hz * static_cast<double>(i) / rate));
    return Planar(static_cast<size_t>(channels), sine);
}

namespace {

void SkipSpace(const std::string& s, size_t& i)
{
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
}

void AppendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80)
        out += static_cast<char>(code);
    else if (code < 0x800)
        out += {static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F))};
    else
        out += {static_cast<char>(0xE0 | code >> 12), static_cast<char>(0x80 | (code >> 6 & 0x3F)),
                static_cast<char>(0x80 | (code & 0x3F))};
}

bool ParseString(const std::string& s, size_t& i, std::string* out)
{
    if (i >= s.size() || s[i] != '"')
        return false;
    for (++i; i < s.size(); ++i)
    {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '"')
        {
            ++i;
            return true;
        }
        if (c < 0x20)
            return false;
        if (c != '\\')
        {
            *out += static_cast<char>(c);
            continue;
        }
        if (++i >= s.size())
            return false;
        switch (s[i])
        {
        case '"': *out += '"'; break;
        case '\\': *out += '\\'; break;
        case '/': *out += '/'; break;
        case 'n': *out += '\n'; break;
        case 't': *out += '\t'; break;
        case 'r': *out += '\r'; break;
        case 'b': *out += '\b'; break;
        case 'f': *out += '\f'; break;
        case 'u':
        {
            if (i + 4 >= s.size())
                return false;
            char* end = nullptr;
            const std::string hex = s.substr(i + 1, 4);
            const unsigned long code = std::strtoul(hex.c_str(), &end, 16);
            if (*end != '\0')
                return false;
            AppendUtf8(*out, static_cast<uint32_t>(code));
            i += 4;
            break;
        }
        default: return false;
        }
    }
    return false;
}

}  // namespace

bool ParseJsonObject(const std::string& s, JsonObject* object)
{
    size_t i = 0;
    SkipSpace(s, i);
    if (i >= s.size() || s[i++] != '{')
        return false;
    for (bool first = true;; first = false)
    {
        SkipSpace(s, i);
        if (first && i < s.size() && s[i] == '}')
            return ++i == s.size();
        std::string key;
        if (!ParseString(s, i, &key))
            return false;
        SkipSpace(s, i);
        if (i >= s.size() || s[i++] != ':')
            return false;
        SkipSpace(s, i);
        JsonValue value;
        if (i < s.size() && s[i] == '"')
        {
            value.isString = true;
            if (!ParseString(s, i, &value.text))
                return false;
        }
        else if (s.compare(i, 4, "null") == 0)
        {
            value.number = NAN;
            i += 4;
        }
        else
        {
            // JSON numbers: no leading '+', no "nan" or "inf", no hex.
            if (i >= s.size() || !(s[i] == '-' || (s[i] >= '0' && s[i] <= '9')))
                return false;
            char* end = nullptr;
            value.number = std::strtod(s.c_str() + i, &end);
            const size_t length = static_cast<size_t>(end - (s.c_str() + i));
            if (length == 0 || s.find_first_of("xXnN", i) < i + length)
                return false;
            i += length;
        }
        if (!object->emplace(key, value).second)
            return false;
        SkipSpace(s, i);
        if (i < s.size() && s[i] == ',')
        {
            ++i;
            continue;
        }
        return i < s.size() && s[i] == '}' && i + 1 == s.size();
    }
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size())
    {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}
