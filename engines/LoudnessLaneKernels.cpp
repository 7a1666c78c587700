#include "engines/LoudnessLanes.h"

#include <cfloat>
#include <cstdint>
#include <utility>

namespace {

#define SONVAREK_KERNELS "engines/LoudnessLaneKernels.inl"
#include "engines/KernelSets.inl"

}  // namespace

LaneChunkFn SelectLaneChunk(KernelSet set, int32_t config)
{
    const int32_t c = ClampEbuConfig(config);
#ifdef SONVAREK_WIDE_KERNELS
    if (set == KernelSet::Widest)
        return widest::kLaneChunks[c];
    if (set == KernelSet::Wide)
        return wide::kLaneChunks[c];
#endif
    return base::kLaneChunks[c];
}
