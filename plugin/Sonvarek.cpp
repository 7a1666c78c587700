// Sonvarek: construction, DSP set-up, stream changes and teardown.
#include "plugin/Sonvarek.h"

#include "framework/aax/SonvarekDescription.h"
#include "plugin/MeterPresetParams.h"
#include "plugin/SonvarekEditor.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace {

constexpr const char* kChannelFormats = "1-1 2-2 4-4 5-5 6-6";

// trunc(periodMs × 0.001 × sampleRate), within int32.
int32_t PeriodSamples(double periodMs, double rate)
{
    const double frames = periodMs * 0.001 * rate;
    if (!(frames > 0.0))
        return 0;
    if (frames >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(frames);
}

// trunc(scale × design size) in pixels.
int32_t ScaledSize(double scale, double designSize) { return static_cast<int32_t>(scale * designSize); }

}  // namespace

Sonvarek::Sonvarek()
    : SonvarekBinding(kMeterParamCount, kChannelFormats, kFactoryPresetCount, "Sonvarek", "", "Fennoryx", 0x10200,
                      static_cast<int32_t>(kSonvarekProductID), static_cast<int32_t>(kSonvarekManufacturerID), 0,
                      false, false, false, 0)
{
    if (NParams() != kMeterParamCount)
        throw std::bad_alloc();
    sampleRate = GetSampleRate();
    blockSize = GetBlockSize();
    numInputs = NInChannels();
    numOutputs = NOutChannels();

    InitLevelDefaults();
    designWidth = kDesignWidth;
    designHeight = kDesignHeight;
    guiScale = 1.0;
    guiLayout = 1;
    scaleX = scaleY = 1.0;
    SetEditorSize(ScaledSize(1.0, kDesignWidth), ScaledSize(1.0, kDesignHeight));
    InitParams();

    AttachEditor(CreateSonvarekEditor(*this, ScaledSize(scaleX, kDesignWidth), ScaledSize(scaleY, kDesignHeight),
                                      kEditorFramesPerSecond));

    IPlugPathes::SetOwner(this);
    BuildDataPath();
    IPlugPresetmanager::SetOwner(this);
    GetProductFolder(&UserPresetFolder());
    GetFormatFolder(&DefaultPresetFolder());
    SetBusy(false);
    SetFactoryPresetCount(0);
    loadingDefault = false;
    MarkPresetParams(kMeterParamCount, kMeterPresetParams);

    // The handler ignores every call while the presets are made and loaded.
    SetBusy(true);
    CaptureDefaultPreset(DefaultPreset());
    SetFactoryPresetCount(MakeFactoryPresets());
    ScanUserPresets(StringBuf(UserPresetFolder()));
    const bool defaultLoaded = LoadDefaultPreset(StringBuf(DefaultPresetFolder()));
    SetBusy(false);
    if (defaultLoaded)
        ApplyLoadedDefault();

    InitDSP();

    BuildFaceArt();
    ScaleFaceArt();
    BuildEditor(Surface(), 0);
    UpdateUnitLabels();
}

// The engines go first, then the artwork (no window is left to draw it); the
// preset manager, the folders and then the base (which deletes the editor and
// its controls, which do not touch the artwork as they go) follow as the
// bases unwind.
Sonvarek::~Sonvarek()
{
    peakRms.reset();
    loudness.reset();
    if (IEditorLink* editor = GetEditor())
        editor->CloseEditorWindow();
    faceArt.reset();
}

void Sonvarek::InitLevelDefaults()
{
    barPeriodMs = 50.0;
    readoutPeriodMs = 200.0;
    publishPeriodMs = 50.0;

    meterType = kMeterTypeRms;
    sync = 0;
    writeAutomation = 0;
    rmsChannelConfig = static_cast<int32_t>(RmsChannelConfig::Stereo);
    rmsMeterMode = static_cast<int32_t>(RmsMeterMode::Sum);
    rmsWindowMs = 600.0;
    rmsGainDb = 0.0;
    rmsRefLevel = -18.0;
    rmsOffset = 0;
    weightingMode = static_cast<int32_t>(WeightingMode::Flat);
    ebuChannelConfig = kEbuStereo;
    ebuGainDb = 0.0;
    ebuRefLevel = -23.0;
    ebuOffset = 0;
}

void Sonvarek::ApplyLoadedDefault()
{
    loadingDefault = true;
    for (int32_t i = 0; i < kMeterParamCount; ++i)
    {
        inHandler = false;
        HandleParamChange(i);
    }
    scaleX = scaleY = guiScale;
    SetEditorSize(ScaledSize(guiScale, kDesignWidth), ScaledSize(guiScale, kDesignHeight));
    loadingDefault = false;
    InitParams();
}

void Sonvarek::InitDSP()
{
    PlatformLockGuard guard(GetLock());
    // Everything that allocates comes first, so that a failure leaves the
    // running engines as they were.
    auto newPeakRms = std::make_unique<PeakRmsEngine>();
    newPeakRms->Init(10.0, 10000.0, sampleRate);
    ConfigureRms(*newPeakRms);
    auto newLoudness = std::make_unique<LoudnessEngine>();
    newLoudness->Init(sampleRate);

    barTimer = {PeriodSamples(barPeriodMs, sampleRate), 0};
    readoutTimer = {PeriodSamples(readoutPeriodMs, sampleRate), 0};
    publishTimer = {PeriodSamples(publishPeriodMs, sampleRate), 0};
    peakRms = std::move(newPeakRms);
    loudness = std::move(newLoudness);
    SetUpWeighting();
}

// Steps of 100 ms, or a quarter of the window when that is shorter.
void Sonvarek::ConfigureRms(PeakRmsEngine& engine) const
{
    engine.SetRmsWindow(rmsWindowMs, 1.0 - 100.0 / std::max(400.0, rmsWindowMs));
    engine.SetRmsMode(static_cast<RmsMeterMode>(rmsMeterMode));
}

void Sonvarek::SetUpWeighting()
{
    for (WeightingFilter& filter : weighting)
        filter.Setup(static_cast<WeightingMode>(weightingMode), sampleRate, 300.0, 0, 3400.0, 0);
}

void Sonvarek::Rebuild()
{
    ConfigureRms(*peakRms);
    peakRms->Reset();
    loudness->Reset();
    SetUpWeighting();
}

void Sonvarek::PrepareStream()
{
    PlatformLockGuard guard(GetLock());
    const double rate = GetSampleRate();
    if ((rate != sampleRate || GetBlockSize() != blockSize) && std::isfinite(rate) && rate > 0.0)
    {
        const double oldRate = sampleRate;
        const int32_t oldBlockSize = blockSize;
        sampleRate = rate;
        blockSize = GetBlockSize();
        try
        {
            InitDSP();
        }
        catch (const std::bad_alloc&)
        {
            // The old engines run on; the next stream change tries again.
            sampleRate = oldRate;
            blockSize = oldBlockSize;
        }
    }
    numInputs = NInChannels();
    numOutputs = NOutChannels();
}
