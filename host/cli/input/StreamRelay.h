#pragma once
// A stream (a pipe, a FIFO, a terminal) handed to its reader through a pipe
// of the relay's own, copied by a thread of the relay's own. The audio
// library reads a stream with blocking reads that nothing else can end; its
// reads from the relay's pipe end once Stop closes the pipe, whatever the
// stream does (a writer that stalls holds up nothing). The reader learns
// how much has arrived (Ready) and can wait for more (Wait), so that it can
// take what has come without blocking.
//
// Before the copying starts, the stream's first bytes are gathered into a
// head on the opening thread (Gather), so that they can be judged and what
// the reader gets first chosen (Release). Every wait for the stream ends on
// a stop.
// [Make, Gather, Release: the opening thread; Stop: any thread; the rest:
// the reader's thread]

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class StreamRelay
{
public:
    // A relay of stream (open for reading, blocking or not; the caller's,
    // kept open until the relay is gone; -1: none, and the pipe holds only
    // what Release is given). stop: a descriptor that turns readable when
    // the waits are to end, as Stop ends them (-1: none). Null, with the
    // system's cause in *error, when the pipe cannot be made.
    static std::unique_ptr<StreamRelay> Make(int stream, int stop, std::string* error);
    // Stops and waits for the copying thread.
    ~StreamRelay();
    StreamRelay(const StreamRelay&) = delete;
    StreamRelay& operator=(const StreamRelay&) = delete;

    // Reads the stream into the head until the head holds at least bytes,
    // or some came and then none for a moment, or the stream ended or
    // failed (Ended; Error says why). False when a stop ended the wait.
    bool Gather(size_t bytes);
    const std::string& Head() const { return head; }
    bool Ended() const { return ended; }
    // Starts copying into the pipe: first, then the rest of the stream, then
    // the pipe's end; the pipe ends after `bytes` bytes at the most. False,
    // with the system's cause in *error, when the thread cannot start.
    bool Release(std::string first, std::string* error, uint64_t bytes = UINT64_MAX);

    // The reading end of the relay's pipe; it stays the relay's.
    int ReadEnd() const { return readEnd; }
    // Bytes in the pipe, ready to be read without blocking.
    size_t Ready() const;
    // Waits up to waitMs (-1: no limit) until the pipe holds bytes or has
    // ended; true when it has ended (the stream ended, failed, or Stop).
    bool Wait(int waitMs) const;
    // Ends the copying or the gathering at once: the pipe ends after what it
    // holds. Safe to call more than once.
    void Stop();
    // The system's cause when reading the stream failed; empty otherwise.
    // Once the pipe or the gathering has ended.
    std::string Error() const;

private:
    StreamRelay(int stream, int stop, int readEnd, int writeEnd, int wake);
    void Copy();
    // Writes all of bytes into the pipe; false after a stop or a failure.
    bool Put(const char* bytes, size_t size);
    void Fail(int cause);

    const int stream;
    const int stop;
    const int readEnd;
    int writeEnd;  // closed by the copying thread as it ends
    const int wake;  // an event that Stop raises
    std::string head;
    bool ended;
    uint64_t most = UINT64_MAX;  // the bytes the pipe takes
    mutable std::mutex errorLock;
    std::string error;
    std::thread copier;
};
