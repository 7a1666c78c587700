#pragma once
// The pieces the judging of a head (AudioHead.h) is made of: the head as far
// as it has come, and the verdicts it gives.

#include "host/cli/input/AudioHead.h"

#include <algorithm>

class Head
{
public:
    Head(const std::string& bytes, HeadOf input) : bytes(bytes), input(input) {}

    // The n bytes at offset; null when the head does not hold them yet (the
    // length it must reach is noted for More).
    const uint8_t* At(uint64_t offset, uint64_t n)
    {
        if (offset > kMostStreamHeaderBytes || n > kMostStreamHeaderBytes - offset)
            tooLong = true;
        else if (offset + n > bytes.size())
            wanted = std::max(wanted, static_cast<size_t>(offset + n));
        else
            return reinterpret_cast<const uint8_t*>(bytes.data()) + offset;
        return nullptr;
    }

    // The verdict while a field lies past what has come.
    AudioHead More() const
    {
        if (tooLong)
            return input == HeadOf::kStream ? Refuse(kStreamHeaderTooLong) : AsItIs();
        AudioHead head;
        head.bytes = wanted;
        return head;
    }

    // Read, the head whole at bytes.
    static AudioHead Read(uint64_t bytes)
    {
        AudioHead head;
        head.verdict = AudioHead::Verdict::kRead;
        head.bytes = static_cast<size_t>(bytes);
        return head;
    }

    // A format the library reads from a file only: a stream of it is
    // refused, a file goes to the library as it is.
    AudioHead FilesOnly(const std::string& what) const
    {
        return input == HeadOf::kStream ? Refuse(what + " is read from files only, not from a pipe or another stream")
                                        : AsItIs();
    }

    // First bytes that name no format a stream may hold.
    AudioHead Unknown() const
    {
        return input == HeadOf::kStream
                   ? Refuse(std::string("not a format read from a pipe or another stream (") + kStreamFormats + ")")
                   : AsItIs();
    }

    // Audio the library would read wrongly, file or stream.
    static AudioHead Unreadable(const std::string& what)
    {
        return Refuse(what + " is not read: the audio library would read it wrongly");
    }

    bool Stream() const { return input == HeadOf::kStream; }

private:
    static AudioHead Refuse(const std::string& reason)
    {
        AudioHead head;
        head.verdict = AudioHead::Verdict::kRefused;
        head.reason = reason;
        return head;
    }

    static AudioHead AsItIs()
    {
        AudioHead head;
        head.verdict = AudioHead::Verdict::kAsItIs;
        return head;
    }

    const std::string& bytes;
    const HeadOf input;
    size_t wanted = 0;
    bool tooLong = false;
};

// The WAVE formats, from the byte after their file head's IDs.
AudioHead JudgeWav(Head& head);
AudioHead JudgeRf64(Head& head);
AudioHead JudgeWave64(Head& head);

// "%llu"-style text of a number.
std::string Text(const char* format, unsigned long long value);
