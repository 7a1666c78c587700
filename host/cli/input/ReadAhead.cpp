#include "host/cli/input/ReadAhead.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

// About this many frames a chunk: a few hundred kilobytes of audio.
constexpr int32_t kChunkFrames = 8192;
// About this many frames read ahead of the caller (some 3 s of audio): with
// fewer, a busy machine's pauses of the reading thread make the caller wait.
constexpr int32_t kFramesAhead = 16 * kChunkFrames;
// The longest wait of a real-time caller: it checks for a stop after it.
constexpr auto kRealTimeWait = std::chrono::milliseconds(50);

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

int32_t CountNonFinite(const HostAudio& audio, int32_t start, int32_t frames)
{
    int32_t count = 0;
    for (int32_t c = 0; c < audio.Channels(); ++c)
        count += CountNonFinite(audio.Buffers()[c] + start, frames);
    return count;
}

}  // namespace

ReadAhead::ReadAhead(AudioSource& source, int32_t block, Pace pace)
    : source(source), block(std::max(block, 1)), pace(pace),
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
    source.Interrupt();
    reader.join();
}

void ReadAhead::CountBlocks(Chunk& chunk, int32_t from, int32_t frames) const
{
    for (int32_t start = from * block; start + block <= frames; start += block)
        chunk.nonFinite[static_cast<size_t>(start / block)] = CountNonFinite(chunk.audio, start, block);
}

// Reading thread: fills the free chunks in ring order, each to the full
// (whatever the source gives a call), until the source ends; the frames of
// each read are the caller's at once.
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
        Chunk& chunk = ring[next];  // the caller reads only the frames told it
        std::vector<float*> at(chunk.audio.Buffers(), chunk.audio.Buffers() + chunk.audio.Channels());
        int32_t frames = 0;
        int32_t got = 0;
        while (frames < chunkFrames && (got = source.Read(at.data(), chunkFrames - frames)) > 0)
        {
            CountBlocks(chunk, frames / block, frames + got);
            frames += got;
            for (float*& channel : at)
                channel += got;
            if (frames < chunkFrames)
            {
                {
                    std::lock_guard<std::mutex> guard(lock);
                    chunk.frames = frames;
                }
                changed.notify_all();
            }
        }
        // The source's last block, short of a whole one.
        if (frames % block != 0)
            chunk.nonFinite[static_cast<size_t>(frames / block)] =
                CountNonFinite(chunk.audio, frames - frames % block, frames % block);
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
    const bool realTime = pace == Pace::kRealTime;
    int32_t n = 0;
    bool counted = false;  // a whole block of the chunk, or the source's last: counted by the reader
    {
        std::unique_lock<std::mutex> guard(lock);
        bool waited = false;
        for (;;)
        {
            // The first chunk is read whole while filled counts it; else it
            // is being read, or waits to be.
            const bool complete = filled > 0;
            const int32_t arrived = ring[first].frames - offset;
            if (complete && arrived == 0)
            {
                ring[first].frames = 0;  // free for the reader
                first = (first + 1) % chunks;
                offset = 0;
                --filled;
                changed.notify_all();
                continue;
            }
            if (arrived >= block || (arrived > 0 && (complete || realTime)))
            {
                // In real time a part taken ends where its block does, so
                // that the next one starts on a whole block again.
                n = std::min(arrived, block - offset % block);
                counted = offset % block == 0 && (n == block || complete);
                break;
            }
            if (ended)
                return failed ? -1 : 0;
            if (!realTime)
                changed.wait(guard);
            else if (waited)
                return kWaiting;
            else
            {
                changed.wait_for(guard, kRealTimeWait);
                waited = true;
            }
        }
    }
    Chunk& chunk = ring[first];
    for (size_t c = 0; c < pointers.size(); ++c)
        pointers[c] = chunk.audio.Buffers()[c] + offset;
    *nonFinite =
        counted ? chunk.nonFinite[static_cast<size_t>(offset / block)] : CountNonFinite(chunk.audio, offset, n);
    offset += n;
    *channels = pointers.data();
    return n;
}

std::string ReadAhead::Error() const
{
    std::lock_guard<std::mutex> guard(lock);
    return error;
}
