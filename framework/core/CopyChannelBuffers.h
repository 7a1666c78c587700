#pragma once

#include <cstdint>

// Copies nFrames doubles from src[i] to dst[i] + dstOffset for every channel i
// below nChannels whose source and destination are both non-null. The caller
// keeps dstOffset + nFrames within the destination buffers.
// Audio thread; allocates nothing.
void CopyChannelBuffers(double* const* src, double* const* dst, int32_t nFrames, int32_t nChannels,
                        int32_t dstOffset);
