#pragma once
// Run-time choice of the wider (AVX2) kernels of the engines and the raster
// layer. The default build targets baseline x86-64; a kernel compiled for
// AVX2 runs only when the processor has it. Both kinds give the same bits:
// no fused multiply-add, same order, exact integer arithmetic. Any thread.

// True when the AVX2 kernels may run: the processor has AVX2 and they have
// not been switched off.
bool WideKernelsEnabled();

// Tests and benchmarks switch the AVX2 kernels off to check or time the
// baseline ones; engine objects pick the setting up at their next Init,
// raster calls at their next call.
void AllowWideKernels(bool allowed);
