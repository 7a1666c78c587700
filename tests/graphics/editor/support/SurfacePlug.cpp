#include "SurfacePlug.h"

#include "platform/FourCharCode.h"

SurfacePlug::SurfacePlug(int32_t plugApi)
    : StubPlug(kSurfaceParams, "2-2", 1, "Test", "Product", "Maker", 0x00010000,
                static_cast<int32_t>(FourCharCode("QZ17")), static_cast<int32_t>(FourCharCode("QZLV")), 0, false,
                false, false, plugApi)
{
    GetParam(kParamGain)->InitRange("Gain", -20.0, -60.0, 0.0, 0.1, "dB");
    GetParam(kParamCount)->InitIntRange("Count", 3, 0, 10, "x");
    GetParam(kParamMode)->InitChoice("Mode", 1, 3);
    GetParam(kParamMode)->AddDisplayText(0, "RMS");
    GetParam(kParamMode)->AddDisplayText(1, "EBU");
    GetParam(kParamMode)->AddDisplayText(2, "Peak");
    GetParam(kParamFixed)->InitRange("Fixed", 5.0, 5.0, 5.0, 0.0);
}

bool SurfacePlug::ResizeHostView(int32_t width, int32_t height, int32_t flag)
{
    hostViewSizes.push_back(std::to_string(width) + " x " + std::to_string(height) + " " + std::to_string(flag));
    return true;
}
