#pragma once
// An audio file read through libsndfile (WAV, AIFF, FLAC and whatever else
// it reads), streamed in blocks and converted to float.

#include "host/cli/AudioSource.h"

#include <sndfile.h>

#include <memory>
#include <vector>

class SoundFileSource final : public AudioSource
{
public:
    // The file opened for reading; null, with the reason in *error, when it
    // cannot be opened as audio. Any thread.
    static std::unique_ptr<SoundFileSource> Open(const std::string& path, std::string* error);
    ~SoundFileSource() override;
    SoundFileSource(const SoundFileSource&) = delete;
    SoundFileSource& operator=(const SoundFileSource&) = delete;

    int32_t SampleRate() const override { return info.samplerate; }
    int32_t Channels() const override { return info.channels; }
    int64_t Frames() const override { return info.frames; }
    int32_t Read(float* const* channels, int32_t frames) override;
    std::string Error() const override { return error; }

private:
    SoundFileSource(SNDFILE* file, const SF_INFO& info) : file(file), info(info) {}

    SNDFILE* file;
    SF_INFO info;
    std::vector<float> interleaved;
    std::string error;
};
