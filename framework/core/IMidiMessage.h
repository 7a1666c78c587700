#pragma once

#include <cstdint>

// One short MIDI message as the host hands it over.
struct IMidiMessage
{
    int32_t offset = 0;  // the host's time stamp of the message
    uint8_t status = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0;
};
