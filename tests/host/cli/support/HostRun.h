#pragma once
// Running sonvarek-host as a subprocess, audio files written and read back
// through libsndfile, and the program's JSON lines read back.

#include <sys/types.h>

#include <atomic>
#include <thread>

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

struct HostRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the program with args; its data folder (XDG_DATA_HOME, HOME) and its
// captured output live in folder (host.out, host.err). outPath, when given,
// takes its standard output instead of host.out. SIGINT and SIGTERM have
// their default actions when it starts.
HostRun RunHost(const std::vector<std::string>& args, const std::string& folder, const std::string& outPath = "");
// The same in two steps: the program started (its process ID, -1 when it
// cannot start), then waited for. interruptIgnored: it starts with SIGINT
// ignored, as a script's background job does.
pid_t StartHost(const std::vector<std::string>& args, const std::string& folder, const std::string& outPath = "",
                bool interruptIgnored = false);
HostRun FinishHost(pid_t pid, const std::string& folder);

// A writer of the FIFO at path, on a thread of its own: it opens the FIFO
// once a reader does, writes what it is given, then ends. A reader that
// leaves ends the writing (SIGPIPE is ignored). Joined by the destructor,
// which first lets go a writer still waiting for its reader.
class FifoWriter
{
public:
    // The first pauseAt bytes go at once, the rest after Resume.
    FifoWriter(const std::string& path, std::string bytes, size_t pauseAt = std::string::npos);
    ~FifoWriter();
    FifoWriter(const FifoWriter&) = delete;
    FifoWriter& operator=(const FifoWriter&) = delete;
    // The rest goes on.
    void Resume();
    // Whether every byte has been written (read by the reader or in the pipe).
    bool Done() const { return done.load(); }

private:
    std::string path;
    std::string bytes;
    std::atomic<bool> resumed{false};
    std::atomic<bool> done{false};
    std::atomic<bool> ended{false};
    std::thread thread;
};

// Planar audio: one vector per channel.
using Planar = std::vector<std::vector<float>>;

// Writes audio in format (SF_FORMAT_* major | subtype); false on failure.
bool WriteAudio(const std::string& path, const Planar& audio, int rate, int format);
// The file's samples as the program reads them (quantised by the format).
Planar ReadAudio(const std::string& path, int* rate = nullptr);

// A programme of channels: tones and low-passed noise, the level stepping
// every 1.7 s through -20.3, -26.7 and -47.1 dBFS, each channel 1.3 dB
// below the one before.
Planar SteppedProgramme(int channels, int rate, double seconds, unsigned seed);
// A sine of hz at peak dbfs in every channel.
Planar Sine(int channels, int rate, double seconds, double hz, double dbfs);

// One flat JSON object: keys to numbers (isString false) or strings.
struct JsonValue
{
    bool isString = false;
    double number = 0.0;
    std::string text;
};
inline bool operator==(const JsonValue& a, const JsonValue& b)
{
    return a.isString == b.isString && a.number == b.number && a.text == b.text;
}
inline void PrintTo(const JsonValue& value, std::ostream* out)
{
    *out << (value.isString ? "\"" + value.text + "\"" : std::to_string(value.number));
}
using JsonObject = std::map<std::string, JsonValue>;

// Parses one line holding a flat object (string keys; string, number or
// null values, null as the number NaN). False when the line is not valid
// JSON of that shape.
bool ParseJsonObject(const std::string& line, JsonObject* object);
// The lines of text, without their line breaks.
std::vector<std::string> Lines(const std::string& text);
