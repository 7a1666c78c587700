#include "framework/core/IChannelDelayLine.h"

#include <algorithm>
#include <cstring>
#include <limits>

IChannelDelayLine::IChannelDelayLine(int32_t nIn, int32_t nOut, int32_t frames)
    : inputs(std::max(nIn, 0)), outputs(std::max(nOut, 0))
{
    SetLength(frames);
}

void IChannelDelayLine::SetLength(int32_t frames)
{
    frames = std::max(frames, 0);
    const int64_t bytes = int64_t{inputs} * frames * int64_t{sizeof(double)};
    position = 0;
    const bool fits = bytes <= std::numeric_limits<int32_t>::max();
    if (fits)
        ring.Resize(static_cast<int32_t>(bytes), true);
    if (!fits || ring.GetSize() != bytes)
    {
        length = 0;
        return;
    }
    length = frames;
    if (bytes > 0)
        std::memset(Ring(), 0, static_cast<size_t>(bytes));
}

void IChannelDelayLine::Process(double* const* in, double* const* out, int32_t nFrames)
{
    if (!in || nFrames <= 0)
        return;
    const int32_t channels = std::min(inputs, outputs);
    if (length <= 0)
    {
        if (out)
            for (int32_t c = 0; c < channels; ++c)
                if (in[c] && out[c] && in[c] != out[c])
                    std::memcpy(out[c], in[c], static_cast<size_t>(nFrames) * sizeof(double));
        return;
    }
    double* r = Ring();
    for (int32_t f = 0; f < nFrames; ++f)
    {
        for (int32_t c = 0; c < channels; ++c)
        {
            if (!in[c])
                continue;
            double& slot = r[int64_t{length} * c + position];
            const double x = in[c][f];
            if (out && out[c])
                out[c][f] = slot;
            slot = x;
        }
        if (++position == length)
            position = 0;
    }
}
