// Writes the reference hashes of the engines' outputs (support/EngineReferences.h)
// as a C++ header on standard output, from the per-frame calls:
//
//   build/tests/engines/engine_references > tests/engines/support/EngineReferenceTable.h
//
// Run it only for a change that is meant to change the engines' results.

#include "support/EngineReferences.h"

#include <cinttypes>
#include <cstdio>

int main()
{
    std::printf("#pragma once\n"
                "// The hashes of the engines' outputs on the reference runs of EngineReferences.h,\n"
                "// written by the engine_references tool from the per-frame calls. Not edited by hand.\n\n"
                "#include <cstdint>\n\n"
                "struct EngineReference\n{\n    const char* name;\n    uint64_t hash;\n};\n\n"
                "constexpr EngineReference kEngineReferences[] = {\n");
    auto print = [](const std::string& name, uint64_t hash) {
        std::printf("    {\"%s\", 0x%016" PRIX64 "ull},\n", name.c_str(), hash);
    };
    ForEachLoudnessCase([](double) { return true; },
                        [&](const std::string& name, const Planar& ch, double rate, int32_t config) {
                            print(name, LoudnessRunHash(ch, rate, config, FeedPath::PerFrame));
                        });
    ForEachPeakRmsCase([&](const std::string& name, const Planar& ch, double rate, RmsChannelConfig config,
                           WeightingMode mode, RmsMeterMode meterMode) {
        print(name, PeakRmsRunHash(ch, rate, config, mode, meterMode));
    });
    std::printf("};\n");
    return 0;
}
