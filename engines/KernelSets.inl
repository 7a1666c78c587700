// Compiles the kernels of the file named by SONVAREK_KERNELS once per kernel
// set (KernelSet.h), each copy in a namespace of its own, the wider ones
// under a target pragma: base (SSE2), and on x86 wide (AVX2) and widest
// (AVX-512), with SONVAREK_WIDE_KERNELS defined. Every namespace gets the lane
// helpers of SimdLanes.inl and two aliases: Upto4 and Upto8, its widest
// vector of at most four and at most eight lanes. The including file
// includes <cfloat>, <cstdint> and <utility> beforehand, and this file inside
// an anonymous namespace.

typedef double V2 __attribute__((vector_size(16)));
typedef double V4 __attribute__((vector_size(32)));
typedef double V8 __attribute__((vector_size(64)));

namespace base {
typedef V2 Upto4;
typedef V2 Upto8;
#include "engines/SimdLanes.inl"
#include SONVAREK_KERNELS
}  // namespace base

#if defined(__x86_64__) || defined(__i386__)
#define SONVAREK_WIDE_KERNELS 1

// Run only where WideKernelsEnabled() says so.
namespace wide {
#pragma GCC push_options
#pragma GCC target("avx2")
typedef V4 Upto4;
typedef V4 Upto8;
#include "engines/SimdLanes.inl"
#include SONVAREK_KERNELS
#pragma GCC pop_options
}  // namespace wide

// Run only where WidestKernelsEnabled() says so.
namespace widest {
#pragma GCC push_options
#pragma GCC target("avx512f,avx512dq,avx512vl")
typedef V4 Upto4;
typedef V8 Upto8;
#include "engines/SimdLanes.inl"
#include SONVAREK_KERNELS
#pragma GCC pop_options
}  // namespace widest
#endif
