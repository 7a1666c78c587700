#pragma once
// What the meter view writes into its controls, as plain functions of the
// values: the texts of the thirteen read-outs and the bar meter's value, held
// peak text and lamp. Nothing that is not finite comes out as a number.

#include "plugin/MeterSnapshot.h"
#include "plugin/SonvarekEditorTables.h"

#include <cstdint>
#include <string>

// Read-out rows: 0-5 "RMS" (RMS integrated, RMS, RMS max, peak max, true
// peak max, crest factor), 6-12 "EBU" (integrated, short-term, short-term
// max, momentary, momentary max, true peak max, loudness range).
constexpr int32_t kFirstRmsRow = 0;
constexpr int32_t kFirstEbuRow = 6;
constexpr int32_t kReadoutRows = 13;

// The text of read-out row: "%.1lf" of the reading, less the type's
// reference level for the rows it applies to (0-2, 6-10) while that type's
// Offset is on; "-inf" at or below the row's floor (-144.0; -70.0 for the
// integrated loudness); row 5 "0.0" unless above 0.0; "---" for rows 6-10 and
// 12 before their measurement has anything to show. "" for another row.
std::string ReadoutText(int32_t row, const MeterSnapshot& values);

// The bar meters' channel names under the RMS type, whatever its channel
// configuration.
constexpr const char* kRmsChannelNames[SonvarekEditorTables::kBars] = {"L", "R", "3", "4", "5", "6"};

// A bar's unit value for valueDb on its -60 to +12 dB scale (limited to it;
// NaN: empty, 0.0).
double BarUnitValue(double valueDb);
// The held peak rounded to 0.1 dB as " %.1lf", or "-inf" at or below -144.0
// and for a value that is not finite.
std::string HeldPeakText(double holdDb);
// The lamp is lit when the held peak rounds above 0.0 dB.
bool LampLit(double holdDb);
