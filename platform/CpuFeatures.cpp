#include "platform/CpuFeatures.h"

#include <atomic>

namespace {

std::atomic<bool> wideAllowed{true};
std::atomic<bool> widestAllowed{true};

bool CpuHasAvx2()
{
#if defined(__x86_64__) || defined(__i386__)
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

bool CpuHasAvx512()
{
#if defined(__x86_64__) || defined(__i386__)
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
           __builtin_cpu_supports("avx512vl");
#else
    return false;
#endif
}

}  // namespace

bool WideKernelsEnabled()
{
    static const bool hasAvx2 = CpuHasAvx2();
    return hasAvx2 && wideAllowed.load(std::memory_order_relaxed);
}

void AllowWideKernels(bool allowed)
{
    wideAllowed.store(allowed, std::memory_order_relaxed);
}

bool WidestKernelsEnabled()
{
    static const bool hasAvx512 = CpuHasAvx512();
    return hasAvx512 && WideKernelsEnabled() && widestAllowed.load(std::memory_order_relaxed);
}

void AllowWidestKernels(bool allowed)
{
    widestAllowed.store(allowed, std::memory_order_relaxed);
}
