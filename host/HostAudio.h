#pragma once
// Planar float audio as a host hands it to a render call: one buffer per
// channel and the array of their pointers.

#include <cstddef>
#include <cstdint>
#include <vector>

class HostAudio
{
public:
    HostAudio(int32_t channels, int32_t frames, float fill = 0.0f)
        : frames(frames), data(static_cast<size_t>(channels), std::vector<float>(static_cast<size_t>(frames), fill))
    {
        for (std::vector<float>& channel : data)
            pointers.push_back(channel.data());
    }
    // A copy would point into the original; a move keeps the buffers.
    HostAudio(const HostAudio&) = delete;
    HostAudio& operator=(const HostAudio&) = delete;
    HostAudio(HostAudio&&) = default;
    HostAudio& operator=(HostAudio&&) = default;

    float* const* Buffers() { return pointers.data(); }
    const float* const* Buffers() const { return pointers.data(); }
    std::vector<float>& Channel(int32_t c) { return data[static_cast<size_t>(c)]; }
    const std::vector<float>& Channel(int32_t c) const { return data[static_cast<size_t>(c)]; }
    int32_t Channels() const { return static_cast<int32_t>(data.size()); }
    int32_t Frames() const { return frames; }

private:
    int32_t frames;
    std::vector<std::vector<float>> data;
    std::vector<float*> pointers;
};
