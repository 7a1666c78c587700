#include "host/cli/input/StreamOpening.h"

#include "host/cli/input/LibraryOpen.h"

#include <algorithm>

namespace {

enum class Settled
{
    kNot,
    kOpened,
    kFailed,
};

// How the library's open of bytes (then the end of a stream) went; whole:
// the stream holds no more. The reason of a failure in *error.
Settled OpenOf(const std::string& bytes, bool whole, std::string* error)
{
    const std::unique_ptr<StreamRelay> relay = StreamRelay::Make(-1, -1, error);
    if (!relay || !relay->Release(bytes, error))
        return Settled::kFailed;
    SF_INFO info;
    SNDFILE* file = OpenWithLibrary(relay->ReadEnd(), &info, error);
    // With bytes left unread the open never met the end: the stream's next
    // bytes could not have changed it.
    const bool metTheEnd = relay->Ready() == 0 && relay->Wait(0);
    if (file)
        sf_close(file);
    if (metTheEnd && !whole)
        return Settled::kNot;
    return file ? Settled::kOpened : Settled::kFailed;
}

std::string EndedEarly(const StreamRelay& relay)
{
    if (!relay.Error().empty())
        return relay.Error();
    if (relay.Head().empty())
        return "the stream is empty";
    return "the stream ended within its header, after " + std::to_string(relay.Head().size()) + " bytes";
}

// The bytes the library gets first: the head, its first bytes replaced.
std::string First(const StreamRelay& relay, const AudioHead& head)
{
    std::string first = head.header + relay.Head().substr(head.replaced);
    if (first.size() > head.length)
        first.resize(head.length);
    return first;
}

// Gathers on until the library's open of the head alone has settled (see
// above); false with the reason in *error when it fails or is stopped.
bool Probe(StreamRelay& relay, const AudioHead& head, std::string* error)
{
    // The head grows by half or more between tries (or by what came before
    // a pause), so a long header takes few.
    for (;;)
    {
        const std::string first = First(relay, head);
        const Settled settled = OpenOf(first, relay.Ended() || first.size() >= head.length, error);
        if (settled == Settled::kFailed && relay.Ended() && !relay.Error().empty())
            *error = relay.Error();
        if (settled != Settled::kNot)
            return settled == Settled::kOpened;
        if (relay.Head().size() >= kMostStreamHeaderBytes)
        {
            *error = kStreamHeaderTooLong;
            return false;
        }
        if (!relay.Gather(std::min(kMostStreamHeaderBytes, relay.Head().size() * 3 / 2 + 1)))
        {
            *error = kStoppedBeforeAudio;
            return false;
        }
    }
}

}  // namespace

std::unique_ptr<StreamRelay> ReadyStream(int stream, int stop, AudioHead* head, std::string* error)
{
    std::unique_ptr<StreamRelay> relay = StreamRelay::Make(stream, stop, error);
    if (!relay)
        return nullptr;
    AudioHead format;
    while ((format = JudgeHead(relay->Head(), HeadOf::kStream)).verdict == AudioHead::Verdict::kMore)
    {
        if (relay->Ended())
        {
            *error = EndedEarly(*relay);
            return nullptr;
        }
        if (!relay->Gather(format.bytes))
        {
            *error = kStoppedBeforeAudio;
            return nullptr;
        }
    }
    if (format.verdict != AudioHead::Verdict::kRead)
    {
        *error = format.reason;
        return nullptr;
    }
    if (format.probe && !Probe(*relay, format, error))
        return nullptr;
    if (!relay->Release(First(*relay, format), error, format.length))
        return nullptr;
    *head = std::move(format);
    return relay;
}
