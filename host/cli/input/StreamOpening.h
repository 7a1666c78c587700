#pragma once
// Readying a stream for the audio library, which reads it through a relay
// (StreamRelay.h). Its first bytes are gathered until the host's own reading
// of its header (AudioHead.h) has judged it and found the header whole: up
// to the data chunk's header, or the header packets of Ogg. No head cut
// short ever reaches the library, which may read on for ever at such an
// end. Only then is the stream handed to the library, whose open then reads
// bytes that are at hand, never waiting for the stream; but Ogg's open reads
// on in pieces of its own, so it is tried first on the head alone, then an
// end, until it reads less than all of it (or the stream has ended). So a
// stream whose header stalls holds up only itself, never the other inputs'
// opens. Any thread; every wait ends on a stop.

#include "host/cli/input/AudioHead.h"
#include "host/cli/input/StreamRelay.h"

#include <memory>
#include <string>

// What the error of a stream stopped before it was ready says.
inline constexpr const char* kStoppedBeforeAudio = "stopped before its audio began";

// stream: open for reading (the caller's, open while the relay lives).
// stop: a descriptor that turns readable on a stop (-1: none). The relay,
// copying into its pipe what the library is to read, as *head says (a
// header given in place of the stream's, a length); null with the reason in
// *error when the stream is refused, ends before its header is whole,
// fails, or is stopped (kStoppedBeforeAudio).
std::unique_ptr<StreamRelay> ReadyStream(int stream, int stop, AudioHead* head, std::string* error);
