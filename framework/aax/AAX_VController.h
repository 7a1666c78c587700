#pragma once
// Wrapper of the controller interfaces of the host object handed to an effect
// or GUI object. Every operation answers -20004 without the primary interface
// (the second one is held; none of its operations is used).

#include "framework/aax/AAX_IController.h"
#include "framework/aax/HostInterfaceRef.h"
#include "platform/AAX_IHostController.h"

class AAX_VController final : public AAX_IController
{
public:
    explicit AAX_VController(IACFUnknown* hostObject);

    int32_t SampleRate(float* rate) override;
    int32_t InputStemFormat(uint32_t* format) override;
    int32_t OutputStemFormat(uint32_t* format) override;
    int32_t SetSignalLatency(int32_t samples) override;
    int32_t PostPacket(uint32_t field, const void* data, uint32_t sizeBytes) override;

private:
    HostInterfaceRef<AAX_IHostController> controller;
    HostInterfaceRef<IACFUnknown> controller2;
};
