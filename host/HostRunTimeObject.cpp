#include "host/HostRunTimeObject.h"

namespace {

const char* Text(const char* text) { return text ? text : "(null)"; }

// Writes value to *out unless the interface is made to fail.
template <class T, class V>
int32_t Reply(StandInHost& host, const ACFUID& iid, T* out, V value)
{
    if (!out)
        return kACFResultNullPointer;
    const int32_t result = host.Outcome(iid);
    if (result == 0)
        *out = static_cast<T>(value);
    return result;
}

}  // namespace

void* HostRunTimeObject::Answer(const ACFUID& iid)
{
    if (iid == kIID_Controller)
        return static_cast<AAX_IHostController*>(this);
    if (iid == kIID_Controller2)
        return Unknown();
    if (iid == kIID_AutomationDelegate)
        return static_cast<AAX_IHostAutomation*>(this);
    if (iid == kIID_Transport)
        return static_cast<AAX_IHostTransport*>(this);
    if (iid == kIID_Transport2)
        return static_cast<AAX_IHostTransport2*>(this);
    return nullptr;
}

int32_t HostRunTimeObject::SampleRate(float* rate)
{
    return Reply(host, kIID_Controller, rate, stream->sampleRate);
}

int32_t HostRunTimeObject::InputStemFormat(uint32_t* format)
{
    return Reply(host, kIID_Controller, format, stream->inputStemFormat);
}

int32_t HostRunTimeObject::OutputStemFormat(uint32_t* format)
{
    return Reply(host, kIID_Controller, format, stream->outputStemFormat);
}

int32_t HostRunTimeObject::SetSignalLatency(int32_t samples)
{
    host.Log("%s.SetSignalLatency(%d)", Label().c_str(), samples);
    return host.Outcome(kIID_Controller);
}

int32_t HostRunTimeObject::PostPacket(uint32_t field, const void*, uint32_t sizeBytes)
{
    host.Log("%s.PostPacket(%u, %u)", Label().c_str(), field, sizeBytes);
    return host.Outcome(kIID_Controller);
}

void HostRunTimeObject::Disconnect()
{
    sink.store(nullptr);
    offeredEffect.store(nullptr);
    stream = &disconnected;
}

int32_t HostRunTimeObject::LookupInterface(const ACFUID& iid, void** out)
{
    IACFUnknown* effect = offeredEffect.load();
    if (iid != kIID_EffectParameters || !effect || !out)
        return HostObject::LookupInterface(iid, out);
    *out = nullptr;
    if (!host.Offers(iid))
        return kACFResultNoInterface;
    // The effect's own lookup retains the effect, not this object.
    return effect->LookupInterface(iid, out);
}

int32_t HostRunTimeObject::LogAutomation(const char* operation, const char* id)
{
    host.Log("%s.%s(\"%s\")", Label().c_str(), operation, Text(id));
    return host.Outcome(kIID_AutomationDelegate);
}

int32_t HostRunTimeObject::Automate(HostAutomationEvent::Kind kind, const char* operation, const char* id,
                                    double value)
{
    const int32_t result = host.Outcome(kIID_AutomationDelegate);
    HostAutomationSink* receiver = sink.load();
    if (receiver && result == 0)
        receiver->OnAutomation(kind, Text(id), value);
    else if (!receiver && (kind == HostAutomationEvent::kRequest || kind == HostAutomationEvent::kReport))
        host.Log("%s.%s(\"%s\", %.6f)", Label().c_str(), operation, Text(id), value);
    else if (!receiver)
        LogAutomation(operation, id);
    if (result == 0 && (kind == HostAutomationEvent::kTouch || kind == HostAutomationEvent::kRelease))
    {
        std::lock_guard<std::mutex> guard(touchLock);
        if (kind == HostAutomationEvent::kTouch)
            touched.insert(Text(id));
        else
            touched.erase(Text(id));
    }
    return result;
}

int32_t HostRunTimeObject::RegisterParameter(const char* id) { return LogAutomation("RegisterParameter", id); }

int32_t HostRunTimeObject::UnregisterParameter(const char* id) { return LogAutomation("UnregisterParameter", id); }

int32_t HostRunTimeObject::RequestParameterValue(const char* id, double normalized)
{
    return Automate(HostAutomationEvent::kRequest, "RequestParameterValue", id, normalized);
}

int32_t HostRunTimeObject::ReportParameterValue(const char* id, double normalized)
{
    return Automate(HostAutomationEvent::kReport, "ReportParameterValue", id, normalized);
}

int32_t HostRunTimeObject::TouchParameter(const char* id)
{
    return Automate(HostAutomationEvent::kTouch, "TouchParameter", id, 0.0);
}

int32_t HostRunTimeObject::ReleaseParameter(const char* id)
{
    return Automate(HostAutomationEvent::kRelease, "ReleaseParameter", id, 0.0);
}

int32_t HostRunTimeObject::ParameterTouchState(const char* id, uint8_t* state)
{
    std::lock_guard<std::mutex> guard(touchLock);
    return Reply(host, kIID_AutomationDelegate, state, touched.count(Text(id)) != 0 ? 1 : 0);
}

int32_t HostRunTimeObject::Tempo(double* beatsPerMinute)
{
    return Reply(host, kIID_Transport, beatsPerMinute, stream->tempo);
}

int32_t HostRunTimeObject::Meter(int32_t* numerator, int32_t* denominator)
{
    if (!denominator)
        return kACFResultNullPointer;
    const int32_t result = Reply(host, kIID_Transport, numerator, stream->meterNumerator);
    if (result == 0)
        *denominator = stream->meterDenominator;
    return result;
}

int32_t HostRunTimeObject::IsPlaying(uint8_t* playing)
{
    return Reply(host, kIID_Transport, playing, stream->playing ? 1 : 0);
}

int32_t HostRunTimeObject::TickPosition(int64_t* ticks)
{
    return Reply(host, kIID_Transport, ticks, stream->tickPosition);
}

int32_t HostRunTimeObject::Loop(uint8_t* looping, int64_t* startTick, int64_t* endTick)
{
    if (!startTick || !endTick)
        return kACFResultNullPointer;
    const int32_t result = Reply(host, kIID_Transport, looping, stream->looping ? 1 : 0);
    if (result == 0)
    {
        *startTick = stream->loopStartTick;
        *endTick = stream->loopEndTick;
    }
    return result;
}

int32_t HostRunTimeObject::SamplePosition(int64_t* samples)
{
    return Reply(host, kIID_Transport2, samples, stream->samplePosition);
}

void* HostViewObject::Answer(const ACFUID& iid)
{
    return iid == kIID_ViewContainer ? static_cast<AAX_IHostViewContainer*>(this) : nullptr;
}

void* HostViewObject::NativeView() { return host.Outcome(kIID_ViewContainer) == 0 ? state->nativeView : nullptr; }

int32_t HostViewObject::HandleParameterMouseDown(const char* id, uint32_t modifiers)
{
    host.Log("%s.HandleParameterMouseDown(\"%s\", 0x%X)", Label().c_str(), Text(id), modifiers);
    const int32_t result = host.Outcome(kIID_ViewContainer);
    if (result != 0)
        return result;
    return state->takesParameterClicks ? 0 : kAAXResultNotImplemented;
}

int32_t HostViewObject::SetViewSize(const AAXViewSize* size)
{
    if (!size)
        return kACFResultNullPointer;
    host.Log("%s.SetViewSize(%.1f, %.1f)", Label().c_str(), size->height, size->width);
    const int32_t result = host.Outcome(kIID_ViewContainer);
    if (result == 0)
        state->size = *size;
    return result;
}

int32_t HostViewObject::HostModifiers(uint32_t* modifiers)
{
    return Reply(host, kIID_ViewContainer, modifiers, state->modifiers);
}
