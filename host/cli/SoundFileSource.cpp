#include "host/cli/SoundFileSource.h"

#include "host/cli/DeclaredFrames.h"
#include "host/cli/InputFile.h"
#include "host/cli/LibraryOpen.h"
#include "host/cli/StreamOpening.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <thread>

namespace {

// A compressed stream is read in pieces of at most this many frames, so that
// little waits in the decoder for the rest of a piece.
constexpr int32_t kCompressedFrames = 1024;
// How long a read waits for the rest of a frame that has come in part.
constexpr auto kFrameRestWait = std::chrono::milliseconds(2);

// The bytes of a frame of data that a stream holds as it is read: samples
// of a fixed size, one after the other. 0 for compressed data and formats
// that pack samples in blocks.
size_t StreamFrameBytes(const SF_INFO& info)
{
    switch (info.format & SF_FORMAT_TYPEMASK)
    {
    case SF_FORMAT_WAV:
    case SF_FORMAT_WAVEX:
    case SF_FORMAT_W64:
    case SF_FORMAT_AIFF:
    case SF_FORMAT_AU:
        break;
    default:
        return 0;
    }
    size_t sampleBytes = 0;
    switch (info.format & SF_FORMAT_SUBMASK)
    {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW: sampleBytes = 1; break;
    case SF_FORMAT_PCM_16: sampleBytes = 2; break;
    case SF_FORMAT_PCM_24: sampleBytes = 3; break;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT: sampleBytes = 4; break;
    case SF_FORMAT_DOUBLE: sampleBytes = 8; break;
    default: return 0;
    }
    return sampleBytes * static_cast<size_t>(info.channels);
}

// One channel at a time: the output pointer stays in a register.
void Deinterleave(const float* in, float* const* channels, sf_count_t frames, size_t count)
{
    for (size_t c = 0; c < count; ++c)
    {
        float* out = channels[c];
        for (sf_count_t i = 0; i < frames; ++i)
            out[i] = in[static_cast<size_t>(i) * count + c];
    }
}

// The common widths with the stride known, so that the loop vectorises.
template <size_t kCount>
void Deinterleave(const float* in, float* const* channels, sf_count_t frames)
{
    for (size_t c = 0; c < kCount; ++c)
    {
        float* out = channels[c];
        for (sf_count_t i = 0; i < frames; ++i)
            out[i] = in[static_cast<size_t>(i) * kCount + c];
    }
}

}  // namespace

std::unique_ptr<SoundFileSource> SoundFileSource::Open(const std::string& path, std::string* error, int stop)
{
    // A FIFO opens at once; its writer is waited for with the stream's
    // first bytes, outside any lock and until a stop.
    struct stat status = {};
    const int fd = OpenInputFile(path, &status, error, true);
    if (fd < 0)
        return nullptr;
    const bool regular = S_ISREG(status.st_mode);
    std::unique_ptr<StreamRelay> relay;
    if (!regular && !(relay = ReadyStream(fd, stop, error)))
    {
        ::close(fd);
        return nullptr;
    }
    SF_INFO info;
    SNDFILE* file = OpenWithLibrary(relay ? relay->ReadEnd() : fd, &info, error);
    if (!file)
    {
        relay.reset();
        ::close(fd);
        return nullptr;
    }
    int64_t declared = -1;
    if (regular)
    {
        const int64_t counted = info.frames < SF_COUNT_MAX ? info.frames : -1;
        declared = std::max(DeclaredFrames(fd), counted);
    }
    return std::unique_ptr<SoundFileSource>(new SoundFileSource(file, fd, std::move(relay), info, declared));
}

SoundFileSource::SoundFileSource(SNDFILE* file, int fd, std::unique_ptr<StreamRelay> relay, const SF_INFO& info,
                                 int64_t declared)
    : file(file), fd(fd), relay(std::move(relay)), frameBytes(StreamFrameBytes(info)), info(info), declared(declared)
{
}

SoundFileSource::~SoundFileSource()
{
    relay.reset();
    sf_close(file);  // closes libsndfile's duplicate
    ::close(fd);
}

void SoundFileSource::Interrupt()
{
    if (relay)
        relay->Stop();
}

int32_t SoundFileSource::ArrivedFrames(int32_t frames) const
{
    if (frameBytes == 0)
    {
        relay->Wait(-1);
        return std::min(frames, kCompressedFrames);
    }
    for (;;)
    {
        const size_t ready = relay->Ready();
        if (ready >= frameBytes)
            return static_cast<int32_t>(std::min(static_cast<size_t>(frames), ready / frameBytes));
        // Once the stream has ended, what is left reads as the end.
        if (relay->Wait(ready == 0 ? -1 : 0))
        {
            if (relay->Ready() >= frameBytes)
                continue;
            return frames;
        }
        if (ready > 0)
            std::this_thread::sleep_for(kFrameRestWait);
    }
}

int32_t SoundFileSource::Read(float* const* channels, int32_t frames)
{
    const size_t count = static_cast<size_t>(info.channels);
    // Sized at the first read, once the caller has accepted the channel count.
    if (interleaved.size() < static_cast<size_t>(frames) * count)
        interleaved.resize(static_cast<size_t>(frames) * count);
    if (!error.empty())
        return -1;
    if (relay)
        frames = ArrivedFrames(frames);
    const sf_count_t got = sf_readf_float(file, interleaved.data(), frames);
    // The frames decoded before a failure are kept; the next call fails.
    if (got < frames && sf_error(file) != SF_ERR_NO_ERROR)
        error = sf_strerror(file);
    else if (got == 0 && relay)
        error = relay->Error();
    if (got <= 0 && !error.empty())
        return -1;
    switch (count)
    {
    case 1: Deinterleave<1>(interleaved.data(), channels, got); break;
    case 2: Deinterleave<2>(interleaved.data(), channels, got); break;
    case 6: Deinterleave<6>(interleaved.data(), channels, got); break;
    default: Deinterleave(interleaved.data(), channels, got, count); break;
    }
    return static_cast<int32_t>(got);
}
