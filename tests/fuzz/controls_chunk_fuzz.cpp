// Any bytes as the data of a controls-state chunk: the parser reads only
// within them, and the entries of a chunk it reads whole write back into a
// chunk that reads whole again, with as many entries.

#include "framework/aax/AAX_CChunkDataParser.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> RecordHolding(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(sizeof(AAXChunkRecord) + size);
    auto* record = reinterpret_cast<AAXChunkRecord*>(bytes.data());
    record->dataSize = static_cast<int32_t>(size);
    if (size != 0)
        std::memcpy(record->Data(), data, size);
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 20)
        return 0;
    std::vector<uint8_t> input = RecordHolding(data, size);
    AAX_CChunkDataParser parser;
    if (!parser.ParseChunk(*reinterpret_cast<AAXChunkRecord*>(input.data())))
        return 0;
    for (const ChunkDataEntry& entry : parser.Entries())
    {
        int32_t integer = 0;
        parser.FindInt32(entry.name.Get(), &integer);
    }

    const int32_t written = parser.DataSize();
    std::vector<uint8_t> output(sizeof(AAXChunkRecord) + static_cast<size_t>(written));
    auto* record = reinterpret_cast<AAXChunkRecord*>(output.data());
    if (parser.GetChunkData(*record, written) != 0)
        std::abort();
    AAX_CChunkDataParser again;
    if (!again.ParseChunk(*record) || again.Entries().size() != parser.Entries().size())
        std::abort();
    return 0;
}
