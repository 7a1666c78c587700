#include "host/cli/SoundFileSource.h"

#include <mutex>

std::unique_ptr<SoundFileSource> SoundFileSource::Open(const std::string& path, std::string* error)
{
    // libsndfile keeps the reason of a failed open in one process-wide slot.
    static std::mutex openLock;
    std::lock_guard<std::mutex> guard(openLock);
    SF_INFO info = {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
    {
        *error = sf_strerror(nullptr);
        return nullptr;
    }
    return std::unique_ptr<SoundFileSource>(new SoundFileSource(file, info));
}

SoundFileSource::~SoundFileSource() { sf_close(file); }

int32_t SoundFileSource::Read(float* const* channels, int32_t frames)
{
    const size_t count = static_cast<size_t>(info.channels);
    // Sized at the first read, once the caller has accepted the channel count.
    if (interleaved.size() < static_cast<size_t>(frames) * count)
        interleaved.resize(static_cast<size_t>(frames) * count);
    const sf_count_t got = sf_readf_float(file, interleaved.data(), frames);
    if (got < frames && sf_error(file) != SF_ERR_NO_ERROR)
    {
        error = sf_strerror(file);
        return -1;
    }
    // One channel at a time: the output pointer stays in a register.
    for (size_t c = 0; c < count; ++c)
    {
        const float* in = interleaved.data() + c;
        float* out = channels[c];
        for (sf_count_t i = 0; i < got; ++i)
            out[i] = in[static_cast<size_t>(i) * count];
    }
    return static_cast<int32_t>(got);
}
