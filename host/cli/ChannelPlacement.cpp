#include "host/cli/ChannelPlacement.h"

#include <algorithm>

namespace {

// The places of the meter's loudness configurations; surrounds take side
// and back speakers alike.
enum Place : int8_t
{
    kNoPlace = -1,
    kLeft,
    kRight,
    kCentre,
    kLowFrequency,
    kLeftSurround,
    kRightSurround,
    kPlaces,
};

const char* const kPlaceNames[kPlaces] = {"left", "right", "centre", "low frequency effects", "left surround",
                                          "right surround"};

struct Layout
{
    const char* ebuConfig;
    std::vector<Place> places;  // of the insert's channels, in order
};

// From the fewest channels up: the first that holds an input's places is
// the one a user would insert the meter on.
const Layout kLayouts[] = {
    {"2.0", {kLeft, kRight}},
    {"4.0", {kLeft, kRight, kLeftSurround, kRightSurround}},
    {"4.1", {kLeft, kRight, kLeftSurround, kRightSurround, kLowFrequency}},
    {"5.1", {kLeft, kRight, kCentre, kLowFrequency, kLeftSurround, kRightSurround}},
};

Place PlaceOf(Speaker speaker)
{
    switch (speaker)
    {
    case Speaker::kFrontLeft: return kLeft;
    case Speaker::kFrontRight: return kRight;
    case Speaker::kFrontCentre: return kCentre;
    case Speaker::kLowFrequency: return kLowFrequency;
    case Speaker::kBackLeft:
    case Speaker::kSideLeft: return kLeftSurround;
    case Speaker::kBackRight:
    case Speaker::kSideRight: return kRightSurround;
    default: return kNoPlace;
    }
}

std::vector<Speaker> CommonLayout(int32_t channels)
{
    using S = Speaker;
    switch (channels)
    {
    case 2: return {S::kFrontLeft, S::kFrontRight};
    case 4: return {S::kFrontLeft, S::kFrontRight, S::kBackLeft, S::kBackRight};
    case 5: return {S::kFrontLeft, S::kFrontRight, S::kFrontCentre, S::kBackLeft, S::kBackRight};
    case 6: return {S::kFrontLeft, S::kFrontRight, S::kFrontCentre, S::kLowFrequency, S::kBackLeft, S::kBackRight};
    default: return {};
    }
}

// Why speakers cannot all be placed; empty when they can.
std::string Unplaced(const std::vector<Speaker>& speakers)
{
    std::string why;
    const auto add = [&](const std::string& text) { why += (why.empty() ? "" : "; ") + text; };
    std::vector<size_t> taker(kPlaces, speakers.size());
    for (size_t c = 0; c < speakers.size(); ++c)
    {
        const Speaker speaker = speakers[c];
        const Place place = PlaceOf(speaker);
        if (speaker == Speaker::kUnnamed)
            add("its channel " + std::to_string(c + 1) + " names no speaker");
        else if (place == kNoPlace)
            add(std::string("the meter has no place for its ") + SpeakerName(speaker) + " speaker");
        else if (taker[place] < speakers.size())
            add(std::string("its ") + SpeakerName(speakers[taker[place]]) + " and " + SpeakerName(speaker) +
                " speakers would share the meter's " + kPlaceNames[place]);
        else
            taker[place] = c;
    }
    return why;
}

const char* RmsConfigFor(int32_t insertChannels)
{
    static const char* const kRms[] = {nullptr, "Left", "Stereo", nullptr, "4 Ch.", nullptr, "6 Ch."};
    return insertChannels >= 1 && insertChannels <= 6 ? kRms[insertChannels] : nullptr;
}

}  // namespace

bool ChannelPlacement::AsTheyCome() const
{
    for (size_t i = 0; i < from.size(); ++i)
        if (from[i] != static_cast<int32_t>(i))
            return false;
    return true;
}

ChannelPlacement ChannelsAsTheyCome(int32_t channels)
{
    static const char* const kEbu[] = {nullptr, "1.0", "2.0", nullptr, "4.0", "4.1", "5.1"};
    ChannelPlacement placement;
    placement.insertChannels = channels;
    for (int32_t c = 0; c < channels; ++c)
        placement.from.push_back(c);
    placement.ebuConfig = channels >= 1 && channels <= 6 ? kEbu[channels] : nullptr;
    placement.rmsConfig = RmsConfigFor(channels);
    return placement;
}

ChannelPlacement PlaceChannels(const std::vector<Speaker>& named, int32_t channels)
{
    const std::vector<Speaker> speakers = named.empty() ? CommonLayout(channels) : named;
    if (speakers.size() != static_cast<size_t>(channels) || CommonLayout(channels).empty())
        return ChannelsAsTheyCome(channels);
    if (const std::string why = Unplaced(speakers); !why.empty())
    {
        ChannelPlacement asTheyCome = ChannelsAsTheyCome(channels);
        asTheyCome.warning = why + "; its channels are measured as they come";
        return asTheyCome;
    }
    for (const Layout& layout : kLayouts)
    {
        const auto holds = [&](Speaker speaker) {
            return std::find(layout.places.begin(), layout.places.end(), PlaceOf(speaker)) != layout.places.end();
        };
        if (!std::all_of(speakers.begin(), speakers.end(), holds))
            continue;
        ChannelPlacement placement;
        placement.insertChannels = static_cast<int32_t>(layout.places.size());
        for (const Place place : layout.places)
        {
            const auto at = std::find_if(speakers.begin(), speakers.end(),
                                         [&](Speaker speaker) { return PlaceOf(speaker) == place; });
            placement.from.push_back(at == speakers.end() ? -1 : static_cast<int32_t>(at - speakers.begin()));
        }
        placement.ebuConfig = layout.ebuConfig;
        placement.rmsConfig = RmsConfigFor(placement.insertChannels);
        return placement;
    }
    return ChannelsAsTheyCome(channels);
}
