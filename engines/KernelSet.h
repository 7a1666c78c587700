#pragma once
// The instruction sets the engines' lane kernels are compiled for. An engine
// object picks the best one the processor check allows at its Init; every
// set gives the same bits.

#include "platform/CpuFeatures.h"

#include <cstdint>

enum class KernelSet : int32_t
{
    Base = 0,    // baseline x86-64 (SSE2): two lanes
    Wide = 1,    // AVX2: four lanes
    Widest = 2,  // AVX-512: eight lanes
};

inline KernelSet ChosenKernelSet()
{
    return WidestKernelsEnabled() ? KernelSet::Widest : WideKernelsEnabled() ? KernelSet::Wide : KernelSet::Base;
}
