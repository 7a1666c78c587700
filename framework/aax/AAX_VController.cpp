#include "framework/aax/AAX_VController.h"

#include "platform/AAXResults.h"

namespace {

using Host = AAX_IHostController;
constexpr int32_t kMissing = kAAXResultMissingInterface;

}  // namespace

AAX_VController::AAX_VController(IACFUnknown* hostObject)
{
    controller.Lookup(hostObject, kIID_Controller);
    controller2.Lookup(hostObject, kIID_Controller2);
}

int32_t AAX_VController::SampleRate(float* rate) { return CallHost(controller, kMissing, &Host::SampleRate, rate); }

int32_t AAX_VController::InputStemFormat(uint32_t* format)
{
    return CallHost(controller, kMissing, &Host::InputStemFormat, format);
}

int32_t AAX_VController::OutputStemFormat(uint32_t* format)
{
    return CallHost(controller, kMissing, &Host::OutputStemFormat, format);
}

int32_t AAX_VController::SetSignalLatency(int32_t samples)
{
    return CallHost(controller, kMissing, &Host::SetSignalLatency, samples);
}

int32_t AAX_VController::PostPacket(uint32_t field, const void* data, uint32_t sizeBytes)
{
    return CallHost(controller, kMissing, &Host::PostPacket, field, data, sizeBytes);
}
