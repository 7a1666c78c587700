// Sonvarek: the factory presets.
#include "plugin/Sonvarek.h"

namespace {

constexpr int32_t kNoFilter = -1;

// One factory preset beyond "Init" and "Factory Default". Every one also sets
// "RMS Channel Config" "Stereo", "RMS Gain" 0.0, "RMS Meter Mode" "SUM" and
// "EBU Gain" 0.0; only a preset with a filter sets the weighting filter.
struct FactoryPreset
{
    const char* name;
    int32_t type;
    double rmsRefLevel;
    double rmsWindowMs;
    int32_t rmsOffset;
    int32_t filter;
    int32_t ebuChannelConfig;
    double ebuRefLevel;
    int32_t ebuOffset;
};

constexpr FactoryPreset kFactoryPresets[] = {
    {"LUFS EBU R128", 1, -18.0, 300.0, 0, kNoFilter, 1, -23.0, 0},
    {"LU EBU R128", 1, -18.0, 300.0, 0, kNoFilter, 1, -23.0, 1},
    {"LU -20 (-20LUFS)", 1, -18.0, 300.0, 0, kNoFilter, 1, -20.0, 1},
    {"LU -16 (-16LUFS)", 1, -18.0, 300.0, 0, kNoFilter, 1, -16.0, 1},
    {"LU -14 (-14LUFS)", 1, -18.0, 300.0, 0, kNoFilter, 1, -14.0, 1},
    {"LU -12 (-12LUFS)", 1, -18.0, 300.0, 0, kNoFilter, 1, -12.0, 1},
    {"LU -10 (-10LUFS)", 1, -18.0, 300.0, 0, kNoFilter, 1, -10.0, 1},
    {"LKFS ITU BS1770-4", 1, -18.0, 300.0, 0, kNoFilter, 1, -24.0, 0},
    {"LKFS ATSC A/85", 1, -18.0, 300.0, 0, kNoFilter, 1, -24.0, 0},
    {"dB K-20", 0, -20.0, 600.0, 1, kNoFilter, 0, -23.0, 0},
    {"dB K-16", 0, -16.0, 600.0, 1, kNoFilter, 0, -23.0, 0},
    {"dB K-14", 0, -14.0, 600.0, 1, kNoFilter, 0, -23.0, 0},
    {"dB K-12", 0, -12.0, 600.0, 1, kNoFilter, 0, -23.0, 0},
    {"dB K-10", 0, -10.0, 600.0, 1, kNoFilter, 0, -23.0, 0},
    {"TASA Leq(M)", 0, -108.0, 3000.0, 1, static_cast<int32_t>(WeightingMode::LeqM), 0, -23.0, 0},
};

}  // namespace

// Parameters a preset does not list keep the value they hold now.
int32_t Sonvarek::MakeFactoryPresets()
{
    int32_t made = 0;
    made += MakePresetFromPairs("Init", {}) ? 1 : 0;
    made += MakePresetFromPairs("Factory Default", {}) ? 1 : 0;
    for (const FactoryPreset& p : kFactoryPresets)
    {
        // Each pair names another parameter, so their order does not matter;
        // the filter's comes last so that it can be left out.
        const PresetPair pairs[] = {
            {kType, p.type},
            {kRMSChannelConfig, 0},
            {kRMSGain, 0.0},
            {kRMSRefLevel, p.rmsRefLevel},
            {kRMSMode, 0},
            {kRMSWindow, p.rmsWindowMs},
            {kRMSDelta, p.rmsOffset},
            {kEBUChannelConfig, p.ebuChannelConfig},
            {kEBUGain, 0.0},
            {kEBURefLevel, p.ebuRefLevel},
            {kEBUDelta, p.ebuOffset},
            {kRMSWFilterMode, p.filter},
        };
        const int32_t n = p.filter == kNoFilter ? 11 : 12;
        made += MakePresetFromPairs(p.name, PresetPairs(pairs, n)) ? 1 : 0;
    }
    return made;
}

void Sonvarek::CaptureDefaultPreset(IPlugPreset* preset) { FillPresetFromPairs(preset, "Factory Default", {}); }
