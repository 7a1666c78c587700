#pragma once
// An audio file read through libsndfile (WAV, AIFF, FLAC and whatever else
// it reads), streamed in blocks and converted to float, its channels in
// WAVE order. A file's header is judged first (AudioHead.h), and the file
// given to the library as the judging says (FileView.h). Pipes and other
// streams (a FIFO, /dev/stdin) are read as they come, through a relay (see
// StreamRelay.h): a read gives the frames that have arrived, and Interrupt
// lets a read go whatever the stream does.

#include "host/cli/input/AudioSource.h"

#include <sndfile.h>

#include "host/cli/input/FileView.h"
#include "host/cli/input/StreamRelay.h"

#include <memory>
#include <vector>

class SoundFileSource final : public AudioSource
{
public:
    // The file opened for reading; null, with the reason in *error, when it
    // cannot be opened as audio. Any thread. A stream must hold a format the
    // library reads from one (AudioHead.h); while it waits for its writer
    // or its header it holds up only this call, until stop (a descriptor
    // that turns readable on a stop; -1: none) ends it as stopped.
    static std::unique_ptr<SoundFileSource> Open(const std::string& path, std::string* error, int stop = -1);
    ~SoundFileSource() override;
    SoundFileSource(const SoundFileSource&) = delete;
    SoundFileSource& operator=(const SoundFileSource&) = delete;

    int32_t SampleRate() const override { return info.samplerate; }
    int32_t Channels() const override { return info.channels; }
    // What the header declares, which for a file cut short is more than it
    // holds; -1 for a stream and for a file that declares no length. A
    // sample count that declares fewer frames than the data holds is the
    // length of a file or a stream alike.
    int64_t Frames() const override { return declared; }
    std::vector<Speaker> Speakers() const override { return parts.speakers; }
    // A failure after some frames gives those frames first, then -1. From a
    // stream: at least one frame once one has arrived (all that have, up to
    // frames, for uncompressed data), waiting for none that has not.
    int32_t Read(float* const* channels, int32_t frames) override;
    std::string Error() const override { return error; }
    std::string Warning() const override { return parts.warning; }
    void Interrupt() override;

private:
    // What the library reads and what becomes of it.
    struct Parts
    {
        std::unique_ptr<FileView> view;    // a file not read as it is
        std::unique_ptr<StreamRelay> relay;  // a stream
        std::vector<int32_t> order;  // channel c is the library's order[c]
        std::vector<Speaker> speakers;  // of the channels in their order; empty: none named
        std::string warning;
    };

    SoundFileSource(SNDFILE* file, int fd, Parts parts, const SF_INFO& info, int64_t declared);
    // How many of frames a read from the stream takes; waits until one
    // frame has arrived or the stream has ended.
    int32_t ArrivedFrames(int32_t frames) const;

    SNDFILE* file;
    int fd;  // read by file (through the view or the relay), closed after it
    Parts parts;
    size_t frameBytes = 0;  // of the stream's data; 0: not a fixed size (compressed)
    SF_INFO info;
    int64_t declared;
    std::vector<float> interleaved;
    std::string error;
};
