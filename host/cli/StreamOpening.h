#pragma once
// Readying a stream for the audio library, which reads it through a relay
// (StreamRelay.h). Its first bytes are gathered until its format is judged
// (StreamFormat.h), then until the library's open of those bytes alone has
// settled: it read less than all of them, or the stream has ended. The real
// open reads the same bytes the same way, so it never waits for the stream:
// a stream whose header stalls holds up only itself, never the other
// inputs' opens. Any thread; every wait ends on a stop.

#include "host/cli/StreamRelay.h"

#include <memory>
#include <string>

// What the error of a stream stopped before it was ready says.
inline constexpr const char* kStoppedBeforeAudio = "stopped before its audio began";

// stream: open for reading (the caller's, open while the relay lives).
// stop: a descriptor that turns readable on a stop (-1: none). The relay,
// copying into its pipe what the library is to read (an RF64 stream's
// header given as Wave64's); null with the reason in *error when the
// stream is refused, ends before its format tells, fails, or is stopped
// (kStoppedBeforeAudio).
std::unique_ptr<StreamRelay> ReadyStream(int stream, int stop, std::string* error);
