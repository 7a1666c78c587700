#pragma once
// The writes to the program's outputs (standard output and error, a --trace
// FIFO or device), which a stop does not wait on. Until a stop a write waits
// for its reader as long as it takes; once the stop has come, the outputs
// get a short grace in all to take what is written, and what they have not
// taken by then is given up, so that a reader that takes nothing cannot hold
// up the end of a stopped run. The descriptors stay blocking (the shell and
// the reader share them): a write waits in poll() for room or the stop, and
// goes to a non-blocking description of the same pipe, FIFO or terminal of
// its own, so that nothing another writer puts in first can block it.

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>

class StopAwareWrites
{
public:
    // Until StopOn, writes wait as long as it takes.
    StopAwareWrites() = default;
    StopAwareWrites(const StopAwareWrites&) = delete;
    StopAwareWrites& operator=(const StopAwareWrites&) = delete;

    // From now on, stop (a descriptor that turns readable, and stays so, on a
    // stop: StopOnInterrupt::Event(); -1: none) ends the waits. [any thread]
    void StopOn(int stop);
    // A non-blocking description of its own of the pipe, FIFO or terminal
    // behind fd, for Write; -1 for a file whose writes wait on no reader (a
    // regular file) or that cannot be opened again (a socket). The caller
    // closes it.
    static int OpenOwn(int fd);
    // Writes size bytes at data to fd whole, through own (OpenOwn's; -1:
    // none, in pieces a pipe that polls writable takes); false with errno
    // set when fd fails, ECANCELED when a stop gave up what fd had not
    // taken. [any thread]
    bool Write(int fd, int own, const char* data, size_t size);
    // text after what stream's buffer holds; a stream without a descriptor
    // (a memory stream) is written as stdio writes it.
    bool Write(std::FILE* stream, const std::string& text);
    // Whether a stop gave up anything. [any thread]
    bool GaveUp() const { return gaveUp.load(); }

private:
    bool AwaitRoom(int fd);

    std::atomic<int> stop{-1};
    std::atomic<int64_t> graceEnds{0};  // steady clock, in its ticks; 0 until a write sees the stop
    std::atomic<bool> gaveUp{false};
};
