#pragma once
// A host chunk record with room for exactly the data size asked for, so that
// a read or write past its end shows under AddressSanitizer.

#include "platform/AAXChunkRecord.h"

#include <cstdint>
#include <cstring>
#include <vector>

class ChunkRecordBuffer
{
public:
    explicit ChunkRecordBuffer(int32_t dataBytes, uint32_t chunkID = 0)
        : bytes(sizeof(AAXChunkRecord) + static_cast<size_t>(dataBytes > 0 ? dataBytes : 0))
    {
        Record().dataSize = dataBytes;
        Record().chunkID = chunkID;
    }

    // A record holding a copy of data.
    static ChunkRecordBuffer Holding(const std::vector<uint8_t>& data, uint32_t chunkID = 0)
    {
        ChunkRecordBuffer buffer(static_cast<int32_t>(data.size()), chunkID);
        if (!data.empty())
            std::memcpy(buffer.Record().Data(), data.data(), data.size());
        return buffer;
    }

    AAXChunkRecord& Record() { return *reinterpret_cast<AAXChunkRecord*>(bytes.data()); }
    std::vector<uint8_t> Data()
    {
        const uint8_t* data = Record().Data();
        return std::vector<uint8_t>(data, data + Record().dataSize);
    }

private:
    std::vector<uint8_t> bytes;
};
