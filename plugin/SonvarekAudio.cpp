// Sonvarek: the audio path and the publication of the meter values.
#include "plugin/Sonvarek.h"

#include "engines/Decibels.h"
#include "framework/core/CopyChannelBuffers.h"

#include <algorithm>

namespace {

// The channels the selected type measures (and scales): one contiguous run.
RmsChannelRange ActiveChannels(int32_t meterType, int32_t rmsChannelConfig, int32_t ebuChannelConfig)
{
    if (meterType == kMeterTypeRms)
        return RmsActiveChannels(static_cast<RmsChannelConfig>(rmsChannelConfig));
    return {0, kEbuChannelsInUse[ClampEbuConfig(ebuChannelConfig)]};
}

// dB to a factor; at or below the floor the channel is muted.
double GainFactor(double gainDb) { return gainDb > kFloorDb ? DbToGain(gainDb) : 0.0; }

int32_t CountConnected(const IPlugBase& plug, int32_t count, bool inputs)
{
    int32_t n = 0;
    for (int32_t k = 0; k < count; ++k)
        n += (inputs ? plug.IsInputConnected(k) : plug.IsOutputConnected(k)) ? 1 : 0;
    return n;
}

}  // namespace

// The settings cannot change during a block (they change under the lock the
// render path holds), nor can the host's transport, which each render call
// reports once: gain, channel activity and transport are taken per block.
// The engines run in pieces that end where publication fires, so that the
// values published are those after exactly that frame. A call that finds the
// transport stopped after it played ends the periods under way before its
// own frames, also when it has none: what follows the last publication of a
// play reaches the host and the editor too.
void Sonvarek::RunAudioBlock(double** inputs, double** outputs, int32_t nFrames)
{
    ITransportRecord transport;
    QueryTransport(&transport);
    if (transportWasPlaying && !transport.playing)
        EndPeriodsAtStop();
    transportWasPlaying = transport.playing;
    if (nFrames <= 0)
        return;
    const int32_t nIn = inputs ? CountConnected(*this, NInChannels(), true) : 0;
    const int32_t nOut = outputs ? CountConnected(*this, NOutChannels(), false) : 0;

    // Scale the active channels in place; the engines see the others as 0.0.
    const RmsChannelRange active = ActiveChannels(meterType, rmsChannelConfig, ebuChannelConfig);
    const double g = GainFactor(meterType == kMeterTypeRms ? rmsGainDb : ebuGainDb);
    double* channel[kChannels] = {};
    for (int32_t k = active.first; k < active.first + active.count; ++k)
    {
        double* x = k < nIn ? inputs[k] : nullptr;
        if (!x)
            continue;
        if (g != 1.0)  // x × 1.0 is x for every double
            for (int32_t i = 0; i < nFrames; ++i)
                x[i] *= g;
        channel[k] = x;
    }

    bool measure = true;
    if (sync != 0)
    {
        if (transport.playing && !lastPlaying)
            ResetForTransportStart();
        lastPlaying = transport.playing;
        measure = transport.playing;
    }

    for (int32_t start = 0; start < nFrames;)
    {
        const int32_t n = std::min(nFrames - start, publishTimer.FramesToNext());
        if (meterType == kMeterTypeRms)
            RunRmsFrames(channel, start, n, measure);
        else
            RunEbuFrames(channel, start, n, measure);
        if (barTimer.Advance(n))
            barsDue.store(true, std::memory_order_relaxed);
        if (readoutTimer.Advance(n))
            readoutsDue.store(true, std::memory_order_relaxed);
        if (publishTimer.Advance(n) && writeAutomation != 0)
            PublishMeterValues();
        start += n;
    }

    if (!outputs)
        return;
    const int32_t copied = std::min(nOut, nIn);
    CopyChannelBuffers(inputs, outputs, nFrames, copied, 0);
    // An output that receives no input is silent: its buffer may still hold
    // an earlier block's audio. One the host does not connect reaches no one
    // (its buffer was silenced when it was disconnected).
    for (int32_t k = 0; k < NOutChannels(); ++k)
        if (outputs[k] && IsOutputConnected(k) && (k >= copied || !inputs[k]))
            std::fill(outputs[k], outputs[k] + nFrames, 0.0);
}

// Ballistics on every frame; peaks, weighting and the window only while
// measuring. Only the active channels are filtered: the engine reads no other
// channel's weighted sample, and every change of activity rebuilds the
// filters (state cleared), so an idle filter's state is never read either.
void Sonvarek::RunRmsFrames(double* const* channel, int32_t start, int32_t n, bool measure)
{
    PeakRmsEngine& engine = *peakRms;
    const auto config = static_cast<RmsChannelConfig>(rmsChannelConfig);
    const RmsChannelRange active = RmsActiveChannels(config);
    const int32_t weightCode = PeakRmsEngine::WeightCodeFor(static_cast<WeightingMode>(weightingMode));
    for (int32_t i = start; i < start + n; ++i)
    {
        double e[kChannels];
        for (int32_t k = 0; k < kChannels; ++k)
            e[k] = channel[k] ? channel[k][i] : 0.0;
        engine.ProcessBallistics(e[0], e[1], e[2], e[3], e[4], e[5], 1.0, config);
        if (!measure)
            continue;
        engine.ProcessPeak(e[0], e[1], e[2], e[3], e[4], e[5], 1.0, config);
        double w[kChannels] = {};
        for (int32_t k = active.first; k < active.first + active.count; ++k)
            w[k] = weighting[k].Process(e[k]);
        engine.ProcessRms(w[0], w[1], w[2], w[3], w[4], w[5], 1.0, config, weightCode);
    }
}

// The engine's block form is exactly its per-frame peak and loudness calls.
void Sonvarek::RunEbuFrames(double* const* channel, int32_t start, int32_t n, bool measure)
{
    const double* in[kChannels];
    for (int32_t k = 0; k < kChannels; ++k)
        in[k] = channel[k] ? channel[k] + start : nullptr;
    loudness->ProcessBlock(in, kChannels, n, ebuChannelConfig, measure ? 1 : 0);
}

// A timer that has counted no frame since it fired has nothing to add: a play
// that ends on a period publishes nothing more. The counters run on.
void Sonvarek::EndPeriodsAtStop()
{
    if (barTimer.Counting())
        barsDue.store(true, std::memory_order_relaxed);
    if (readoutTimer.Counting())
        readoutsDue.store(true, std::memory_order_relaxed);
    if (publishTimer.Counting() && writeAutomation != 0)
        PublishMeterValues();
}

void Sonvarek::ResetForTransportStart()
{
    peakRms->Reset();
    loudness->Reset();
    for (WeightingFilter& filter : weighting)
        filter.Clear();
}

void Sonvarek::PublishMeterValues()
{
    if (meterType == kMeterTypeRms)
    {
        const PeakRmsEngine& e = *peakRms;
        const double r = rmsOffset == 1 ? rmsRefLevel : 0.0;
        PublishValue(kOutRMSIL, e.GetRmsIntegratedDb() - r);
        PublishValue(kOutRMSML, e.GetRmsDb() - r);
        PublishValue(kOutRMSMLMax, e.GetRmsMaxDb() - r);
        PublishValue(kOutRMSPeakMax, e.GetPeakMaxDb());
        PublishValue(kOutRMSTPMax, e.GetTruePeakMaxDb());
        PublishValue(kOutRMSCrest, e.GetCrestDb());  // -144.0 before any signal: clamped to 0.0
        return;
    }
    const LoudnessEngine& e = *loudness;
    const double r = ebuOffset == 1 ? ebuRefLevel : 0.0;
    PublishValue(kOutEBUIL, e.integrator.GetIntegratedLoudness() - r);
    PublishValue(kOutEBUML, e.momentary.GetLoudness() - r);
    PublishValue(kOutEBUMLMax, e.momentary.GetMaxLoudness() - r);
    PublishValue(kOutEBUSL, e.shortTerm.GetLoudness() - r);
    PublishValue(kOutEBUSLMax, e.shortTerm.GetMaxLoudness() - r);
    PublishValue(kOutEBUTPMax, e.GetTruePeakMaxDb());
    PublishValue(kOutEBULRA, e.range.GetRange());
}

void Sonvarek::PublishValue(int32_t paramIdx, double value)
{
    IPlugParam* param = GetParam(paramIdx);
    const double unit = param->MapToUnit(value);
    param->SetValue(value);
    SendParamToHost(paramIdx, unit);
}
