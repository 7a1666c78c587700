#pragma once
// The small header that program files put in front of a state chunk: two
// little-endian 32-bit words, the magic 0x70666674 (bytes 74 66 66 70) and the
// header version 0x00010000.

#include "framework/core/IStateChunk.h"

#include <cstdint>

constexpr uint32_t kChunkVersionMagic = 0x70666674;
constexpr uint32_t kChunkVersion = 0x00010000;
constexpr int32_t kChunkVersionHeaderSize = 8;

// Clears the chunk and writes the header; false when the chunk cannot grow.
bool WriteChunkVersionHeader(IStateChunk& chunk);

// When the chunk holds the magic at *pos: returns the version word after it
// and moves *pos past both (-1 when the version word is cut off). Otherwise
// returns 0 and leaves *pos as it was.
uint32_t ReadChunkVersionHeader(const IStateChunk& chunk, int32_t* pos);
