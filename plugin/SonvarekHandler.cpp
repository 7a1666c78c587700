// Sonvarek: the parameter-change and command handler.
#include "plugin/Sonvarek.h"

#include "engines/Decibels.h"
#include "plugin/MeterCommand.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace {

// Sets the flag for its scope; cleared on every way out.
class FlagScope
{
public:
    explicit FlagScope(bool& f) : flag(f) { flag = true; }
    ~FlagScope() { flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag;
};

// Integer mirrors take the value truncated toward zero (values lie within
// their parameter's small range).
int32_t Trunc(double v) { return static_cast<int32_t>(v); }

constexpr double kMinGuiScale = 1.0;
constexpr double kMaxGuiScale = 3.0;

// Stores v in the mirror; true when that changed it.
template <class T>
bool StoreMirror(T& mirror, T v)
{
    if (mirror == v)
        return false;
    mirror = v;
    return true;
}

}  // namespace

struct Sonvarek::ChangeNeeds
{
    bool rebuild = false;       // every measurement restarts
    bool resetPeakRms = false;  // the peak/RMS measurements restart
    bool relabel = false;       // unit texts, caption, channel names, groups
    bool reread = false;        // the same measurements read otherwise (a reference level)
};

void Sonvarek::HandleParamChange(int32_t idx)
{
    PlatformLockGuard guard(GetLock());
    if (IsBusy() || inHandler)
        return;
    FlagScope handling(inHandler);
    ChangeNeeds needs;
    if (idx >= 0 && idx < kMeterParamCount)
        StoreParam(idx, &needs);
    else
        RunCommand(idx, &needs);

    // While the constructor replays "default.fxp" only the mirrors take the
    // values; the engines are made afterwards.
    if (loadingDefault)
        return;
    if (needs.resetPeakRms)
        peakRms->Reset();
    if (needs.rebuild)
        Rebuild();
    // The editor may be painting on its own thread: another thread leaves
    // the controls' texts and visibility to the editor's next tick.
    if (needs.relabel && std::this_thread::get_id() == editorThread)
        UpdateUnitLabels();
    else if (needs.relabel)
        labelsDue.store(true);
    // Audio raises these only while it runs: after the play has ended the
    // view would keep the values of before the change. The refresh reads
    // the settings and engines under the lock held here, so the flags need
    // no ordering of their own.
    const bool restarted = needs.rebuild || needs.resetPeakRms;
    if (restarted)
        barsDue.store(true, std::memory_order_relaxed);
    if (restarted || needs.relabel || needs.reread)
        readoutsDue.store(true, std::memory_order_relaxed);
}

// The reference levels restart nothing: read-outs and publication subtract
// them each time they are read, so a new one only has them read again. A
// value that leaves its mirror as it was (a field pressed and released, a
// menu choosing its current item, a host sending the same value again) asks
// for nothing: the measurements go on.
void Sonvarek::StoreParam(int32_t idx, ChangeNeeds* needs)
{
    const double v = GetParam(idx)->Value();
    switch (idx)
    {
    case kGUIScale:
        if (!StoreMirror(guiScale, v))
            return;
        if (!loadingDefault)
        {
            scaleX = scaleY = v;
            resizePending.store(true);
        }
        return;
    case kType:
        needs->rebuild = needs->relabel = StoreMirror(meterType, Trunc(v));
        return;
    case kSync:
        sync = Trunc(v);
        return;
    case kWriteAutomationData:
        writeAutomation = Trunc(v);
        return;
    case kRMSChannelConfig:
        needs->rebuild = needs->relabel = StoreMirror(rmsChannelConfig, Trunc(v));
        return;
    case kRMSGain:
        needs->resetPeakRms = StoreMirror(rmsGainDb, v);
        return;
    case kRMSRefLevel:
        needs->reread = StoreMirror(rmsRefLevel, v);
        return;
    case kRMSMode:
        needs->rebuild = StoreMirror(rmsMeterMode, Trunc(v));
        return;
    case kRMSWindow:
        needs->rebuild = StoreMirror(rmsWindowMs, v);
        return;
    case kRMSDelta:
        needs->relabel = StoreMirror(rmsOffset, Trunc(v));
        return;
    case kRMSWFilterMode:
        needs->rebuild = StoreMirror(weightingMode, Trunc(v));
        return;
    case kEBUChannelConfig:
        needs->rebuild = needs->relabel = StoreMirror(ebuChannelConfig, Trunc(v));
        return;
    case kEBUGain:
        // The loudness engine keeps its measurements.
        needs->resetPeakRms = StoreMirror(ebuGainDb, v);
        return;
    case kEBURefLevel:
        needs->reread = StoreMirror(ebuRefLevel, v);
        return;
    case kEBUDelta:
        needs->relabel = StoreMirror(ebuOffset, Trunc(v));
        return;
    default:
        // "GUI Layout" is only stored and reported; output parameters are
        // written by the audio path.
        return;
    }
}

void Sonvarek::RunCommand(int32_t idx, ChangeNeeds* needs)
{
    IEditorLink* editor = GetEditor();
    switch (idx)
    {
    case kResetMeters:
        needs->rebuild = needs->relabel = true;
        return;
    case kMatchRMSIntegrated:
    case kMatchRMSMomentaryMax:
    case kMatchPeakMax:
    case kMatchRMSTruePeakMax:
    case kMatchEBUIntegrated:
    case kMatchShortTermMax:
    case kMatchMomentaryMax:
    case kMatchEBUTruePeakMax:
        needs->rebuild = MatchGain(idx);
        return;
    case kResetGUIScale:
        if (editor && editor->IsMouseButtonHeld() && editor->LastPressModifiers().ctrl &&
            !editor->LastPressModifiers().shift)
            ApplyScaleFromEditor(1.0);
        return;
    case kResizeByDrag:
        ResizeByDrag();
        return;
    case kRescanPresets:
        BuildPresetList(false);
        return;
    case kSaveDefaultPreset:
    {
        StringBuf folder;
        GetFormatFolder(&folder);
        SaveDefaultPreset(folder);
        return;
    }
    default:
        return;
    }
}

// Sets the selected gain so that the reading, as displayed, meets the
// reference level. Only a click does it (a mouse button held on the editor),
// and only while the reading means something. The gain stays within its
// parameter's range, as the parameter shows it. True when the gain changed.
bool Sonvarek::MatchGain(int32_t command)
{
    IEditorLink* editor = GetEditor();
    if (!editor || !editor->IsMouseButtonHeld())
        return false;
    const PeakRmsEngine& rms = *peakRms;
    const LoudnessEngine& ebu = *loudness;
    double reading = kFloorDb;
    bool acts = true;
    switch (command)
    {
    case kMatchRMSIntegrated:
        reading = rms.GetRmsIntegratedDb();
        acts = reading > kFloorDb;
        break;
    case kMatchRMSMomentaryMax:
        reading = rms.GetRmsMaxDb();
        acts = reading > kFloorDb;
        break;
    case kMatchPeakMax:
        reading = rms.GetPeakMaxDb();
        break;
    case kMatchRMSTruePeakMax:
        reading = rms.GetTruePeakMaxDb();
        break;
    case kMatchEBUIntegrated:
        reading = ebu.integrator.GetIntegratedLoudness();
        acts = ebu.HasData() != 0 && reading > -70.0;
        break;
    case kMatchShortTermMax:
        reading = ebu.shortTerm.GetMaxLoudness();
        acts = ebu.shortTerm.WindowFull() != 0 && reading > kFloorDb;
        break;
    case kMatchMomentaryMax:
        reading = ebu.momentary.GetMaxLoudness();
        acts = ebu.momentary.WindowFull() != 0 && reading > kFloorDb;
        break;
    default:  // kMatchEBUTruePeakMax
        reading = ebu.GetTruePeakMaxDb();
        break;
    }
    if (!acts)
        return false;

    const bool isRms = command <= kMatchRMSTruePeakMax;
    const int32_t paramIdx = isRms ? kRMSGain : kEBUGain;
    double& gainDb = isRms ? rmsGainDb : ebuGainDb;
    const double refLevel = isRms ? rmsRefLevel : ebuRefLevel;
    double newGain = refLevel - (RoundToTenth(reading) - gainDb);
    if (!std::isfinite(newGain))
        return false;
    const IPlugParam* param = GetParam(paramIdx);
    newGain = std::clamp(newGain, param->Min(), param->Max());
    gainDb = newGain;
    // The controls send it on to the parameter and the host; the handler
    // call that causes returns at once (inHandler).
    editor->SetParamControlsAsUser(paramIdx, newGain, false);
    return true;
}

// The scale that keeps the corner under the pointer, in proportion:
// sqrt of the product of the relative height and width changes. A step
// that shrinks an axis past nothing (a factor below 0: both of them make a
// positive product) gives the smallest scale.
void Sonvarek::ResizeByDrag()
{
    int32_t dx = 0;
    int32_t dy = 0;
    ResizeDragDistance(&dx, &dy);
    if (dx == 0 && dy == 0)
        return;
    const auto w = static_cast<int32_t>(designWidth * scaleX);
    const auto h = static_cast<int32_t>(designHeight * scaleY);
    const double heightFactor = static_cast<double>(dy) / h + 1.0;
    const double widthFactor = static_cast<double>(dx) / w + 1.0;
    const double product = heightFactor * widthFactor;
    double scale = kMinGuiScale;
    if (heightFactor >= 0.0 && widthFactor >= 0.0 && std::isfinite(product) && product > 0.0)
        scale = std::clamp(std::sqrt(product) * guiScale, kMinGuiScale, kMaxGuiScale);
    ApplyScaleFromEditor(scale);
}

void Sonvarek::ApplyScaleFromEditor(double scale)
{
    guiScale = scaleX = scaleY = scale;
    SetParameterFromGUI(kGUIScale, scale, false);
    resizePending.store(true);
}
