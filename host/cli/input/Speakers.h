#pragma once
// The speakers an input's channels are for, as its file names them in a
// WAVE channel mask. (The audio library's channel maps of CAF and AIFF are
// not asked for: it copies out as many channels as the file has from a map
// it sized by the layout, or by the channels known when it met the map.)

#include <cstdint>
#include <vector>

// The WAVE channel mask's bits, in its order.
enum class Speaker : int8_t
{
    kFrontLeft,
    kFrontRight,
    kFrontCentre,
    kLowFrequency,
    kBackLeft,
    kBackRight,
    kFrontLeftOfCentre,
    kFrontRightOfCentre,
    kBackCentre,
    kSideLeft,
    kSideRight,
    kTopCentre,
    kTopFrontLeft,
    kTopFrontCentre,
    kTopFrontRight,
    kTopBackLeft,
    kTopBackCentre,
    kTopBackRight,
    kUnnamed,  // a channel beyond those its file names
};

// "front left", "low frequency effects", ...
const char* SpeakerName(Speaker speaker);

// The speakers of channels channels by a WAVE channel mask: each channel
// takes the next bit set, from the lowest; channels beyond the bits set are
// unnamed. Empty for a mask of 0, which names none.
std::vector<Speaker> SpeakersOfMask(uint32_t mask, uint32_t channels);
