#include "plugin/MeterPresetParams.h"

#include "plugin/MeterParamIndex.h"

const PresetParamEntry kMeterPresetParams[] = {
    {"kType", kType, kParamInt, "%d"},
    {"kRMSChannelConfig", kRMSChannelConfig, kParamInt, "%d"},
    {"kRMSGain", kRMSGain, kParamDouble, "%.1lf"},
    {"kRMSRefLevel", kRMSRefLevel, kParamDouble, "%.1lf"},
    {"kRMSMode", kRMSMode, kParamInt, "%d"},
    {"kRMSWindow", kRMSWindow, kParamDouble, "%.1lf"},
    {"kRMSDelta", kRMSDelta, kParamInt, "%d"},
    {"kRMSWFilterMode", kRMSWFilterMode, kParamInt, "%d"},
    {"kEBUChannelConfig", kEBUChannelConfig, kParamInt, "%d"},
    {"kEBUGain", kEBUGain, kParamDouble, "%.1lf"},
    {"kEBURefLevel", kEBURefLevel, kParamDouble, "%.1lf"},
    {"kEBUDelta", kEBUDelta, kParamInt, "%d"},
    {nullptr, 0, kParamNone, nullptr},
};
