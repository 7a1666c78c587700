#pragma once
// The host's chunk record: a 56-byte header followed by the data. The host
// allocates and frees it with room for the data size it asked for.

#include <cstddef>
#include <cstdint>

struct AAXChunkRecord
{
    static constexpr uint32_t kNameBytes = 32;

    int32_t dataSize;
    int32_t version;
    uint8_t hostReserved[12];  // the host's; never touched
    uint32_t chunkID;          // four-character code
    char name[kNameBytes];

    uint8_t* Data() { return reinterpret_cast<uint8_t*>(this) + sizeof(AAXChunkRecord); }
    const uint8_t* Data() const { return reinterpret_cast<const uint8_t*>(this) + sizeof(AAXChunkRecord); }
};

static_assert(offsetof(AAXChunkRecord, chunkID) == 20);
static_assert(offsetof(AAXChunkRecord, name) == 24);
static_assert(sizeof(AAXChunkRecord) == 56);
