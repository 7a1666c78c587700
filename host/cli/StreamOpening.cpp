#include "host/cli/StreamOpening.h"

#include "host/cli/LibraryOpen.h"
#include "host/cli/StreamFormat.h"

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

}  // namespace

std::unique_ptr<StreamRelay> ReadyStream(int stream, int stop, std::string* error)
{
    std::unique_ptr<StreamRelay> relay = StreamRelay::Make(stream, stop, error);
    if (!relay)
        return nullptr;
    StreamFormat format;
    while ((format = JudgeStream(relay->Head())).verdict == StreamFormat::Verdict::kMore)
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
    if (format.verdict == StreamFormat::Verdict::kRefused)
    {
        *error = format.reason;
        return nullptr;
    }
    // The head grows by half or more between tries (or by what came before
    // a pause), so a long header takes few.
    std::string first;
    for (;;)
    {
        first = format.header + relay->Head().substr(format.replaced);
        const bool whole = first.size() >= format.length;
        if (whole)
            first.resize(format.length);
        const Settled settled = OpenOf(first, relay->Ended() || whole, error);
        if (settled == Settled::kFailed && relay->Ended() && !relay->Error().empty())
            *error = relay->Error();
        if (settled == Settled::kFailed)
            return nullptr;
        if (settled == Settled::kOpened)
            break;
        if (relay->Head().size() >= kMostStreamHeaderBytes)
        {
            *error = kStreamHeaderTooLong;
            return nullptr;
        }
        if (!relay->Gather(std::min(kMostStreamHeaderBytes, relay->Head().size() * 3 / 2 + 1)))
        {
            *error = kStoppedBeforeAudio;
            return nullptr;
        }
    }
    if (!relay->Release(std::move(first), error, format.length))
        return nullptr;
    return relay;
}
