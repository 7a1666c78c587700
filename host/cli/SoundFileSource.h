#pragma once
// An audio file read through libsndfile (WAV, AIFF, FLAC and whatever else
// it reads), streamed in blocks and converted to float. Pipes and other
// streams (a FIFO, /dev/stdin) are read as they come.

#include "host/cli/AudioSource.h"

#include <sndfile.h>

#include <memory>
#include <vector>

class SoundFileSource final : public AudioSource
{
public:
    // The file opened for reading; null, with the reason in *error, when it
    // cannot be opened as audio. Any thread. A FIFO without a writer, or a
    // stream that has sent nothing yet, holds up only this call: no lock is
    // held while it waits.
    static std::unique_ptr<SoundFileSource> Open(const std::string& path, std::string* error);
    ~SoundFileSource() override;
    SoundFileSource(const SoundFileSource&) = delete;
    SoundFileSource& operator=(const SoundFileSource&) = delete;

    int32_t SampleRate() const override { return info.samplerate; }
    int32_t Channels() const override { return info.channels; }
    // What the header declares, which for a file cut short is more than it
    // holds; -1 for a stream and for a file that declares no length.
    int64_t Frames() const override { return declared; }
    // A failure after some frames gives those frames first, then -1.
    int32_t Read(float* const* channels, int32_t frames) override;
    std::string Error() const override { return error; }

private:
    SoundFileSource(SNDFILE* file, int fd, const SF_INFO& info, int64_t declared)
        : file(file), fd(fd), info(info), declared(declared)
    {
    }

    SNDFILE* file;
    int fd;  // read by file, closed after it
    SF_INFO info;
    int64_t declared;
    std::vector<float> interleaved;
    std::string error;
};
