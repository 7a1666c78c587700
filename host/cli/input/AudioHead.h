#pragma once
// What the first bytes of an input (a file or a stream) tell of the audio it
// holds, and how the audio library is to be given it so that it reads the
// audio as it is. The container and the encoding are both judged.
//
// A stream is read only once, and some formats the library then reads
// wrongly, not at all, or without end; so only these reach it from a
// stream, each read both ways alike by the tests:
//
// - WAV (RIFF) of PCM (8-bit unsigned, 16, 24, 32 bits), float (32, 64),
//   A-law or mu-law, plain or WAVE_FORMAT_EXTENSIBLE;
// - RF64 and Wave64 of the same, each handed to the library as the plain
//   Wave64 of the same format and data (the library reads RF64 from a pipe
//   wrongly, and every extensible Wave64 as integer PCM);
// - AIFF of PCM; AIFF-C of 'sowt' PCM, 'raw ' (8-bit unsigned), 'FL32',
//   'FL64' (or 'fl32', 'fl64'), 'ulaw' or 'alaw';
// - AU (big- or little-endian) of PCM (8 to 32 bits), float, double, mu-law
//   or A-law;
// - Ogg Vorbis and Ogg Opus.
// Every other stream is refused, named where its header names it (FLAC,
// CAF, MP3, SDS, "WAV of GSM 6.10", ...).
//
// A file goes to the library as it is, but for the WAVE formats above (as a
// stream of them does), a Wave64 of compressed data (its whole blocks only)
// and a VOC, given by its blocks (VocBlocks.h); an extensible Wave64 whose
// sub-format cannot be read so is refused.

#include "host/cli/input/Speakers.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A stream's header may not be longer than this: the whole of it waits in
// memory until the stream is judged. A file's longer header is not judged.
inline constexpr size_t kMostStreamHeaderBytes = 16u << 20;
inline constexpr const char* kStreamHeaderTooLong = "its header is longer than the 16 MiB that a stream's may be";

enum class HeadOf
{
    kFile,
    kStream,
};

struct AudioHead
{
    enum class Verdict
    {
        kMore,     // the head must hold `bytes` bytes to tell
        kRead,     // the library reads it, given as below
        kRefused,  // `reason` says why
        kAsItIs,   // a file the library is given as it is
    };
    Verdict verdict = Verdict::kMore;
    size_t bytes = 0;
    std::string reason;
    // kAsItIs: a VOC file, whose blocks decide (VocBlocks.h).
    bool blocks = false;

    // kRead: the head is whole at `bytes` (where the audio data starts):
    // the library's open of a stream reads that much and no more, but for
    // Ogg (`probe`), whose open reads on in pieces of its own.
    bool probe = false;
    // The first `replaced` bytes go to the library as `header` (RF64 and
    // Wave64 as plain Wave64); none when replaced is 0. The library gets
    // `length` bytes at the most, the header's included: the rest (chunks
    // after the data, which it would take for samples, or frames beyond
    // the sample count) is left out.
    size_t replaced = 0;
    std::string header;
    uint64_t length = UINT64_MAX;
    // Frames that a sample count declares where it is less than the data
    // holds (then read no further, with `warning`); -1: none.
    int64_t frames = -1;
    std::string warning;
    // The order in which the library's channels reach the meter (Vorbis and
    // Opus hand them over in their own): order[c] is the library's channel
    // that is channel c in WAVE order. Empty: as they come.
    std::vector<int32_t> order;
    // The speakers of the channels, in WAVE order, where the head names them
    // (a WAVE channel mask); empty where it names none.
    std::vector<Speaker> speakers;
};

// Judges the first bytes of an input (all that have come of a stream).
AudioHead JudgeHead(const std::string& head, HeadOf input);

// The list of what a stream may hold, for messages.
inline constexpr const char* kStreamFormats = "WAV, RF64, Wave64, AIFF, AU, Ogg Vorbis or Ogg Opus";
