#include "framework/core/CopyChannelBuffers.h"

#include <cstring>

void CopyChannelBuffers(double* const* src, double* const* dst, int32_t nFrames, int32_t nChannels,
                        int32_t dstOffset)
{
    if (!src || !dst || nFrames <= 0 || dstOffset < 0)
        return;
    for (int32_t i = 0; i < nChannels; ++i)
        if (src[i] && dst[i])
            std::memmove(dst[i] + dstOffset, src[i], static_cast<size_t>(nFrames) * sizeof(double));
}
