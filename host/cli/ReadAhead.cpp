#include "host/cli/ReadAhead.h"

#include <algorithm>
#include <cstring>

namespace {

// About this many frames a chunk: a few hundred kilobytes of audio.
constexpr int32_t kChunkFrames = 8192;
// About this many frames read ahead of the caller (some 3 s of audio): with
// fewer, a busy machine's pauses of the reading thread make the caller wait.
constexpr int32_t kFramesAhead = 16 * kChunkFrames;

// NaN and ±Inf: every exponent bit set. A bit test, so that the loop
// vectorises and no floating-point mode can change the answer.
int32_t CountNonFinite(const float* samples, int32_t frames)
{
    int32_t count = 0;
    for (int32_t i = 0; i < frames; ++i)
    {
        uint32_t bits = 0;
        std::memcpy(&bits, samples + i, sizeof bits);
        count += (bits & 0x7F800000u) == 0x7F800000u ? 1 : 0;
    }
    return count;
}

}  // namespace

ReadAhead::ReadAhead(AudioSource& source, int32_t block)
    : source(source), block(std::max(block, 1)),
      chunkFrames(this->block * std::max(1, kChunkFrames / this->block)),
      chunks(static_cast<size_t>(std::max(3, kFramesAhead / chunkFrames)))
{
    const int32_t channels = std::max(source.Channels(), 0);
    for (size_t i = 0; i < chunks; ++i)
    {
        ring.emplace_back(channels, chunkFrames);
        ring.back().nonFinite.resize(static_cast<size_t>(chunkFrames / this->block));
    }
    pointers.resize(static_cast<size_t>(channels));
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

// Reading thread: fills the free chunks in ring order, each to the full
// (whatever the source gives a call), until the source ends.
void ReadAhead::Fill()
{
    size_t next = 0;
    for (;;)
    {
        {
            std::unique_lock<std::mutex> guard(lock);
            changed.wait(guard, [&] { return stopping || filled < chunks; });
            if (stopping)
                return;
        }
        Chunk& chunk = ring[next];  // free: the caller reads only filled chunks
        std::vector<float*> at(chunk.audio.Buffers(), chunk.audio.Buffers() + chunk.audio.Channels());
        int32_t frames = 0;
        int32_t got = 0;
        while (frames < chunkFrames && (got = source.Read(at.data(), chunkFrames - frames)) > 0)
        {
            frames += got;
            for (float*& channel : at)
                channel += got;
        }
        for (int32_t start = 0; start < frames; start += block)
        {
            int32_t& count = chunk.nonFinite[static_cast<size_t>(start / block)];
            count = 0;
            for (int32_t c = 0; c < chunk.audio.Channels(); ++c)
                count += CountNonFinite(chunk.audio.Buffers()[c] + start, std::min(block, frames - start));
        }
        {
            std::lock_guard<std::mutex> guard(lock);
            chunk.frames = frames;
            if (frames > 0)
                ++filled;
            if (got <= 0)
            {
                ended = true;
                failed = got < 0;
                error = source.Error();
            }
        }
        changed.notify_all();
        if (got <= 0)
            return;
        next = (next + 1) % chunks;
    }
}

int32_t ReadAhead::Next(float* const** channels, int32_t* nonFinite)
{
    if (holding && offset == ring[first].frames)
    {
        {
            std::lock_guard<std::mutex> guard(lock);
            first = (first + 1) % chunks;
            offset = 0;
            holding = false;
            --filled;
        }
        changed.notify_all();
    }
    if (!holding)
    {
        std::unique_lock<std::mutex> guard(lock);
        changed.wait(guard, [&] { return filled > 0 || ended; });
        if (filled == 0)
            return failed ? -1 : 0;
        holding = true;
    }
    Chunk& chunk = ring[first];
    const int32_t n = std::min(block, chunk.frames - offset);
    for (size_t c = 0; c < pointers.size(); ++c)
        pointers[c] = chunk.audio.Buffers()[c] + offset;
    *nonFinite = chunk.nonFinite[static_cast<size_t>(offset / block)];
    offset += n;
    *channels = pointers.data();
    return n;
}

std::string ReadAhead::Error() const
{
    std::lock_guard<std::mutex> guard(lock);
    return error;
}
