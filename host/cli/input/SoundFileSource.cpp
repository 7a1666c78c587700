#include "host/cli/input/SoundFileSource.h"

#include "host/cli/input/DeclaredFrames.h"
#include "host/cli/input/InputFile.h"
#include "host/cli/input/LibraryOpen.h"
#include "host/cli/input/StreamOpening.h"
#include "host/cli/input/VocBlocks.h"

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

// One channel at a time, channel c from the library's order[c]: the output
// pointer stays in a register.
void Deinterleave(const float* in, float* const* channels, sf_count_t frames, size_t count, const int32_t* order)
{
    for (size_t c = 0; c < count; ++c)
    {
        float* out = channels[c];
        const float* from = in + order[c];
        for (sf_count_t i = 0; i < frames; ++i)
            out[i] = from[static_cast<size_t>(i) * count];
    }
}

// The common widths with the stride known, so that the loop vectorises.
template <size_t kCount>
void Deinterleave(const float* in, float* const* channels, sf_count_t frames, const int32_t* order)
{
    for (size_t c = 0; c < kCount; ++c)
    {
        float* out = channels[c];
        const float* from = in + order[c];
        for (sf_count_t i = 0; i < frames; ++i)
            out[i] = from[static_cast<size_t>(i) * kCount];
    }
}

// The file's head judged, more of it read as the judging asks; a file that
// ends before its head tells goes to the library as it is.
AudioHead JudgeFile(int fd)
{
    std::string head;
    for (;;)
    {
        AudioHead judged = JudgeHead(head, HeadOf::kFile);
        if (judged.verdict != AudioHead::Verdict::kMore)
            return judged;
        const size_t had = head.size();
        head.resize(std::max({judged.bytes, had * 2, size_t{4096}}));
        ssize_t got = 0;
        while ((got = ::pread(fd, head.data() + had, head.size() - had, static_cast<off_t>(had))) < 0 && errno == EINTR)
        {
        }
        if (got <= 0)
        {
            judged.verdict = AudioHead::Verdict::kAsItIs;
            return judged;
        }
        head.resize(had + static_cast<size_t>(got));
    }
}

// The view the library reads of a file judged so, or null: the file as it
// is. Null with *error set when the file is refused. *frames: what a VOC's
// blocks declare.
std::unique_ptr<FileView> ViewOf(int fd, const AudioHead& judged, int64_t* frames, std::string* error)
{
    if (judged.verdict == AudioHead::Verdict::kRefused)
        *error = judged.reason;
    if (judged.blocks)
        return VocBlocks(fd, frames, error);
    if (judged.verdict != AudioHead::Verdict::kRead || (judged.replaced == 0 && judged.length == UINT64_MAX))
        return nullptr;
    auto view = std::make_unique<FileView>(fd);
    view->Add(judged.header);
    view->Add(judged.replaced, judged.length - std::min<uint64_t>(judged.length, judged.header.size()));
    return view;
}

// Whether the library's count of a file's frames is its estimate (of MPEG
// audio without a header that counts them), not a length declared.
bool Estimated(const SF_INFO& info)
{
    const int coding = info.format & SF_FORMAT_SUBMASK;
    return coding == SF_FORMAT_MPEG_LAYER_I || coding == SF_FORMAT_MPEG_LAYER_II || coding == SF_FORMAT_MPEG_LAYER_III;
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
    Parts parts;
    AudioHead judged;
    bool ready = true;
    int64_t blockFrames = -1;
    if (regular)
    {
        error->clear();
        judged = JudgeFile(fd);
        parts.view = ViewOf(fd, judged, &blockFrames, error);
        ready = error->empty();
    }
    else
        ready = (parts.relay = ReadyStream(fd, stop, &judged, error)) != nullptr;
    SF_INFO info;
    SNDFILE* file = nullptr;
    if (ready)
        file = parts.view    ? OpenWithLibrary(*parts.view, &info, error)
               : parts.relay ? OpenWithLibrary(parts.relay->ReadEnd(), &info, error)
                             : regular ? OpenWithLibrary(fd, &info, error)
                                       : nullptr;
    if (!file)
    {
        parts = {};
        ::close(fd);
        return nullptr;
    }
    int64_t declared = -1;
    if (judged.frames >= 0)
        declared = judged.frames;
    else if (regular)
    {
        // A header that leaves the length to the end of the file declares none.
        const bool toTheEnd = judged.replaced > 0 && judged.length == UINT64_MAX;
        const int64_t counted = info.frames < SF_COUNT_MAX && !toTheEnd && !Estimated(info) ? info.frames : -1;
        declared = std::max({DeclaredFrames(fd), counted, blockFrames});
    }
    parts.order = judged.order;
    parts.speakers = judged.speakers;
    parts.warning = judged.warning;
    return std::unique_ptr<SoundFileSource>(new SoundFileSource(file, fd, std::move(parts), info, declared));
}

SoundFileSource::SoundFileSource(SNDFILE* file, int fd, Parts parts, const SF_INFO& info, int64_t declared)
    : file(file), fd(fd), parts(std::move(parts)), frameBytes(StreamFrameBytes(info)), info(info), declared(declared)
{
    const size_t channels = static_cast<size_t>(std::max(info.channels, 0));
    // The library's channels as they come, unless an order of as many says
    // otherwise.
    if (this->parts.order.size() != channels)
    {
        this->parts.order.resize(channels);
        for (size_t c = 0; c < channels; ++c)
            this->parts.order[c] = static_cast<int32_t>(c);
    }
}

SoundFileSource::~SoundFileSource()
{
    parts.relay.reset();
    sf_close(file);  // closes libsndfile's duplicate
    ::close(fd);
}

void SoundFileSource::Interrupt()
{
    if (parts.relay)
        parts.relay->Stop();
}

int32_t SoundFileSource::ArrivedFrames(int32_t frames) const
{
    const StreamRelay* relay = parts.relay.get();
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
    if (parts.relay)
        frames = ArrivedFrames(frames);
    const sf_count_t got = sf_readf_float(file, interleaved.data(), frames);
    // The frames decoded before a failure are kept; the next call fails.
    if (got < frames && sf_error(file) != SF_ERR_NO_ERROR)
        error = sf_strerror(file);
    else if (got < frames && parts.view)
        error = parts.view->Error();
    else if (got == 0 && parts.relay)
        error = parts.relay->Error();
    if (got <= 0 && !error.empty())
        return -1;
    const int32_t* order = parts.order.data();
    switch (count)
    {
    case 1: Deinterleave<1>(interleaved.data(), channels, got, order); break;
    case 2: Deinterleave<2>(interleaved.data(), channels, got, order); break;
    case 6: Deinterleave<6>(interleaved.data(), channels, got, order); break;
    default: Deinterleave(interleaved.data(), channels, got, count, order); break;
    }
    return static_cast<int32_t>(got);
}
