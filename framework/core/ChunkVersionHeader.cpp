#include "framework/core/ChunkVersionHeader.h"

bool WriteChunkVersionHeader(IStateChunk& chunk)
{
    chunk.Clear();
    return chunk.PutU32LE(kChunkVersionMagic) && chunk.PutU32LE(kChunkVersion);
}

uint32_t ReadChunkVersionHeader(const IStateChunk& chunk, int32_t* pos)
{
    uint32_t magic = 0;
    const int32_t next = chunk.ReadU32LE(&magic, *pos);
    if (next < 0 || magic != kChunkVersionMagic)
        return 0;
    uint32_t version = 0;
    *pos = chunk.ReadU32LE(&version, next);
    return *pos < 0 ? 0 : version;
}
