// The parameter table and the factory presets.
#include "support/TestSonvarek.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

using Params = SonvarekTest;

// The names are checked where the host sees them (tests/host).
TEST_F(Params, DefaultsTextsAndPresetMembers)
{
    auto plug = Make();
    ASSERT_EQ(plug->NParams(), 29);
    const std::vector<int32_t> members = {2, 5, 6, 7, 8, 9, 10, 11, 18, 19, 20, 21};
    for (int32_t i = 0; i < 29; ++i)
    {
        const IPlugParam* p = plug->GetParam(i);
        EXPECT_EQ(p->Value(), p->DefaultValue()) << p->Name();
        EXPECT_EQ(p->PresetMember(), std::count(members.begin(), members.end(), i) == 1) << p->Name();
    }
    const std::pair<int32_t, double> defaults[] = {{kEBUChannelConfig, 1}, {kRMSRefLevel, -18}, {kEBURefLevel, -23},
                                                   {kRMSWindow, 600},      {kType, 0},          {kGUIScale, 1},
                                                   {kGUILayout, 1},        {kOutEBUIL, -70},    {kOutRMSIL, -144},
                                                   {kOutRMSCrest, 0}};
    for (const auto& [idx, value] : defaults)
        EXPECT_EQ(plug->GetParam(idx)->DefaultValue(), value) << plug->GetParam(idx)->Name();

    const IPlugParam* filter = plug->GetParam(kRMSWFilterMode);
    EXPECT_EQ(filter->Kind(), kParamChoice);
    EXPECT_STREQ(filter->DisplayTextForValue(0), "---");
    EXPECT_STREQ(filter->DisplayTextForValue(6), "Leq(A)+3");
    EXPECT_STREQ(plug->GetParam(kEBUChannelConfig)->DisplayTextForValue(4), "5.1");
    EXPECT_STREQ(plug->GetParam(kRMSChannelConfig)->DisplayTextForValue(3), "4 Ch.");
    EXPECT_STREQ(plug->GetParam(kEBUGain)->UnitLabel(), "LU");
    EXPECT_EQ(plug->GetParam(kSync)->Kind(), kParamInt);

    // "RMS Window" tapers with exponent 2.5: half way is about 1776 ms, not 5005.
    EXPECT_NEAR(plug->GetParam(kRMSWindow)->MapFromUnit(0.5), 10.0 + 9990.0 * std::pow(0.5, 2.5), 1e-9);
    EXPECT_EQ(plug->GetParam(kRMSWindow)->Precision(), 0);
    EXPECT_EQ(plug->GetParam(kRMSGain)->Precision(), 1);
}

// The value a preset slot holds for a parameter.
double Stored(const IPlugBase& plug, int32_t slot, int32_t idx)
{
    double v = 0.0;
    EXPECT_GT(plug.GetPreset(slot)->state.ReadDoubleLE(&v, 8 * idx), 0);
    return v;
}

TEST_F(Params, SeventeenFactoryPresetsByNameAndContent)
{
    struct Row
    {
        const char* name;
        double type, rmsRef, rmsWindow, rmsOffset, ebuConfig, ebuRef, ebuOffset;
    };
    const Row rows[] = {
        {"LUFS EBU R128", 1, -18, 300, 0, 1, -23, 0},    {"LU EBU R128", 1, -18, 300, 0, 1, -23, 1},
        {"LU -20 (-20LUFS)", 1, -18, 300, 0, 1, -20, 1}, {"LU -16 (-16LUFS)", 1, -18, 300, 0, 1, -16, 1},
        {"LU -14 (-14LUFS)", 1, -18, 300, 0, 1, -14, 1}, {"LU -12 (-12LUFS)", 1, -18, 300, 0, 1, -12, 1},
        {"LU -10 (-10LUFS)", 1, -18, 300, 0, 1, -10, 1}, {"LKFS ITU BS1770-4", 1, -18, 300, 0, 1, -24, 0},
        {"LKFS ATSC A/85", 1, -18, 300, 0, 1, -24, 0},   {"dB K-20", 0, -20, 600, 1, 0, -23, 0},
        {"dB K-16", 0, -16, 600, 1, 0, -23, 0},          {"dB K-14", 0, -14, 600, 1, 0, -23, 0},
        {"dB K-12", 0, -12, 600, 1, 0, -23, 0},          {"dB K-10", 0, -10, 600, 1, 0, -23, 0},
        {"TASA Leq(M)", 0, -108, 3000, 1, 0, -23, 0},
    };
    auto plug = Make();
    EXPECT_EQ(plug->FactoryPresetCount(), 17);
    // After a rescan the presets hold what is current then where they set nothing.
    plug->SetFromHost(kRMSWFilterMode, 3);
    plug->SetFromHost(kEBUDelta, 1);
    plug->HandleParamChange(kRescanPresets);
    ASSERT_EQ(plug->NPresets(), 17);
    for (int32_t slot : {0, 1})
        for (int32_t i = 0; i < kMeterParamCount; ++i)
            EXPECT_EQ(Stored(*plug, slot, i), plug->GetParam(i)->Value()) << slot << " " << i;
    EXPECT_STREQ(plug->PresetName(0), "Init");
    EXPECT_STREQ(plug->PresetName(1), "Factory Default");

    for (int32_t n = 0; n < 15; ++n)
    {
        const Row& row = rows[n];
        const int32_t slot = n + 2;
        SCOPED_TRACE(row.name);
        EXPECT_STREQ(plug->PresetName(slot), row.name);
        const double expected[][2] = {
            {kType, row.type},          {kRMSChannelConfig, 0},         {kRMSGain, 0},
            {kRMSRefLevel, row.rmsRef}, {kRMSMode, 0},                  {kRMSWindow, row.rmsWindow},
            {kRMSDelta, row.rmsOffset}, {kRMSWFilterMode, n == 14 ? 5.0 : 3.0}, {kEBUChannelConfig, row.ebuConfig},
            {kEBUGain, 0},              {kEBURefLevel, row.ebuRef},     {kEBUDelta, row.ebuOffset},
            {kGUIScale, 1},             {kSync, 0},
        };
        for (const auto& [idx, value] : expected)
            EXPECT_EQ(Stored(*plug, slot, static_cast<int32_t>(idx)), value) << static_cast<int>(idx);
    }
}

TEST_F(Params, RecallRestoresOnlyPresetMembersAndReachesTheEngines)
{
    auto plug = Make();
    plug->SetFromHost(kGUIScale, 2.0);
    plug->SetFromHost(kSync, 1);
    plug->SetFromHost(kWriteAutomationData, 1);

    ASSERT_TRUE(plug->RecallPreset(5, true));  // "LU -16 (-16LUFS)"
    std::vector<double> values;
    for (int32_t idx : {kType, kEBURefLevel, kEBUDelta, kEBUChannelConfig, kGUIScale, kSync, kWriteAutomationData})
        values.push_back(plug->GetParam(idx)->Value());
    EXPECT_EQ(values, (std::vector<double>{1.0, -16.0, 1.0, 1.0, 2.0, 1.0, 1.0}));

    ASSERT_TRUE(plug->RecallPreset(16, true));  // "TASA Leq(M)"
    EXPECT_EQ(plug->GetWeightingFilter(0).Mode(), WeightingMode::LeqM);
    EXPECT_EQ(plug->GetPeakRmsEngine().WindowMs(), 3000.0);
    EXPECT_EQ(plug->GetPeakRmsEngine().Overlap(), 1.0 - 100.0 / 3000.0);
    EXPECT_EQ(plug->GetGuiScale(), 2.0);
}

TEST_F(Params, UserPresetsFollowTheFactoryOnes)
{
    {
        auto writer = Make();
        writer->SetFromHost(kEBURefLevel, -31.0);
        ASSERT_TRUE(writer->SaveProgramFile(StringBuf((UserFolder() + "Mine.fxp").c_str()), "Mine"));
    }
    WriteBytes(UserFolder() + "Broken.fxp", "CcnK");
    auto plug = Make();
    ASSERT_EQ(plug->NPresets(), 18);
    EXPECT_STREQ(plug->PresetName(17), "Mine");
    EXPECT_NEAR(Stored(*plug, 17, kEBURefLevel), -31.0, 1e-4) << "program files hold single-precision unit values";
    EXPECT_EQ(plug->GetParam(kEBURefLevel)->Value(), -23.0) << "scanning leaves the current values";
}

}  // namespace
