#pragma once
// Run-time choice of the wider (AVX2) kernels of the engines and the raster
// layer, and of the engines' widest (AVX-512) ones. The default build targets
// baseline x86-64; a kernel compiled for AVX2 or AVX-512 runs only when the
// processor has it. Every kind gives the same bits: no fused multiply-add,
// same order, exact integer arithmetic. Any thread.

// True when the AVX2 kernels may run: the processor has AVX2 and they have
// not been switched off.
bool WideKernelsEnabled();

// Tests and benchmarks switch the AVX2 kernels off to check or time the
// baseline ones; engine objects pick the setting up at their next Init,
// raster calls at their next call.
void AllowWideKernels(bool allowed);

// True when the AVX-512 kernels may run: the processor and its system have
// AVX-512 (F, DQ and VL), the AVX2 kernels may run and these have not been
// switched off.
bool WidestKernelsEnabled();

// Tests and benchmarks switch the AVX-512 kernels off to check or time the
// AVX2 ones; engine objects pick the setting up at their next Init.
void AllowWidestKernels(bool allowed);
