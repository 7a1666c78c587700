#pragma once
// The meter's 29 parameters by index. 0-11 and 18-21 are settings; 12-17 and
// 22-28 are output parameters into which the audio path writes the meter
// values for the host to read as automation.

#include <cstdint>

enum MeterParamIndex : int32_t
{
    kGUIScale = 0,
    kGUILayout = 1,
    kType = 2,
    kSync = 3,
    kWriteAutomationData = 4,
    kRMSChannelConfig = 5,
    kRMSGain = 6,
    kRMSRefLevel = 7,
    kRMSMode = 8,
    kRMSWindow = 9,
    kRMSDelta = 10,
    kRMSWFilterMode = 11,
    kOutRMSIL = 12,
    kOutRMSML = 13,
    kOutRMSMLMax = 14,
    kOutRMSPeakMax = 15,
    kOutRMSTPMax = 16,
    kOutRMSCrest = 17,
    kEBUChannelConfig = 18,
    kEBUGain = 19,
    kEBURefLevel = 20,
    kEBUDelta = 21,
    kOutEBUIL = 22,
    kOutEBUML = 23,
    kOutEBUMLMax = 24,
    kOutEBUSL = 25,
    kOutEBUSLMax = 26,
    kOutEBUTPMax = 27,
    kOutEBULRA = 28,
};

constexpr int32_t kMeterParamCount = 29;

// The value of "Type": which engines run and which gain applies.
enum MeterType : int32_t
{
    kMeterTypeRms = 0,  // "RMS": peak/RMS engine and weighting filters, "RMS Gain"
    kMeterTypeEbu = 1,  // "EBU": loudness engine, "EBU Gain"
};
