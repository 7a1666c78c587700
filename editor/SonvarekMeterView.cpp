// Sonvarek: the meter view, which moves the current settings and the engines'
// values into the editor's controls, on the editor's thread only.
#include "plugin/Sonvarek.h"

#include "editor/ControlLookup.h"
#include "editor/MeterViewText.h"
#include "engines/Decibels.h"
#include "engines/EbuChannelConfig.h"
#include "graphics/vector/IBitmapControl_SVG1.h"
#include "graphics/vector/ISVGKnobControl.h"
#include "graphics/vector/ITextControl_SVG1.h"

#include <cmath>
#include <optional>

namespace {

using Tables = SonvarekEditorTables;

// By "EBU Channel Config".
constexpr const char* kEbuChannelNames[kEbuConfigCount][Tables::kBars] = {
    {"M", "", "", "", "", ""},
    {"L", "R", "", "", "", ""},
    {"L", "R", "Ls", "Rs", "", ""},
    {"L", "R", "Ls", "Rs", "LFE", ""},
    {"L", "R", "C", "LFE", "Ls", "Rs"},
};

void SetText(const IGraphics* graphics, int32_t idx, const char* text)
{
    if (auto* control = ControlAs<ITextControl_SVG1>(graphics, idx))
        control->SetTextIfChanged(text);
}

// Equal, as the same sign of zero, or both NaN.
bool SameNumber(double a, double b)
{
    return (a == b && std::signbit(a) == std::signbit(b)) || (std::isnan(a) && std::isnan(b));
}

void ShowGroup(const IGraphics* graphics, const std::vector<int32_t>& list, int32_t hidden)
{
    if (!graphics)
        return;
    for (int32_t idx : list)
        if (IControl* control = graphics->ControlAt(idx))
            control->SetHidden(hidden != 0);
}

}  // namespace

void Sonvarek::ShowRmsGroup(int32_t hidden) { ShowGroup(Surface(), editorTables.RmsGroupList, hidden); }

void Sonvarek::ShowEbuGroup(int32_t hidden) { ShowGroup(Surface(), editorTables.EbuGroupList, hidden); }

void Sonvarek::UpdateUnitLabels()
{
    const IGraphics* graphics = Surface();
    if (!graphics)
        return;
    // Hidden both first: a control in both lists ends up shown.
    ShowRmsGroup(1);
    ShowEbuGroup(1);
    if (meterType == kMeterTypeRms)
        ShowRmsGroup(0);
    else if (meterType == kMeterTypeEbu)
        ShowEbuGroup(0);

    const int32_t* readouts = editorTables.ReadoutTable;
    for (int32_t row = 0; row <= 2; ++row)
        SetText(graphics, readouts[2 * row + 1], rmsOffset ? "dB" : "dBFS");
    for (int32_t row = 6; row <= 10; ++row)
        SetText(graphics, readouts[2 * row + 1], ebuOffset ? "LU" : "LUFS");

    const char* const* names = nullptr;
    if (meterType == kMeterTypeEbu)
    {
        SetText(graphics, readouts[Tables::kCaptionSlot], "True Peak");
        SetText(graphics, readouts[Tables::kCaptionUnitSlot], "dBTP");
        if (ebuChannelConfig >= 0 && ebuChannelConfig < kEbuConfigCount)
            names = kEbuChannelNames[ebuChannelConfig];
    }
    else if (meterType == kMeterTypeRms)
    {
        names = kRmsChannelNames;
        SetText(graphics, readouts[Tables::kCaptionSlot], "Peak");
        SetText(graphics, readouts[Tables::kCaptionUnitSlot], "dBFS");
    }
    if (names)
        for (int32_t k = 0; k < Tables::kBars; ++k)
            SetText(graphics, editorTables.BarTable[Tables::kChannelLabelSlot + k], names[k]);
}

void Sonvarek::SetBarMeter(double valueDb, double holdDb, int32_t barIndex, int32_t textIndex, int32_t lampIndex)
{
    IGraphics* graphics = Surface();
    if (ControlAs<ISVGKnobControl>(graphics, barIndex))
        graphics->SetControlValue(barIndex, BarUnitValue(valueDb));
    // The text follows the rounded held peak: written only when that moved.
    std::optional<double>* shown = nullptr;
    for (int32_t k = 0; k < Tables::kBars && textIndex >= 0; ++k)
        if (editorTables.BarTable[Tables::kBarTextSlot + k] == textIndex)
            shown = &barHeldShown[k];
    const double held = RoundToTenth(holdDb);
    if (!shown || !*shown || !SameNumber(**shown, held))
    {
        SetText(graphics, textIndex, HeldPeakText(holdDb).c_str());
        if (shown)
            *shown = held;
    }
    if (ControlAs<IBitmapControl_SVG1>(graphics, lampIndex))
        graphics->SetControlValue(lampIndex, LampLit(holdDb) ? 1.0 : 0.0);
}

void Sonvarek::UpdateBarMeters(const MeterSnapshot& values)
{
    if (values.meterType != kMeterTypeRms && values.meterType != kMeterTypeEbu)
        return;
    const int32_t* bars = editorTables.BarTable;
    // Every channel, whatever the channel configuration: unmeasured ones rest at the floor.
    for (int32_t k = 0; k < Tables::kBars; ++k)
        SetBarMeter(AmplitudeToDb(values.barFalling[k]), AmplitudeToDb(values.barHeld[k]),
                    bars[Tables::kBarSlot + k], bars[Tables::kBarTextSlot + k], bars[Tables::kLampSlot + k]);
}

void Sonvarek::UpdateReadouts(const MeterSnapshot& values)
{
    int32_t first = 0;
    int32_t end = 0;
    if (values.meterType == kMeterTypeRms)
    {
        first = kFirstRmsRow;
        end = kFirstEbuRow;
    }
    else if (values.meterType == kMeterTypeEbu)
    {
        first = kFirstEbuRow;
        end = kReadoutRows;
    }
    const IGraphics* graphics = Surface();
    for (int32_t row = first; row < end; ++row)
        SetText(graphics, editorTables.ReadoutTable[2 * row], ReadoutText(row, values).c_str());
}
