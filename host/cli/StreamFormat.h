#pragma once
// What a stream's first bytes tell of the audio it holds, and whether the
// audio library reads that from a stream exactly as it reads it from a
// file. From a pipe the library cannot seek back, and some formats it then
// reads wrongly, not at all, or without end; so only these reach it, each
// read both ways alike by the tests (the container and the encoding both
// judged from the header):
//
// - WAV (RIFF) of PCM (8-bit unsigned, 16, 24, 32 bits), float (32, 64),
//   A-law or mu-law, plain or WAVE_FORMAT_EXTENSIBLE;
// - RF64 of the same: handed to the library as the Wave64 stream it equals
//   (the library reads RF64 from a pipe wrongly, taking the first bytes of
//   the data for a chunk header);
// - Wave64 of the same, plain;
// - AIFF of PCM; AIFF-C of 'sowt' PCM, 'raw ' (8-bit unsigned), 'FL32',
//   'FL64', 'ulaw' or 'alaw';
// - AU (big- or little-endian) of PCM (8 to 32 bits), float, double, mu-law
//   or A-law;
// - Ogg Vorbis and Ogg Opus.
//
// Every other stream is refused, named where its header names it (FLAC,
// CAF, MP3, SDS, "WAV of GSM 6.10", ...).

#include <cstddef>
#include <cstdint>
#include <string>

// A stream's header may not be longer than this: the whole of it waits in
// memory until the stream is judged.
inline constexpr size_t kMostStreamHeaderBytes = 16u << 20;
inline constexpr const char* kStreamHeaderTooLong = "its header is longer than the 16 MiB that a stream's may be";

struct StreamFormat
{
    enum class Verdict
    {
        kMore,     // the head must hold `bytes` bytes to tell
        kRead,     // the library reads it from a stream
        kRefused,  // `reason` says why
    };
    Verdict verdict = Verdict::kMore;
    size_t bytes = 0;
    std::string reason;
    // kRead: the first `replaced` bytes of the stream go to the library as
    // `header` (RF64 as Wave64); none when replaced is 0. The library gets
    // `length` bytes at the most, the header's included: the rest (chunks
    // after RF64's data, which Wave64 from a pipe would take for samples)
    // is left out.
    size_t replaced = 0;
    std::string header;
    uint64_t length = UINT64_MAX;
};

// Judges the first bytes of a stream (all that have come).
StreamFormat JudgeStream(const std::string& head);

// The list of what a stream may hold, for messages.
inline constexpr const char* kStreamFormats = "WAV, RF64, Wave64, AIFF, AU, Ogg Vorbis or Ogg Opus";
