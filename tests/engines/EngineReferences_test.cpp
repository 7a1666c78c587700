// The engines against their reference outputs (support/EngineReferences.h):
// the loudness engine frame by frame and in blocks, the peak/RMS engine in
// every weighting mode, each with every set of kernels the processor runs.

#include "support/EngineReferenceTable.h"
#include "support/EngineReferences.h"

#include "engines/KernelSet.h"
#include "platform/CpuFeatures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

uint64_t Reference(const std::string& name)
{
    for (const EngineReference& r : kEngineReferences)
        if (name == r.name)
            return r.hash;
    ADD_FAILURE() << "no reference for " << name;
    return 0;
}

TEST(EngineReferences, LoudnessEngineFrameByFrameAndInBlocks)
{
    size_t runs = 0;
    ForEachLoudnessCase([](double) { return true; },
                        [&](const std::string& name, const Planar& ch, double rate, int32_t config) {
                            const uint64_t expected = Reference(name);
                            EXPECT_EQ(LoudnessRunHash(ch, rate, config, FeedPath::PerFrame), expected)
                                << name << ", frame by frame";
                            EXPECT_EQ(LoudnessRunHash(ch, rate, config, FeedPath::Block), expected)
                                << name << ", in blocks";
                            ++runs;
                        });
    size_t peakRmsRuns = 0;
    ForEachPeakRmsCase([&](const std::string& name, const Planar& ch, double rate, RmsChannelConfig config,
                           WeightingMode mode, RmsMeterMode meterMode) {
        EXPECT_EQ(PeakRmsRunHash(ch, rate, config, mode, meterMode), Reference(name)) << name;
        ++peakRmsRuns;
    });
    EXPECT_EQ(runs + peakRmsRuns, std::size(kEngineReferences)) << "references no run gives";
}

TEST(EngineReferences, EveryKernelSetGivesTheSameBits)
{
    // The narrower kernel sets than the processor's best (which ran above)
    // at the rates that oversample (4× at 48 kHz, 2× at 96 kHz): the loudness
    // engine in blocks (the true-peak test holds the detector's per-frame
    // kernels, which the rest uses).
    const auto oversampled = [](double rate) { return rate == 48000.0 || rate == 96000.0; };
    for (KernelSet set : {KernelSet::Wide, KernelSet::Base})
    {
        if (set >= ChosenKernelSet())
            continue;
        AllowWidestKernels(false);
        AllowWideKernels(set == KernelSet::Wide);
        SCOPED_TRACE(set == KernelSet::Wide ? "AVX2" : "baseline");
        ForEachLoudnessCase(oversampled, [&](const std::string& name, const Planar& ch, double rate, int32_t config) {
            EXPECT_EQ(LoudnessRunHash(ch, rate, config, FeedPath::Block), Reference(name)) << name << ", in blocks";
        });
        AllowWideKernels(true);
        AllowWidestKernels(true);
    }
}

}  // namespace
