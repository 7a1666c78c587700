// State-chunk reader: the bytes are a host's state chunk (with or without a
// version header) and a preset's state.
#include "FuzzCheck.h"
#include "framework/core/ChunkVersionHeader.h"
#include "support/TestPlug.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IStateChunk chunk;
    if (!chunk.PutBytes(data, static_cast<int32_t>(size)))
        return 0;

    TestPlug plug("1-1", 4, 2);
    int32_t pos = 0;
    ReadChunkVersionHeader(chunk, &pos);
    FUZZ_CHECK(pos == 0 || pos == -1 || pos == kChunkVersionHeaderSize);
    const int32_t start = pos < 0 ? 0 : pos;
    const int32_t end = plug.LoadState(chunk, start);
    FUZZ_CHECK(end == -1 || end == start + 8 * plug.NParams());
    FUZZ_CHECK(plug.changes.size() == static_cast<size_t>(plug.NParams()));
    CheckValuesSound(plug);

    // The same bytes as a preset's state: a recall that fails keeps the index.
    plug.MakePresetFromPairs("Base", {});
    plug.MakePresetFromPairs("Fuzzed", {});
    plug.RecallPreset(0, false);
    plug.GetPreset(1)->state.Assign(chunk);
    const bool recalled = plug.RecallPreset(1, true);
    FUZZ_CHECK(recalled == (chunk.Size() >= 8 * plug.NParams()));
    FUZZ_CHECK(plug.GetCurrentPresetIdx() == (recalled ? 1 : 0));
    CheckValuesSound(plug);

    IStateChunk saved;
    FUZZ_CHECK(plug.SaveState(saved) && saved.Size() == 8 * plug.NParams());
    std::vector<double> values;
    for (int32_t p = 0; p >= 0 && p < saved.Size();)
    {
        double v = 0.0;
        p = saved.ReadDoubleLE(&v, p);
        values.push_back(v);
    }
    FUZZ_CHECK(plug.CompareParams(values.data(), static_cast<int32_t>(values.size()), 0));
    return 0;
}
