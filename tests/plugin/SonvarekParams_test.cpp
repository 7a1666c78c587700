// The parameter table, preset members and the factory presets.
#include "plugin/MeterPresetParams.h"
#include "support/TestSonvarek.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

struct ParamRow
{
    int32_t idx;
    const char* name;
    ParamKind kind;
    double min, max, step, defaultValue;
    const char* label;
    std::vector<std::string> texts;
};

const std::vector<ParamRow>& Table()
{
    static const std::vector<ParamRow> rows = {
        {kGUIScale, "GUI Scale", kParamDouble, 1.0, 3.0, 0.1, 1.0, "", {}},
        {kGUILayout, "GUI Layout", kParamInt, 0, 1, 1, 1, "", {}},
        {kType, "Type", kParamChoice, 0, 1, 1, 0, "", {"RMS", "EBU"}},
        {kSync, "Sync", kParamInt, 0, 1, 1, 0, "", {}},
        {kWriteAutomationData, "WriteAutomationData", kParamInt, 0, 1, 1, 0, "", {}},
        {kRMSChannelConfig, "RMS Channel Config", kParamChoice, 0, 4, 1, 0, "", {"Stereo", "Left", "Right", "4 Ch.", "6 Ch."}},
        {kRMSGain, "RMS Gain", kParamDouble, -60, 60, 0.1, 0, "dB", {}},
        {kRMSRefLevel, "RMS RefLevel", kParamDouble, -120, 120, 0.1, -18, "dBFS", {}},
        {kRMSMode, "RMS Meter Mode", kParamChoice, 0, 2, 1, 0, "", {"SUM", "AVG+3", "AVG"}},
        {kRMSWindow, "RMS Window", kParamDouble, 10, 10000, 1, 600, "ms", {}},
        {kRMSDelta, "RMS Offset", kParamInt, 0, 1, 1, 0, "", {}},
        {kRMSWFilterMode, "RMS Weighting Filer Mode", kParamChoice, 0, 6, 1, 0, "",
         {"---", "BS1770", "Leq(A)", "Leq(B)", "Leq(C)", "Leq(M)", "Leq(A)+3"}},
        {kOutRMSIL, "OUT:RMS IL", kParamDouble, -144, 24, 0.1, -144, "dBFS", {}},
        {kOutRMSML, "OUT:RMS ML", kParamDouble, -144, 24, 0.1, -144, "dBFS", {}},
        {kOutRMSMLMax, "OUT:RMS ML Max", kParamDouble, -144, 24, 0.1, -144, "dBFS", {}},
        {kOutRMSPeakMax, "OUT:RMS Peak Max", kParamDouble, -144, 24, 0.1, -144, "dBFS", {}},
        {kOutRMSTPMax, "OUT:RMS TP Max", kParamDouble, -144, 24, 0.1, -144, "dBFS", {}},
        {kOutRMSCrest, "OUT:RMS Crest", kParamDouble, 0, 144, 0.1, 0, "dB", {}},
        {kEBUChannelConfig, "EBU Channel Config", kParamChoice, 0, 4, 1, 1, "", {"1.0", "2.0", "4.0", "4.1", "5.1"}},
        {kEBUGain, "EBU Gain", kParamDouble, -60, 60, 0.1, 0, "LU", {}},
        {kEBURefLevel, "EBU RefLevel", kParamDouble, -60, 12, 0.1, -23, "LUFS", {}},
        {kEBUDelta, "EBU Offset", kParamInt, 0, 1, 1, 0, "", {}},
        {kOutEBUIL, "OUT:EBU IL", kParamDouble, -70, 24, 0.1, -70, "LUFS", {}},
        {kOutEBUML, "OUT:EBU ML", kParamDouble, -144, 24, 0.1, -144, "LUFS", {}},
        {kOutEBUMLMax, "OUT:EBU ML Max", kParamDouble, -144, 24, 0.1, -144, "LUFS", {}},
        {kOutEBUSL, "OUT:EBU SL", kParamDouble, -144, 24, 0.1, -144, "LUFS", {}},
        {kOutEBUSLMax, "OUT:EBU SL Max", kParamDouble, -144, 24, 0.1, -144, "LUFS", {}},
        {kOutEBUTPMax, "OUT:EBU TP Max", kParamDouble, -144, 24, 0.1, -144, "dBFS", {}},
        {kOutEBULRA, "OUT:EBU LRA", kParamDouble, 0, 144, 0.1, 0, "LU", {}},
    };
    return rows;
}

using Params = SonvarekTest;

TEST_F(Params, EveryParameterHasItsNameKindRangeDefaultLabelAndTexts)
{
    auto plug = Make();
    ASSERT_EQ(plug->NParams(), 29);
    ASSERT_EQ(Table().size(), 29u);
    for (const ParamRow& row : Table())
    {
        SCOPED_TRACE(row.name);
        const IPlugParam* p = plug->GetParam(row.idx);
        EXPECT_STREQ(p->Name(), row.name);
        EXPECT_EQ(p->Kind(), row.kind);
        EXPECT_EQ(p->Min(), row.min);
        EXPECT_EQ(p->Max(), row.max);
        EXPECT_EQ(p->Step(), row.step);
        EXPECT_EQ(p->DefaultValue(), row.defaultValue);
        EXPECT_EQ(p->Value(), row.defaultValue) << "a fresh instance holds its defaults";
        EXPECT_STREQ(p->Group(), "");
        EXPECT_EQ(p->Exponent(), row.idx == kRMSWindow ? 2.5 : 1.0);
        EXPECT_EQ(p->Precision(), row.kind != kParamDouble || row.idx == kRMSWindow ? 0 : 1);
        ASSERT_EQ(p->DisplayTextCount(), static_cast<int32_t>(row.texts.size()));
        for (int32_t i = 0; i < p->DisplayTextCount(); ++i)
        {
            int32_t value = -1;
            EXPECT_EQ(p->DisplayTextAt(i, &value), row.texts[i]);
            EXPECT_EQ(value, i);
        }
        // The label shows where no display text stands for the value.
        EXPECT_STREQ(p->UnitLabel(), row.texts.empty() ? row.label : "");
    }
}

TEST_F(Params, RmsWindowMapsThroughExponent)
{
    auto plug = Make();
    const IPlugParam* window = plug->GetParam(kRMSWindow);
    EXPECT_NEAR(window->MapFromUnit(0.5), 10.0 + 9990.0 * std::pow(0.5, 2.5), 1e-9);
    EXPECT_NEAR(window->MapFromUnit(0.5), 1776.0, 0.5) << "not the 5005 ms of a linear taper";
}

TEST_F(Params, PresetMembersAreTheTwelveListedSettings)
{
    auto plug = Make();
    const std::vector<int32_t> members = {2, 5, 6, 7, 8, 9, 10, 11, 18, 19, 20, 21};
    for (int32_t i = 0; i < kMeterParamCount; ++i)
        EXPECT_EQ(plug->GetParam(i)->PresetMember(), std::count(members.begin(), members.end(), i) == 1) << i;

    int32_t n = 0;
    for (const PresetParamEntry* e = kMeterPresetParams; e->identifier; ++e, ++n)
    {
        const IPlugParam* p = plug->GetParam(e->index);
        EXPECT_EQ(e->kind, p->Kind() == kParamDouble ? kParamDouble : kParamInt) << e->identifier;
        EXPECT_STREQ(e->format, e->kind == kParamDouble ? "%.1lf" : "%d") << e->identifier;
    }
    EXPECT_EQ(n, 12);
    EXPECT_STREQ(kMeterPresetParams[0].identifier, "kType");
    EXPECT_STREQ(kMeterPresetParams[7].identifier, "kRMSWFilterMode");
}

// ---- Factory presets ------------------------------------------------------

struct PresetRow
{
    const char* name;
    double type, rmsRef, rmsWindow, rmsOffset, ebuConfig, ebuRef, ebuOffset;
};

const PresetRow kPresetRows[] = {
    {"LUFS EBU R128", 1, -18, 300, 0, 1, -23, 0},    {"LU EBU R128", 1, -18, 300, 0, 1, -23, 1},
    {"LU -20 (-20LUFS)", 1, -18, 300, 0, 1, -20, 1}, {"LU -16 (-16LUFS)", 1, -18, 300, 0, 1, -16, 1},
    {"LU -14 (-14LUFS)", 1, -18, 300, 0, 1, -14, 1}, {"LU -12 (-12LUFS)", 1, -18, 300, 0, 1, -12, 1},
    {"LU -10 (-10LUFS)", 1, -18, 300, 0, 1, -10, 1}, {"LKFS ITU BS1770-4", 1, -18, 300, 0, 1, -24, 0},
    {"LKFS ATSC A/85", 1, -18, 300, 0, 1, -24, 0},   {"dB K-20", 0, -20, 600, 1, 0, -23, 0},
    {"dB K-16", 0, -16, 600, 1, 0, -23, 0},          {"dB K-14", 0, -14, 600, 1, 0, -23, 0},
    {"dB K-12", 0, -12, 600, 1, 0, -23, 0},          {"dB K-10", 0, -10, 600, 1, 0, -23, 0},
    {"TASA Leq(M)", 0, -108, 3000, 1, 0, -23, 0},
};

// The value a preset slot holds for a parameter (little-endian doubles in index order).
double PresetValueOf(const IPlugBase& plug, int32_t slot, int32_t idx)
{
    double v = 0.0;
    EXPECT_TRUE(plug.GetPreset(slot)->state.ReadDoubleLE(&v, 8 * idx) > 0);
    return v;
}

TEST_F(Params, SeventeenFactoryPresetsByNameAndContent)
{
    auto plug = Make();
    // A current value that the presets without a filter pair must keep.
    plug->SetFromHost(kRMSWFilterMode, 3);
    EXPECT_EQ(plug->FactoryPresetCount(), 17);
    plug->HandleParamChange(kRescanPresets);
    ASSERT_EQ(plug->FactoryPresetCount(), 17);
    ASSERT_EQ(plug->NPresets(), 17);
    EXPECT_STREQ(plug->PresetName(0), "Init");
    EXPECT_STREQ(plug->PresetName(1), "Factory Default");
    for (int32_t slot : {0, 1})
        for (int32_t i = 0; i < kMeterParamCount; ++i)
            EXPECT_EQ(PresetValueOf(*plug, slot, i), plug->GetParam(i)->Value()) << "slot " << slot << " param " << i;

    for (int32_t n = 0; n < 15; ++n)
    {
        const PresetRow& row = kPresetRows[n];
        const int32_t slot = n + 2;
        SCOPED_TRACE(row.name);
        EXPECT_STREQ(plug->PresetName(slot), row.name);
        EXPECT_EQ(PresetValueOf(*plug, slot, kType), row.type);
        EXPECT_EQ(PresetValueOf(*plug, slot, kRMSChannelConfig), 0.0);
        EXPECT_EQ(PresetValueOf(*plug, slot, kRMSGain), 0.0);
        EXPECT_EQ(PresetValueOf(*plug, slot, kRMSRefLevel), row.rmsRef);
        EXPECT_EQ(PresetValueOf(*plug, slot, kRMSMode), 0.0);
        EXPECT_EQ(PresetValueOf(*plug, slot, kRMSWindow), row.rmsWindow);
        EXPECT_EQ(PresetValueOf(*plug, slot, kRMSDelta), row.rmsOffset);
        EXPECT_EQ(PresetValueOf(*plug, slot, kRMSWFilterMode), n == 14 ? 5.0 : 3.0)
            << "only TASA sets the filter; the others keep the value current at the rescan";
        EXPECT_EQ(PresetValueOf(*plug, slot, kEBUChannelConfig), row.ebuConfig);
        EXPECT_EQ(PresetValueOf(*plug, slot, kEBUGain), 0.0);
        EXPECT_EQ(PresetValueOf(*plug, slot, kEBURefLevel), row.ebuRef);
        EXPECT_EQ(PresetValueOf(*plug, slot, kEBUDelta), row.ebuOffset);
    }
}

TEST_F(Params, RecallingAPresetRestoresOnlyPresetMembers)
{
    auto plug = Make();
    plug->SetFromHost(kGUIScale, 2.0);
    plug->SetFromHost(kSync, 1);
    plug->SetFromHost(kWriteAutomationData, 1);

    ASSERT_TRUE(plug->RecallPreset(5, true));  // "LU -16 (-16LUFS)"
    EXPECT_EQ(plug->GetParam(kType)->Value(), 1.0);
    EXPECT_EQ(plug->GetParam(kEBURefLevel)->Value(), -16.0);
    EXPECT_EQ(plug->GetParam(kEBUDelta)->Value(), 1.0);
    EXPECT_EQ(plug->GetParam(kEBUChannelConfig)->Value(), 1.0);
    EXPECT_EQ(plug->GetParam(kGUIScale)->Value(), 2.0);
    EXPECT_EQ(plug->GetParam(kSync)->Value(), 1.0);
    EXPECT_EQ(plug->GetParam(kWriteAutomationData)->Value(), 1.0);

    ASSERT_TRUE(plug->RecallPreset(16, true));  // "TASA Leq(M)"
    EXPECT_EQ(plug->GetParam(kRMSRefLevel)->Value(), -108.0);
    EXPECT_EQ(plug->GetParam(kRMSWindow)->Value(), 3000.0);
    EXPECT_EQ(plug->GetParam(kRMSDelta)->Value(), 1.0);
    EXPECT_EQ(plug->GetParam(kRMSWFilterMode)->Value(), 5.0);
    // The recall reached the engines through the change handler.
    EXPECT_EQ(plug->GetWeightingFilter(0).Mode(), WeightingMode::LeqM);
    EXPECT_EQ(plug->GetPeakRmsEngine().WindowMs(), 3000.0);
    EXPECT_NEAR(plug->GetPeakRmsEngine().Overlap(), 1.0 - 100.0 / 3000.0, 1e-15);
    EXPECT_EQ(plug->GetGuiScale(), 2.0);
}

TEST_F(Params, RescanFindsUserPresetsAfterTheFactoryOnes)
{
    {
        auto writer = Make();
        writer->SetFromHost(kEBURefLevel, -31.0);
        ASSERT_TRUE(writer->SaveProgramFile(StringBuf((UserFolder() + "Mine.fxp").c_str()), "Mine"));
    }
    auto plug = Make();
    ASSERT_EQ(plug->NPresets(), 18);
    EXPECT_STREQ(plug->PresetName(17), "Mine");
    EXPECT_NEAR(PresetValueOf(*plug, 17, kEBURefLevel), -31.0, 1e-4) << "program files hold single-precision unit values";

    WriteBytes(UserFolder() + "Broken.fxp", "CcnK");
    plug->HandleParamChange(kRescanPresets);
    EXPECT_EQ(plug->NPresets(), 18) << "a broken file adds nothing";
    EXPECT_EQ(plug->GetParam(kEBURefLevel)->Value(), -23.0) << "scanning leaves the current values";
}

}  // namespace
