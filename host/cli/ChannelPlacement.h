#pragma once
// How an input's channels reach the insert of the instance that measures
// them. Where the host chooses the meter's channel configuration, each
// channel goes to its speaker's place in the configuration that holds every
// speaker the input names (a speaker it lacks is silent), as a user would
// route the track; otherwise, and where a speaker has no place in the
// meter, the channels come as they are, on an insert of their count.

#include "host/cli/input/Speakers.h"

#include <cstdint>
#include <string>
#include <vector>

struct ChannelPlacement
{
    int32_t insertChannels = 0;
    // Insert channel i takes the input's channel from[i]; -1: silence.
    std::vector<int32_t> from;
    // The configurations to give the instance ("EBU Channel Config", "RMS
    // Channel Config"); null: the parameter's default.
    const char* ebuConfig = nullptr;
    const char* rmsConfig = nullptr;
    // Why the channels come as they are where the input named speakers.
    std::string warning;

    bool AsTheyCome() const;
};

// channels as they come, with the configurations of an insert of their
// count.
ChannelPlacement ChannelsAsTheyCome(int32_t channels);

// channels placed by their speakers (empty: the input names none, and the
// common layout of that many is taken: L R, L R Ls Rs, L R C Ls Rs, L R C
// LFE Ls Rs). A single channel, and a count the meter has no insert for,
// come as they are.
ChannelPlacement PlaceChannels(const std::vector<Speaker>& speakers, int32_t channels);
