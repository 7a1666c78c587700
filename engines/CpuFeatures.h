#pragma once
// Run-time choice of the wider (AVX2) kernels. The default build targets
// baseline x86-64; a kernel compiled for AVX2 runs only when the processor
// has it. Both kinds give the same bits: no fused multiply-add, same order.

// True when the AVX2 kernels may run: the processor has AVX2 and they have
// not been switched off.
bool WideKernelsEnabled();

// Tests and benchmarks switch the AVX2 kernels off to check or time the
// baseline ones; objects pick the setting up at their next Init.
void AllowWideKernels(bool allowed);
