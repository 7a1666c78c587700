#pragma once
// The plug-in base with the host side answered as by a host that takes
// everything and reports nothing: the base for test plug-ins, which override
// what they record. Header-only.

#include "framework/core/IPlugBase.h"

class StubPlug : public IPlugBase
{
public:
    using IPlugBase::IPlugBase;

    void BeginParamGesture(int32_t) override {}
    void EndParamGesture(int32_t) override {}
    void SendParamToHost(int32_t, double) override {}
    void AnnounceProgramLoaded() override {}
    int32_t QuerySamplePosition() override { return 0; }
    double QueryTempo() override { return 120.0; }
    void QueryMeter(int32_t* numerator, int32_t* denominator) override { *numerator = *denominator = 4; }
    void QueryTransport(ITransportRecord*) override {}
    bool ResizeHostView(int32_t, int32_t, int32_t) override { return true; }
    bool SendMidiToHost(const IMidiMessage&) override { return false; }
};
