#pragma once
// An audio source read ahead on a thread of its own: decoding the next
// chunks runs while the caller renders the last, so a file costs the host
// little more than its rendering. The caller reads from one thread.

#include "host/HostAudio.h"
#include "host/cli/AudioSource.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

class ReadAhead final : public AudioSource
{
public:
    // source outlives the object and is read only through it from now on.
    explicit ReadAhead(AudioSource& source);
    // Stops the reading thread.
    ~ReadAhead() override;
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    int32_t SampleRate() const override { return source.SampleRate(); }
    int32_t Channels() const override { return source.Channels(); }
    int64_t Frames() const override { return source.Frames(); }
    // -1 once the chunks read before a failure are used up.
    int32_t Read(float* const* channels, int32_t frames) override;
    std::string Error() const override;

private:
    static constexpr int32_t kChunkFrames = 8192;
    static constexpr size_t kChunks = 3;

    struct Chunk
    {
        explicit Chunk(int32_t channels) : audio(channels, kChunkFrames) {}

        HostAudio audio;
        int32_t frames = 0;  // read into it
    };

    void Fill();

    AudioSource& source;
    std::vector<Chunk> ring;
    size_t first = 0;     // the chunk being read by the caller
    int32_t offset = 0;   // frames of it already read
    size_t filled = 0;    // chunks ready, from first on
    bool ended = false;   // the source has no more
    bool failed = false;
    bool stopping = false;
    std::string error;
    mutable std::mutex lock;
    std::condition_variable changed;
    std::thread reader;
};
