#pragma once
// An audio source read ahead on a thread of its own, handed out in place:
// decoding the next chunks (and counting their non-finite samples) runs
// while the caller renders the last, and the caller renders straight from
// the chunk's buffers, so a file costs the host little more than its
// rendering. Each chunk holds a whole number of the caller's blocks (the
// last one of the source excepted), so that no block straddles two chunks.
// A chunk's blocks are handed out as they arrive, before the chunk is full
// (a stream comes in pieces). The caller reads from one thread.

#include "host/HostAudio.h"
#include "host/cli/input/AudioSource.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

class ReadAhead
{
public:
    // How the caller takes the frames that have arrived.
    enum class Pace
    {
        // Whole blocks, waiting for each: the blocks are the same however
        // the source comes (a file and a stream of it measure alike).
        kWholeBlocks,
        // At real time: a block is due now, so whatever part of it has
        // arrived is taken, and a wait ends soon (Next answers kWaiting).
        kRealTime,
    };
    // Next's answer in real time when nothing arrived in the wait.
    static constexpr int32_t kWaiting = -2;

    // source outlives the object and is read only through it from now on;
    // blocks are of block frames (1 or more).
    ReadAhead(AudioSource& source, int32_t block, Pace pace = Pace::kWholeBlocks);
    // Stops the reading thread (interrupting the source's read under way).
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next block: its frames (block frames; fewer at the end of the
    // source, and in real time when no more have arrived), 0 at the end, -1
    // once the frames read before a failure are used up, kWaiting (real
    // time only). *channels points at one buffer per channel holding them,
    // valid until the next call; the caller may write over them.
    // *nonFinite: the samples of the block that are NaN or ±Inf.
    int32_t Next(float* const** channels, int32_t* nonFinite);
    // Why the source failed.
    std::string Error() const;

private:
    struct Chunk
    {
        Chunk(int32_t channels, int32_t frames) : audio(channels, frames) {}

        HostAudio audio;
        int32_t frames = 0;  // read into it, under the lock
        std::vector<int32_t> nonFinite;  // of each whole block, and of the source's last
    };

    void Fill();
    // Counts the non-finite samples of the chunk's blocks from block first
    // up to frames frames read. [reading thread]
    void CountBlocks(Chunk& chunk, int32_t first, int32_t frames) const;

    AudioSource& source;
    const int32_t block;
    const Pace pace;
    const int32_t chunkFrames;
    const size_t chunks;  // in the ring
    std::vector<Chunk> ring;
    std::vector<float*> pointers;  // the block handed out
    size_t first = 0;      // the chunk being read by the caller
    int32_t offset = 0;    // frames of it already handed out
    // Under the lock:
    size_t filled = 0;     // chunks read whole, from first on; the next one is being read
    bool ended = false;    // the source has no more
    bool failed = false;
    bool stopping = false;
    std::string error;
    mutable std::mutex lock;
    std::condition_variable changed;
    std::thread reader;
};
