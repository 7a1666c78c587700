#pragma once
// The length an audio file's header declares, read from the header itself:
// the audio library reports a file that was cut short by what it still
// holds, so only the header tells how much is missing.
//
// Known headers: WAVE (RIFF, RF64, BW64) with PCM, float, A-law or mu-law
// data (frames = data chunk size / the bytes of a frame as the audio
// library reads the data: channels times the whole bytes of the bits per
// sample, one byte a sample for A-law and mu-law; never the block align
// field, which may be wrong) and AIFF or uncompressed
// AIFF-C (the COMM chunk's frame count). Sizes that mean "not known"
// (0, and 0xFFFFFFFF outside RF64) declare nothing.

#include <cstdint>

// Reads through pread (the descriptor's position is kept); any thread.
// The frames declared, or -1 when the file has no known header, declares no
// length or cannot be read.
int64_t DeclaredFrames(int fd);
