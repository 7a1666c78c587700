#include "host/cli/ReadAhead.h"

#include <algorithm>
#include <cstring>

ReadAhead::ReadAhead(AudioSource& source) : source(source)
{
    for (size_t i = 0; i < kChunks; ++i)
        ring.emplace_back(std::max(source.Channels(), 0));
    reader = std::thread(&ReadAhead::Fill, this);
}

ReadAhead::~ReadAhead()
{
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    changed.notify_all();
    reader.join();
}

// Reading thread: fills the free chunks in ring order until the source ends.
void ReadAhead::Fill()
{
    size_t next = 0;
    for (;;)
    {
        {
            std::unique_lock<std::mutex> guard(lock);
            changed.wait(guard, [&] { return stopping || filled < kChunks; });
            if (stopping)
                return;
        }
        Chunk& chunk = ring[next];  // free: the caller reads only filled chunks
        const int32_t frames = source.Read(chunk.audio.Buffers(), kChunkFrames);
        {
            std::lock_guard<std::mutex> guard(lock);
            if (frames <= 0)
            {
                ended = true;
                failed = frames < 0;
                error = source.Error();
            }
            else
            {
                chunk.frames = frames;
                ++filled;
            }
        }
        changed.notify_all();
        if (frames <= 0)
            return;
        next = (next + 1) % kChunks;
    }
}

int32_t ReadAhead::Read(float* const* channels, int32_t frames)
{
    int32_t done = 0;
    while (done < frames)
    {
        {
            std::unique_lock<std::mutex> guard(lock);
            changed.wait(guard, [&] { return filled > 0 || ended; });
            if (filled == 0)
                return done > 0 || !failed ? done : -1;
        }
        const Chunk& chunk = ring[first];
        const int32_t n = std::min(frames - done, chunk.frames - offset);
        for (int32_t c = 0; c < chunk.audio.Channels(); ++c)
            std::memcpy(channels[c] + done, chunk.audio.Channel(c).data() + offset, static_cast<size_t>(n) * sizeof(float));
        done += n;
        offset += n;
        if (offset == chunk.frames)
        {
            {
                std::lock_guard<std::mutex> guard(lock);
                first = (first + 1) % kChunks;
                offset = 0;
                --filled;
            }
            changed.notify_all();
        }
    }
    return done;
}

std::string ReadAhead::Error() const
{
    std::lock_guard<std::mutex> guard(lock);
    return error;
}
