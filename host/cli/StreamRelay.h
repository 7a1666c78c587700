#pragma once
// A stream (a pipe, a FIFO, a terminal) handed to its reader through a pipe
// of the relay's own, copied by a thread of the relay's own. The audio
// library reads a stream with blocking reads that nothing else can end; its
// reads from the relay's pipe end once Stop closes the pipe, whatever the
// stream does (a writer that stalls holds up nothing). The reader learns
// how much has arrived (Ready) and can wait for more (Wait), so that it can
// take what has come without blocking.
// [Start: any thread; Stop: any thread; the rest: the reader's thread]

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class StreamRelay
{
public:
    // Starts copying the stream (open for reading, the caller's, kept open
    // until the relay is gone) after the bytes head, which were read from
    // it already. Null, with the system's cause in *error, when the pipe or
    // the thread cannot be made.
    static std::unique_ptr<StreamRelay> Start(int stream, std::string head, std::string* error);
    // Stops and waits for the copying thread.
    ~StreamRelay();
    StreamRelay(const StreamRelay&) = delete;
    StreamRelay& operator=(const StreamRelay&) = delete;

    // The reading end of the relay's pipe; it stays the relay's.
    int ReadEnd() const { return readEnd; }
    // Bytes in the pipe, ready to be read without blocking.
    size_t Ready() const;
    // Waits up to waitMs (-1: no limit) until the pipe holds bytes or has
    // ended; true when it has ended (the stream ended, failed, or Stop).
    bool Wait(int waitMs) const;
    // Ends the copying at once: the pipe ends after what it holds. Safe to
    // call more than once.
    void Stop();
    // The system's cause when reading the stream failed; empty otherwise.
    // Once the pipe has ended.
    std::string Error() const;

private:
    StreamRelay(int stream, int readEnd, int writeEnd, int wake, std::string head);
    void Copy();
    // Writes all of bytes into the pipe; false after a stop or a failure.
    bool Put(const char* bytes, size_t size);
    void Fail(int cause);

    const int stream;
    const int readEnd;
    int writeEnd;  // closed by the copying thread as it ends
    const int wake;  // an event that Stop raises
    std::string head;
    mutable std::mutex errorLock;
    std::string error;
    std::thread copier;  // last: it starts once the rest is made
};
