// Any bytes as the data of a controls-state chunk: the parser reads only
// within them, and the entries of a chunk it reads whole write back into a
// chunk that reads whole again, with as many entries.

#include "FuzzCheck.h"
#include "framework/aax/AAX_CChunkDataParser.h"
#include "host/HostChunkRecord.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 20)
        return 0;
    // Room for exactly the input: a read past it shows under AddressSanitizer.
    const HostChunkRecord input = HostChunkRecord::Holding(std::vector<uint8_t>(data, data + size));
    AAX_CChunkDataParser parser;
    if (!parser.ParseChunk(input.Record()))
        return 0;
    for (const ChunkDataEntry& entry : parser.Entries())
    {
        int32_t integer = 0;
        parser.FindInt32(entry.name.Get(), &integer);
    }

    const int32_t written = parser.DataSize();
    HostChunkRecord output(written);
    FUZZ_CHECK(parser.GetChunkData(output.Record(), written) == 0);
    AAX_CChunkDataParser again;
    FUZZ_CHECK(again.ParseChunk(output.Record()) && again.Entries().size() == parser.Entries().size());
    return 0;
}
