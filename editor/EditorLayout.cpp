#include "editor/EditorLayout.h"

#include "editor/FaceArt.h"
#include "editor/MeterViewText.h"
#include "graphics/vector/ColorFromHex.h"
#include "plugin/MeterCommand.h"
#include "plugin/MeterParamIndex.h"
#include "plugin/SonvarekEditorTables.h"

namespace {

using Tables = SonvarekEditorTables;
using K = ControlKind;

constexpr ShownFor kAlways = ShownFor::kAlways;
constexpr ShownFor kRms = ShownFor::kRms;
constexpr ShownFor kEbu = ShownFor::kEbu;

// Every value scaled with the editor.
ILayoutBox Box(int32_t x, int32_t y, int32_t w, int32_t h)
{
    return {x, kAnchorScaled, y, kAnchorScaled, w, kAnchorScaled, h, kAnchorScaled};
}

ControlRow Text(ILayoutBox box, const char* text, int32_t group, ShownFor shown = kAlways)
{
    return {K::kText, box, -1, text, group, shown};
}

ControlRow Picture(ILayoutBox box, int32_t group, ShownFor shown = kAlways)
{
    return {K::kPicture, box, -1, nullptr, group, shown};
}

ControlRow Bound(ControlKind kind, ILayoutBox box, int32_t binding, int32_t group, ShownFor shown = kAlways)
{
    return {kind, box, binding, nullptr, group, shown};
}

ControlRow WithReadoutSlot(ControlRow row, int32_t slot)
{
    row.readoutSlot = slot;
    return row;
}

ControlRow WithBarSlot(ControlRow row, int32_t slot)
{
    row.barSlot = slot;
    return row;
}

// The settings row: labels of two lines stand at y 35 and 47, of one line at
// y 41, above their field at y 65. Both types share the places of the first
// four settings.
struct SettingParams
{
    int32_t channelConfig;
    int32_t gain;
    int32_t refLevel;
    int32_t offset;
};

void AddSharedSettings(std::vector<ControlRow>& rows, const SettingParams& p, ShownFor shown)
{
    rows.push_back(Text(Box(130, 35, 46, 18), "CH.", kGroupSettingLabel, shown));
    rows.push_back(Text(Box(130, 47, 46, 18), "CONFIG", kGroupSettingLabel, shown));
    rows.push_back(Bound(K::kMenu, Box(130, 65, 46, 18), p.channelConfig, kGroupChannelMenu, shown));
    rows.push_back(Text(Box(181, 41, 46, 18), "GAIN", kGroupSettingLabel, shown));
    rows.push_back(Bound(K::kValueField, Box(181, 65, 46, 18), p.gain, kGroupValueField, shown));
    rows.push_back(Text(Box(232, 35, 46, 18), "REF", kGroupSettingLabel, shown));
    rows.push_back(Text(Box(232, 47, 46, 18), "LEVEL", kGroupSettingLabel, shown));
    rows.push_back(Bound(K::kValueField, Box(232, 65, 46, 18), p.refLevel, kGroupValueField, shown));
    rows.push_back(Text(Box(283, 35, 34, 18), "OFF", kGroupSettingLabel, shown));
    rows.push_back(Text(Box(283, 47, 34, 18), "SET", kGroupSettingLabel, shown));
    rows.push_back(Bound(K::kSwitch, Box(283, 65, 34, 18), p.offset, kGroupSwitch, shown));
}

void AddRmsOnlySettings(std::vector<ControlRow>& rows)
{
    rows.push_back(Text(Box(322, 35, 46, 18), "RMS", kGroupSettingLabel, kRms));
    rows.push_back(Text(Box(322, 47, 46, 18), "MODE", kGroupSettingLabel, kRms));
    rows.push_back(Bound(K::kMenu, Box(322, 65, 46, 18), kRMSMode, kGroupRmsModeMenu, kRms));
    rows.push_back(Text(Box(371, 35, 58, 18), "RMS", kGroupSettingLabel, kRms));
    rows.push_back(Text(Box(371, 47, 58, 18), "WINDOW", kGroupSettingLabel, kRms));
    rows.push_back(Bound(K::kValueField, Box(377, 65, 46, 18), kRMSWindow, kGroupValueField, kRms));
    rows.push_back(Text(Box(429, 35, 64, 18), "WEIGHT", kGroupSettingLabel, kRms));
    rows.push_back(Text(Box(429, 47, 64, 18), "FILTER", kGroupSettingLabel, kRms));
    rows.push_back(Bound(K::kMenu, Box(429, 65, 64, 18), kRMSWFilterMode, kGroupWeightingMenu, kRms));
}

// One read-out: a box 106 high with two title lines, the value on its dark
// field, the unit and, for a read-out that can match the gain, its button.
struct Readout
{
    int32_t x;
    int32_t y;
    int32_t w;
    int32_t boxGroup;
    const char* title1;
    const char* title2;
    bool narrow;  // the 98-wide boxes: smaller titles and value
    const char* unit;
    int32_t command;  // -1: no button
};

constexpr Readout kReadouts[Tables::kReadouts] = {
    {10, 98, 130, kGroupReadoutBoxLight, "RMS", "Integrated", false, "dBFS", kMatchRMSIntegrated},
    {130, 98, 130, kGroupReadoutBoxYellow, "RMS", "Momentary", false, "dBFS", -1},
    {250, 98, 130, kGroupReadoutBoxLight, "RMS", "Momentary Max", false, "dBFS", kMatchRMSMomentaryMax},
    {10, 208, 130, kGroupReadoutBoxYellow, "Peak", "Max", false, "dBFS", kMatchPeakMax},
    {130, 208, 130, kGroupReadoutBoxLight, "True Peak", "Max", false, "dBTP", kMatchRMSTruePeakMax},
    {250, 208, 130, kGroupReadoutBoxYellow, " ", "PILR", false, "dB", -1},
    {10, 98, 130, kGroupReadoutBoxLight, "Integrated", "Loudness", false, "LUFS", kMatchEBUIntegrated},
    {130, 98, 130, kGroupReadoutBoxYellow, "Short-Term", "Loudness", false, "LUFS", -1},
    {250, 98, 130, kGroupReadoutBoxLight, "Short-Term", "Loudness Max", false, "LUFS", kMatchShortTermMax},
    {10, 208, 98, kGroupReadoutBoxYellow, "Momentary", "Loudness", true, "LUFS", -1},
    {100, 208, 98, kGroupReadoutBoxLight, "Momentary", "Loudness Max", true, "LUFS", kMatchMomentaryMax},
    {190, 208, 98, kGroupReadoutBoxYellow, "True Peak", "Max", true, "dBTP", kMatchEBUTruePeakMax},
    {280, 208, 98, kGroupReadoutBoxLight, "Loudness", "Range", true, "LU", -1},
};

void AddReadout(std::vector<ControlRow>& rows, int32_t index, ShownFor shown)
{
    const Readout& r = kReadouts[index];
    const int32_t titleGroup = r.narrow ? kGroupReadoutTitleNarrow : kGroupReadoutTitle;
    const int32_t valueGroup = r.narrow ? kGroupReadoutValueNarrow : kGroupReadoutValue;
    rows.push_back(Picture(Box(r.x, r.y, r.w, 106), r.boxGroup, shown));
    rows.push_back(Text(Box(r.x + 5, r.y - 2, r.w - 5, 35), r.title1, titleGroup, shown));
    rows.push_back(Text(Box(r.x + 5, r.y + 12, r.w - 5, 35), r.title2, titleGroup, shown));
    rows.push_back(WithReadoutSlot(Text(Box(r.x + 3, r.y + 37, r.w - 6, 50), "-144.0", valueGroup, shown), 2 * index));
    rows.push_back(WithReadoutSlot(Text(Box(r.x - 4, r.y + 85, r.w - 5, 17), r.unit, kGroupReadoutUnit, shown),
                                   2 * index + 1));
    if (r.command >= 0)
        rows.push_back(Bound(K::kButton, Box(r.x + 8, r.y + 87, 12, 12), r.command, kGroupGainMatch, shown));
}

// The bar meter: three frames, the captions, three columns of scale marks
// (+12 to -48 dB, 36 design pixels apart: 3 pixels per dB on the -60 to +12 dB
// bars), then per channel its label (the names of the default type, RMS),
// bar, held-peak text and lamp.
void AddBarMeter(std::vector<ControlRow>& rows)
{
    for (int32_t x : {400, 464, 528})
        rows.push_back(Picture(Box(x, 92, 62, 280), kGroupBarFrame));
    rows.push_back(WithReadoutSlot(Text(Box(591, 245, 23, 126), "Peak Meter", kGroupMeterCaption), Tables::kCaptionSlot));
    rows.push_back(WithReadoutSlot(Text(Box(591, 101, 23, 66), "DBFS", kGroupMeterCaption), Tables::kCaptionUnitSlot));
    constexpr const char* kMarks[] = {"12", "0", "12", "24", "36", "48"};
    for (int32_t x : {422, 486, 550})
        for (int32_t j = 0; j < 6; ++j)
            rows.push_back(Text(Box(x, 112 + 36 * j, 20, 18), kMarks[j], kGroupScaleMark));

    for (int32_t k = 0; k < Tables::kBars; ++k)
    {
        const int32_t x = 408 + 32 * k;
        rows.push_back(WithBarSlot(Text(Box(x - 2, 94, 20, 12), kRmsChannelNames[k], kGroupChannelLabel),
                                   Tables::kChannelLabelSlot + k));
        rows.push_back(WithBarSlot(Bound(K::kBar, Box(x, 112, 16, 216), -1, kGroupBar), Tables::kBarSlot + k));
        rows.push_back(WithBarSlot(Text(Box(x - 6, 332, 26, 8), "-144.0", kGroupBarValue), Tables::kBarTextSlot + k));
        rows.push_back(WithBarSlot(Picture(Box(x, 107, 16, 5), kGroupLamp), Tables::kLampSlot + k));
    }
}

}  // namespace

std::vector<ControlRow> EditorLayout()
{
    std::vector<ControlRow> rows;
    rows.reserve(175);

    // The two panels always cover the whole editor.
    const ILayoutBox whole = {0, kAnchorAbsolute, 0, kAnchorAbsolute, 0, kAnchorRight, 0, kAnchorBottom};
    ControlRow panel = {K::kPanel, whole};
    panel.shownFor = kRms;
    panel.colour = ColorFromHex("#f09135", 255);
    rows.push_back(panel);
    panel.shownFor = kEbu;
    panel.colour = ColorFromHex("#4e79a3", 255);
    rows.push_back(panel);
    rows.push_back(Picture(Box(0, 32, 616, 56), kGroupRmsBand, kRms));
    rows.push_back(Picture(Box(384, 88, 232, 236), kGroupRmsPanel, kRms));
    rows.push_back(Picture(Box(0, 32, 616, 56), kGroupEbuBand, kEbu));
    rows.push_back(Picture(Box(384, 88, 232, 236), kGroupEbuPanel, kEbu));

    // Title, logos and the preset menu.
    rows.push_back(Picture(Box(506, 38, 40, 40), kGroupLogoDisc));
    rows.push_back(Text(Box(542, 38, 68, 16), "Corvane", kGroupTitle));
    for (int32_t line = 0; line < 3; ++line)
        rows.push_back(Text(Box(542, 48 + 8 * line, 68, 16), kLogoLineTexts[line], kGroupLogoLines));
    rows.push_back(Text(Box(6, 5, 94, 22), "QZ", kGroupMakerLogo));
    rows.push_back(Text(Box(32, 5, 94, 22), "Quellix", kGroupMakerLogoName));
    rows.push_back(Bound(K::kClickArea, Box(6, 5, 94, 22), kResetGUIScale, -1));
    rows.push_back(Bound(K::kPresetMenu, Box(180, 4, 235, 23), -1, -1));

    // Mode, sync, automation and reset.
    rows.push_back(Text(Box(12, 41, 34, 18), "MODE", kGroupSettingLabel));
    rows.push_back(Bound(K::kMenu, Box(12, 65, 34, 18), kType, kGroupTypeMenu));
    rows.push_back(Text(Box(52, 41, 34, 18), "SYNC", kGroupSettingLabel));
    rows.push_back(Bound(K::kSwitch, Box(52, 65, 34, 18), kSync, kGroupSwitch));
    rows.push_back(Text(Box(91, 35, 34, 18), "WRITE", kGroupSettingLabel));
    rows.push_back(Text(Box(91, 47, 34, 18), "AUTO.", kGroupSettingLabel));
    rows.push_back(Bound(K::kSwitch, Box(91, 65, 34, 18), kWriteAutomationData, kGroupSwitch));
    // Its box reaches below the editor (317 + 40); that part is not shown.
    rows.push_back(Bound(K::kButton, Box(333, 317, 40, 40), kResetMeters, kGroupResetButton));

    AddSharedSettings(rows, {kRMSChannelConfig, kRMSGain, kRMSRefLevel, kRMSDelta}, kRms);
    AddRmsOnlySettings(rows);
    AddSharedSettings(rows, {kEBUChannelConfig, kEBUGain, kEBURefLevel, kEBUDelta}, kEbu);

    for (int32_t r = 0; r < kFirstEbuRow; ++r)
        AddReadout(rows, r, kRms);
    for (int32_t r = kFirstEbuRow; r < Tables::kReadouts; ++r)
        AddReadout(rows, r, kEbu);

    AddBarMeter(rows);

    // Last, so it is hit first: 16 x 16 unscaled, 16 pixels inside the
    // bottom-right corner of the scaled editor.
    const ILayoutBox corner = {-16, kAnchorRight, -16, kAnchorBottom, 16, kAnchorAbsolute, 16, kAnchorAbsolute};
    rows.push_back(Bound(K::kResizeCorner, corner, kResizeByDrag, kGroupResizeGrip));
    return rows;
}

PresetMenuAreas PresetMenuLayout()
{
    return {Box(208, 4, 179, 23), kGroupPresetName, Box(180, 4, 23, 23), kGroupPresetPrevious,
            Box(392, 4, 23, 23), kGroupPresetNext};
}
