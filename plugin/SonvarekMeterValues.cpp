// Sonvarek: the meter values the editor shows.
#include "plugin/Sonvarek.h"

static_assert(MeterSnapshot::kChannels == Sonvarek::kChannels, "a bar per channel of the engines");

namespace {

void CopyBallistics(const PeakBallistics* ballistics, MeterSnapshot* out)
{
    for (int32_t k = 0; k < MeterSnapshot::kChannels; ++k)
    {
        out->barHeld[k] = ballistics[k].held;
        out->barFalling[k] = ballistics[k].falling;
    }
}

}  // namespace

// The audio thread holds the lock for whole blocks and stream changes replace
// the engines under it, so the copy is taken only when the lock is free at
// once: the UI thread never waits on the audio thread, and never sees an
// engine mid-step or mid-replacement.
bool Sonvarek::TakeDueMeterValues(MeterSnapshot* out)
{
    if (!out || (!barsDue.load() && !readoutsDue.load()))
        return false;
    PlatformLock& lock = GetLock();
    if (!lock.TryLock())
        return false;

    MeterSnapshot s;
    s.barsDue = barsDue.exchange(false);
    s.readoutsDue = readoutsDue.exchange(false);
    s.meterType = meterType;
    s.ebuChannelConfig = ebuChannelConfig;
    s.rmsOffset = rmsOffset;
    s.ebuOffset = ebuOffset;
    s.rmsRefLevel = rmsRefLevel;
    s.ebuRefLevel = ebuRefLevel;

    const PeakRmsEngine& rms = *peakRms;
    const LoudnessEngine& ebu = *loudness;
    CopyBallistics(meterType == kMeterTypeRms ? rms.ballistics : ebu.ballistics, &s);
    s.rmsIntegratedDb = rms.GetRmsIntegratedDb();
    s.rmsDb = rms.GetRmsDb();
    s.rmsMaxDb = rms.GetRmsMaxDb();
    s.peakMaxDb = rms.GetPeakMaxDb();
    s.rmsTruePeakMaxDb = rms.GetTruePeakMaxDb();
    s.crestDb = rms.GetCrestDb();
    s.integratedLufs = ebu.integrator.GetIntegratedLoudness();
    s.shortTermLufs = ebu.shortTerm.GetLoudness();
    s.shortTermMaxLufs = ebu.shortTerm.GetMaxLoudness();
    s.momentaryLufs = ebu.momentary.GetLoudness();
    s.momentaryMaxLufs = ebu.momentary.GetMaxLoudness();
    s.ebuTruePeakMaxDb = ebu.GetTruePeakMaxDb();
    s.rangeLu = ebu.range.GetRange();
    s.integratorHasData = ebu.HasData() != 0;
    s.shortTermFilled = ebu.shortTerm.WindowFull() != 0;
    s.momentaryFilled = ebu.momentary.WindowFull() != 0;
    s.rangeHasBlocks = ebu.range.StoredCount() > 0;
    lock.Unlock();

    *out = s;
    return true;
}
