// Sonvarek: the parameter table.
#include "plugin/Sonvarek.h"

#include <initializer_list>

namespace {

// A choice over the texts, which are its values 0, 1, ... in order.
void InitChoiceTexts(IPlugParam* param, const char* name, int32_t defaultValue,
                     std::initializer_list<const char*> texts)
{
    param->InitChoice(name, defaultValue, static_cast<int32_t>(texts.size()));
    int32_t value = 0;
    for (const char* text : texts)
        param->AddDisplayText(value++, text);
}

// An output parameter: a meter value the audio path writes.
void InitOutput(IPlugParam* param, const char* name, double defaultValue, double min, double max, const char* label)
{
    param->InitRange(name, defaultValue, min, max, 0.1, label);
}

}  // namespace

// The settings take their defaults from the mirrors, so a second run after
// "default.fxp" loaded makes the loaded values the defaults. The order of
// creation is the one hosts have always seen.
void Sonvarek::InitParams()
{
    GetParam(kGUIScale)->InitRange("GUI Scale", guiScale, 1.0, 3.0, 0.1);
    GetParam(kGUILayout)->InitIntRange("GUI Layout", guiLayout, 0, 1);
    InitChoiceTexts(GetParam(kType), "Type", meterType, {"RMS", "EBU"});
    GetParam(kSync)->InitIntRange("Sync", sync, 0, 1);
    GetParam(kWriteAutomationData)->InitIntRange("WriteAutomationData", writeAutomation, 0, 1);
    InitChoiceTexts(GetParam(kRMSChannelConfig), "RMS Channel Config", rmsChannelConfig,
                    {"Stereo", "Left", "Right", "4 Ch.", "6 Ch."});
    GetParam(kRMSGain)->InitRange("RMS Gain", rmsGainDb, -60.0, 60.0, 0.1, "dB");
    GetParam(kRMSRefLevel)->InitRange("RMS RefLevel", rmsRefLevel, -120.0, 120.0, 0.1, "dBFS");
    GetParam(kRMSDelta)->InitIntRange("RMS Offset", rmsOffset, 0, 1);
    InitChoiceTexts(GetParam(kRMSMode), "RMS Meter Mode", rmsMeterMode, {"SUM", "AVG+3", "AVG"});
    GetParam(kRMSWindow)->InitRange("RMS Window", rmsWindowMs, 10.0, 10000.0, 1.0, "ms");
    GetParam(kRMSWindow)->SetExponent(2.5);
    InitChoiceTexts(GetParam(kRMSWFilterMode), "RMS Weighting Filer Mode", weightingMode,
                    {"---", "BS1770", "Leq(A)", "Leq(B)", "Leq(C)", "Leq(M)", "Leq(A)+3"});
    InitChoiceTexts(GetParam(kEBUChannelConfig), "EBU Channel Config", ebuChannelConfig,
                    {"1.0", "2.0", "4.0", "4.1", "5.1"});
    GetParam(kEBUGain)->InitRange("EBU Gain", ebuGainDb, -60.0, 60.0, 0.1, "LU");
    GetParam(kEBURefLevel)->InitRange("EBU RefLevel", ebuRefLevel, -60.0, 12.0, 0.1, "LUFS");
    GetParam(kEBUDelta)->InitIntRange("EBU Offset", ebuOffset, 0, 1);

    InitOutput(GetParam(kOutRMSIL), "OUT:RMS IL", -144.0, -144.0, 24.0, "dBFS");
    InitOutput(GetParam(kOutRMSML), "OUT:RMS ML", -144.0, -144.0, 24.0, "dBFS");
    InitOutput(GetParam(kOutRMSMLMax), "OUT:RMS ML Max", -144.0, -144.0, 24.0, "dBFS");
    InitOutput(GetParam(kOutRMSPeakMax), "OUT:RMS Peak Max", -144.0, -144.0, 24.0, "dBFS");
    InitOutput(GetParam(kOutRMSTPMax), "OUT:RMS TP Max", -144.0, -144.0, 24.0, "dBFS");
    InitOutput(GetParam(kOutRMSCrest), "OUT:RMS Crest", 0.0, 0.0, 144.0, "dB");
    InitOutput(GetParam(kOutEBUIL), "OUT:EBU IL", -70.0, -70.0, 24.0, "LUFS");
    InitOutput(GetParam(kOutEBUML), "OUT:EBU ML", -144.0, -144.0, 24.0, "LUFS");
    InitOutput(GetParam(kOutEBUMLMax), "OUT:EBU ML Max", -144.0, -144.0, 24.0, "LUFS");
    InitOutput(GetParam(kOutEBUSL), "OUT:EBU SL", -144.0, -144.0, 24.0, "LUFS");
    InitOutput(GetParam(kOutEBUSLMax), "OUT:EBU SL Max", -144.0, -144.0, 24.0, "LUFS");
    InitOutput(GetParam(kOutEBUTPMax), "OUT:EBU TP Max", -144.0, -144.0, 24.0, "dBFS");
    InitOutput(GetParam(kOutEBULRA), "OUT:EBU LRA", 0.0, 0.0, 144.0, "LU");
}
