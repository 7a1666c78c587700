#pragma once
// The host's controller of one effect instance, as the module uses it.

#include <cstdint>

class AAX_IController
{
public:
    virtual ~AAX_IController() = default;

    virtual int32_t SampleRate(float* rate) = 0;
    // Stem formats: the low 16 bits are the channel count.
    virtual int32_t InputStemFormat(uint32_t* format) = 0;
    virtual int32_t OutputStemFormat(uint32_t* format) = 0;
    virtual int32_t SetSignalLatency(int32_t samples) = 0;
    virtual int32_t PostPacket(uint32_t field, const void* data, uint32_t sizeBytes) = 0;
};
