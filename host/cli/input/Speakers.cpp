#include "host/cli/input/Speakers.h"

#include <cstddef>

const char* SpeakerName(Speaker speaker)
{
    static const char* const kNames[] = {
        "front left",    "front right",     "front centre",         "low frequency effects",
        "back left",     "back right",      "front left of centre", "front right of centre",
        "back centre",   "side left",       "side right",           "top centre",
        "top front left", "top front centre", "top front right",    "top back left",
        "top back centre", "top back right", "unnamed",
    };
    static_assert(sizeof kNames / sizeof kNames[0] == static_cast<size_t>(Speaker::kUnnamed) + 1);
    return kNames[static_cast<int>(speaker)];
}

std::vector<Speaker> SpeakersOfMask(uint32_t mask, uint32_t channels)
{
    std::vector<Speaker> speakers;
    if (mask == 0)
        return speakers;
    constexpr int kMaskSpeakers = static_cast<int>(Speaker::kTopBackRight) + 1;
    for (int bit = 0; bit < kMaskSpeakers && speakers.size() < channels; ++bit)
        if (mask & (uint32_t{1} << bit))
            speakers.push_back(static_cast<Speaker>(bit));
    speakers.resize(channels, Speaker::kUnnamed);
    return speakers;
}
