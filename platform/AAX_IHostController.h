#pragma once
// The host's controller of one effect instance (kIID_Controller). The second
// interface, kIID_Controller2, is held but none of its operations is called.

#include "platform/IACFUnknown.h"

class AAX_IHostController : public IACFUnknown
{
public:
    virtual int32_t SampleRate(float* rate) = 0;
    // Stem formats: the low 16 bits are the channel count.
    virtual int32_t InputStemFormat(uint32_t* format) = 0;
    virtual int32_t OutputStemFormat(uint32_t* format) = 0;
    virtual int32_t SetSignalLatency(int32_t samples) = 0;
    // Posts sizeBytes of data to the context field of every instance.
    virtual int32_t PostPacket(uint32_t field, const void* data, uint32_t sizeBytes) = 0;

protected:
    ~AAX_IHostController() = default;
};
