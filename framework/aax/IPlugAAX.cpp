// IPlugAAX: construction, parameters both ways, transport queries, the view
// size and latency.

#include "framework/aax/IPlugAAX.h"

#include "framework/aax/BoundaryGuard.h"
#include "framework/aax/HostParameterFactory.h"
#include "framework/aax/ParamID.h"
#include "platform/AAX_ITransport.h"

#include <algorithm>
#include <cmath>

namespace {

// The host's answer to a value the plug-in sent comes back through the host
// parameter's taper, a few ulps off; the plug-in parameter keeps its plain
// value exactly then (a restored state stays as it was stored). No host
// moves a parameter by so little on purpose.
constexpr double kEchoTolerance = 1e-12;

}  // namespace

IPlugAAX::IPlugAAX(int32_t nParams, const char* ioString, int32_t nPresets, const char* effectName,
                   const char* productName, const char* makerName, int32_t version, int32_t uniqueId,
                   int32_t makerId, int32_t latency, bool takesMidi, bool doesChunks, bool isInstrument,
                   int32_t sideChainInputs)
    : IPlugBase(nParams, ioString, nPresets, effectName, productName, makerName, version, uniqueId, makerId, latency,
                takesMidi, doesChunks, isInstrument, kPlugApiAAX),
      sideChainInputs(sideChainInputs)
{
    SetInputChannelConnections(0, NInChannels(), true);
    SetOutputChannelConnections(0, NOutChannels(), true);
    CreateDelayLine();
    IPlugBase::ChangeBlockSize(kBlockSize);
    SetHost("ProTools", version);
}

IPlugAAX::~IPlugAAX()
{
    // The host parameters' tapers read the plug-in's parameters, which the
    // IPlugBase part deletes after this part is gone; detach here, so they
    // go while everything they use still stands.
    DetachFromHost();
}

// ---- Host parameters ------------------------------------------------------------

int32_t IPlugAAX::AttachToHost(IACFUnknown* hostObject)
{
    PlatformLockGuard guard(GetLock());
    hostTransport = nullptr;
    return AAX_CEffectParameters::AttachToHost(hostObject);
}

int32_t IPlugAAX::DetachFromHost()
{
    PlatformLockGuard guard(GetLock());
    hostTransport = nullptr;
    return AAX_CEffectParameters::DetachFromHost();
}

// Called inside the base's guarded attach.
int32_t IPlugAAX::CreateAAXParameters()
{
    std::unique_ptr<AAX_CParameter<bool>> bypass = MakeMasterBypassParameter();
    AAX_CParameter<bool>* kept = bypass.get();
    if (Registry().Add(std::move(bypass)))
        SetMasterBypassParameter(kept);
    for (int32_t i = 0; i < NParams(); ++i)
        Registry().Add(MakeHostParameter(*GetParam(i), ParamIDOfIndex(i)));

    float rate = 0.0f;
    AAX_IController* controller = Controller();
    if (controller && controller->SampleRate(&rate) == 0 && std::isfinite(rate) && rate > 0.0f)
        SetSampleRate(rate);
    PrepareStream();
    return 0;
}

int32_t IPlugAAX::ApplyHostParamValue(const char* id, double value, int32_t)
{
    const int32_t applied = GuardBoundary([&] {
        PlatformLockGuard guard(GetLock());
        const int32_t result = ApplyValueToParameter(id, value);
        const int32_t idx = ParamIndexOfID(id, NParams());
        if (result != 0 || idx < 0)
            return result;
        IPlugParam* param = GetParam(idx);
        const double unit = ClampNormalized(value);
        if (std::fabs(param->GetUnitValue() - unit) > kEchoTolerance)
            param->SetUnitValue(unit);
        if (IEditorLink* editor = GetEditor())
            editor->PushParamToControls(idx, param->GetUnitValue(), true);
        HandleParamChange(idx);
        return 0;
    });
    return applied != 0 ? applied : FinishHostValueChange(id);
}

void IPlugAAX::BeginParamGesture(int32_t idx)
{
    PlatformLockGuard guard(GetLock());
    BeginTouch(ParamIDOfIndex(idx));
}

void IPlugAAX::EndParamGesture(int32_t idx)
{
    PlatformLockGuard guard(GetLock());
    EndTouch(ParamIDOfIndex(idx));
}

void IPlugAAX::SendParamToHost(int32_t idx, double unit)
{
    PlatformLockGuard guard(GetLock());
    AssignNormalized(ParamIDOfIndex(idx), unit);
}

// ---- Transport ------------------------------------------------------------------

int32_t IPlugAAX::QuerySamplePosition()
{
    PlatformLockGuard guard(GetLock());
    int64_t samples = 0;
    if (!hostTransport || hostTransport->SamplePosition(&samples) != 0)
        return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(samples)));
}

double IPlugAAX::QueryTempo()
{
    PlatformLockGuard guard(GetLock());
    double tempo = 0.0;
    if (hostTransport && hostTransport->Tempo(&tempo) == 0)
        return tempo;
    return ITransportRecord().tempo;
}

void IPlugAAX::QueryMeter(int32_t* numerator, int32_t* denominator)
{
    PlatformLockGuard guard(GetLock());
    int32_t n = 0;
    int32_t d = 0;
    if (!hostTransport || hostTransport->Meter(&n, &d) != 0)
    {
        const ITransportRecord defaults;
        n = defaults.numerator;
        d = defaults.denominator;
    }
    if (numerator)
        *numerator = n;
    if (denominator)
        *denominator = d;
}

void IPlugAAX::QueryTransport(ITransportRecord* transport)
{
    PlatformLockGuard guard(GetLock());
    if (!transport || !hostTransport)
        return;
    const AAX_ITransport& host = *hostTransport;
    double tempo = 0.0;
    if (host.Tempo(&tempo) == 0)
        transport->tempo = tempo;
    uint8_t flag = 0;
    if (host.IsPlaying(&flag) == 0)
        transport->playing = flag != 0;
    int32_t numerator = 0;
    int32_t denominator = 0;
    if (host.Meter(&numerator, &denominator) == 0)
    {
        transport->numerator = numerator;
        transport->denominator = denominator;
    }
    int64_t ticks = 0;
    if (host.TickPosition(&ticks) == 0)
        transport->quarterNotePosition = static_cast<double>(ticks) / kAAXTicksPerQuarterNote;
    int64_t samples = 0;
    if (host.SamplePosition(&samples) == 0)
        transport->samplePosition = static_cast<double>(samples);
    int64_t loopStart = 0;
    int64_t loopEnd = 0;
    if (host.Loop(&flag, &loopStart, &loopEnd) == 0)
    {
        transport->looping = flag != 0;
        transport->cycleStart = static_cast<double>(loopStart) / kAAXTicksPerQuarterNote;
        transport->cycleEnd = static_cast<double>(loopEnd) / kAAXTicksPerQuarterNote;
    }
}

// ---- View and latency -----------------------------------------------------------

bool IPlugAAX::ResizeHostView(int32_t width, int32_t height, int32_t flag)
{
    if (!GetEditor())
        return false;
    const AAXViewSize size = {static_cast<float>(height), static_cast<float>(width)};
    const bool taken = viewContainer && viewContainer->SetViewSize(size) == 0;
    OnEditorResized(flag);
    return taken;
}

void IPlugAAX::ChangeLatency(int32_t frames)
{
    PlatformLockGuard guard(GetLock());
    frames = std::max(frames, 0);
    if (AAX_IController* controller = Controller())
        controller->SetSignalLatency(frames);
    IPlugBase::ChangeLatency(frames);
}
