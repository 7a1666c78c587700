#pragma once
// Indices beyond the parameters that the editor's buttons, resize corner and
// preset menu send through the parameter-change handler. 29 and anything
// above 42 name nothing.

#include <cstdint>

enum MeterCommand : int32_t
{
    kResetMeters = 30,           // restart every measurement
    kMatchRMSIntegrated = 31,    // "RMS Gain" from the long-term RMS level
    kMatchRMSMomentaryMax = 32,  // "RMS Gain" from the largest RMS window level
    kMatchPeakMax = 33,          // "RMS Gain" from the sample-peak maximum
    kMatchRMSTruePeakMax = 34,   // "RMS Gain" from the peak/RMS engine's true-peak maximum
    kMatchEBUIntegrated = 35,    // "EBU Gain" from the integrated loudness
    kMatchShortTermMax = 36,     // "EBU Gain" from the short-term maximum
    kMatchMomentaryMax = 37,     // "EBU Gain" from the momentary maximum
    kMatchEBUTruePeakMax = 38,   // "EBU Gain" from the loudness engine's true-peak maximum
    kResetGUIScale = 39,         // editor scale back to 1.0 (ctrl-click)
    kResizeByDrag = 40,          // editor scale from the resize corner's drag
    kRescanPresets = 41,         // factory presets made again, user folder scanned again
    kSaveDefaultPreset = 42,     // current values into "default.fxp"
};
