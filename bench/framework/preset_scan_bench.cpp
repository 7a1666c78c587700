// Building the preset list from a folder of 1000 user program files: all
// accepted, or all refused by their header (files of another plug-in, 64 KiB
// each, so that reading more than the header would show).
#include "support/TestPresetPlug.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kFiles = 1000;
constexpr int32_t kParams = 29;

void FillFolder(const TempFolder& folder, bool accepted)
{
    TestPlug writer("1-1", kParams, 17);
    char name[32];
    for (int i = 0; i < kFiles; ++i)
    {
        std::snprintf(name, sizeof name, "preset %04d.fxp", i);
        writer.GetParam(0)->SetValue(-0.01 * i);
        const std::string path = folder / name;
        writer.SaveProgramFile(StringBuf(path.c_str()), name);
        if (!accepted)
        {
            std::string bytes = ReadBytes(path);
            bytes[19] = 'X';  // another plug-in ID
            bytes.resize(65536, '\0');
            WriteBytes(path, bytes);
        }
    }
}

void BuildPresetList(benchmark::State& state, bool accepted)
{
    TempFolder folder;
    FillFolder(folder, accepted);
    TestPresetPlug plug(17, kParams);
    plug.UserPresetFolder().Set(folder.Path().c_str());
    for (auto _ : state)
    {
        plug.BuildPresetList(false);
        plug.changes.clear();
        if (plug.NPresets() != (accepted ? 17 + kFiles : 17))
            state.SkipWithError("unexpected preset count");
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_BuildPresetList_1000Accepted(benchmark::State& state) { BuildPresetList(state, true); }
void BM_BuildPresetList_1000RefusedLarge(benchmark::State& state) { BuildPresetList(state, false); }

BENCHMARK(BM_BuildPresetList_1000Accepted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildPresetList_1000RefusedLarge)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
