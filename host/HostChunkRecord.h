#pragma once
// A chunk record as a host makes it: the header with room for exactly the
// data size asked for, so that a read or write past its end shows under
// AddressSanitizer.

#include "platform/AAXChunkRecord.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

class HostChunkRecord
{
public:
    // dataSize = dataBytes (room for none when negative); the rest of the header zero.
    explicit HostChunkRecord(int32_t dataBytes, uint32_t chunkID = 0)
        : bytes(sizeof(AAXChunkRecord) + static_cast<size_t>(dataBytes > 0 ? dataBytes : 0))
    {
        Record().dataSize = dataBytes;
        Record().chunkID = chunkID;
    }

    // A record holding a copy of data.
    static HostChunkRecord Holding(const std::vector<uint8_t>& data, uint32_t chunkID = 0)
    {
        HostChunkRecord record(static_cast<int32_t>(data.size()), chunkID);
        if (!data.empty())
            std::memcpy(record.Record().Data(), data.data(), data.size());
        return record;
    }

    AAXChunkRecord& Record() { return *reinterpret_cast<AAXChunkRecord*>(bytes.data()); }
    const AAXChunkRecord& Record() const { return *reinterpret_cast<const AAXChunkRecord*>(bytes.data()); }

    // The record's data as its size field gives it, within the room there is.
    std::vector<uint8_t> Data() const
    {
        const int32_t size = Record().dataSize;
        const size_t room = bytes.size() - sizeof(AAXChunkRecord);
        const size_t n = size > 0 ? std::min(static_cast<size_t>(size), room) : 0;
        const uint8_t* data = Record().Data();
        return std::vector<uint8_t>(data, data + n);
    }

private:
    std::vector<uint8_t> bytes;
};
