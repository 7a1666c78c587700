#pragma once
// The plug-in base's records of its channels and channel configurations.

#include "framework/core/GrowBuf.h"

#include <cstdint>

// One accepted channel configuration.
struct IChannelIOConfig
{
    int32_t inputs = 0;
    int32_t outputs = 0;
};

// An input channel. Its slot (the channel's entry in the input pointer array
// handed to RunAudioBlock) always points at its scratch buffer: the host's
// float input is converted into it while connected; it is silent while not.
struct IInputChannel
{
    bool connected = false;
    double** slot = nullptr;
    const float* hostInput = nullptr;  // host buffer of the current block, null when none
    GrowBuf scratch{4096};             // blockSize doubles
};

// An output channel: the plug-in writes into the scratch buffer behind its
// slot, and the float wrappers convert it into the host's buffer.
struct IOutputChannel
{
    bool connected = false;
    double** slot = nullptr;
    float* hostOutput = nullptr;  // host buffer of the current block, null when none
    GrowBuf scratch{4096};        // blockSize doubles
};
