#include "framework/core/IPlugParam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string Format(const IPlugParam& p, double v, bool isUnit = false, bool useDisplayText = true)
{
    char out[64];
    p.FormatValue(v, isUnit, out, sizeof out, useDisplayText);
    return out;
}

TEST(IPlugParam, InitRangeSetsPrecisionRaisesMaxAndKeepsTheKind)
{
    IPlugParam scale;
    scale.InitRange("GUI Scale", 1.0, 1.0, 3.0, 0.1);
    EXPECT_EQ(scale.Kind(), kParamDouble);
    EXPECT_EQ(scale.Precision(), 1);

    IPlugParam flat;
    flat.InitRange("Flat", 0.0, 0.0, 0.0, 1.0);
    EXPECT_EQ(flat.Max(), 1.0);

    IPlugParam fine;
    fine.InitRange("Fine", 0.0, 0.0, 1.0, 0.01);
    EXPECT_EQ(fine.Precision(), 2);
    fine.InitRange("Odd", 0.0, 0.0, 1.0, 1.0 / 3.0);
    EXPECT_EQ(fine.Precision(), 6);

    IPlugParam choice;
    choice.InitChoice("Type", 0, 2);
    choice.InitRange("Type", 0.0, 0.0, 1.0, 1.0);
    EXPECT_EQ(choice.Kind(), kParamChoice);
}

TEST(IPlugParam, ChoiceSnapsToTheNearestStep)
{
    IPlugParam p;
    p.InitChoice("Mode", 0, 5);
    EXPECT_EQ(p.Kind(), kParamChoice);
    EXPECT_EQ(p.Max(), 4.0);
    EXPECT_EQ(p.MapFromUnit(0.62), 2.0);
    EXPECT_EQ(p.MapFromUnit(0.63), 3.0);

    IPlugParam flag;
    flag.InitIntRange("Flag", 0, 0, 1);
    EXPECT_EQ(flag.Kind(), kParamInt);
    EXPECT_EQ(flag.MapFromUnit(0.49), 0.0);
    EXPECT_EQ(flag.MapFromUnit(0.5), 1.0);
}

TEST(IPlugParam, DoubleMappingUsesTheExponent)
{
    IPlugParam p;
    p.InitRange("Level", 0.0, -60.0, 0.0, 0.1);
    EXPECT_DOUBLE_EQ(p.MapFromUnit(0.5), -30.0);
    p.SetExponent(2.0);
    EXPECT_DOUBLE_EQ(p.MapFromUnit(0.5), -45.0);
    EXPECT_DOUBLE_EQ(p.MapToUnit(-45.0), 0.5);
    EXPECT_EQ(p.MapToUnit(10.0), 1.0);
    EXPECT_EQ(p.MapToUnit(-100.0), 0.0);
    p.SetExponent(0.0);
    EXPECT_EQ(p.Exponent(), 2.0);
    EXPECT_DOUBLE_EQ(p.MapFromUnitRaw(2.0), 180.0) << "raw: no clamp";
}

TEST(IPlugParam, NaNNeverBecomesTheValueAndInfinitiesClamp)
{
    IPlugParam p;
    p.InitRange("Level", -10.0, -60.0, 0.0, 0.1);
    p.SetUnitValue(kNaN);
    EXPECT_EQ(p.Value(), -10.0);
    p.SetValue(kNaN);
    EXPECT_EQ(p.Value(), -10.0);
    EXPECT_EQ(p.MapToUnit(kNaN), p.GetUnitValue());

    p.SetUnitValue(kInf);
    EXPECT_EQ(p.Value(), 0.0);
    p.SetUnitValue(-kInf);
    EXPECT_EQ(p.Value(), -60.0);
    p.SetValue(kInf);
    EXPECT_EQ(p.Value(), 0.0);
    p.SetValue(-1e300);
    EXPECT_EQ(p.Value(), -60.0);
}

TEST(IPlugParam, FormatValueRoundsHalvesUp)
{
    IPlugParam whole;
    whole.InitRange("Whole", 0.0, -10.0, 10.0, 1.0);
    EXPECT_EQ(Format(whole, 2.5), "3");
    EXPECT_EQ(Format(whole, -2.5), "-2");
    EXPECT_EQ(Format(whole, 1e20), "100000000000000000000") << "no int overflow";

    IPlugParam tenths;
    tenths.InitRange("Tenths", 0.0, -60.0, 0.0, 0.1);
    EXPECT_EQ(Format(tenths, -23.04), "-23.0");
    EXPECT_EQ(Format(tenths, 0.5, true), "-30.0");

    char small[4];
    tenths.FormatValue(-23.04, false, small, sizeof small, false);
    EXPECT_STREQ(small, "-23");
}

TEST(IPlugParam, DisplayTexts)
{
    IPlugParam type;
    type.InitChoice("Type", 0, 2);
    type.AddDisplayText(0, "RMS");
    type.AddDisplayText(1, "EBU");
    EXPECT_EQ(type.DisplayTextCount(), 2);
    EXPECT_EQ(Format(type, 1.0), "EBU");
    EXPECT_EQ(Format(type, 1.0, false, false), "1");

    int32_t v = -1;
    EXPECT_TRUE(type.ValueForDisplayText("EBU", &v));
    EXPECT_EQ(v, 1);
    EXPECT_FALSE(type.ValueForDisplayText("ebu", &v)) << "case-sensitive";
    EXPECT_FALSE(type.ValueForDisplayText("EB", &v)) << "whole texts";
    EXPECT_STREQ(type.DisplayTextAt(2, &v), "");

    // An enumerated value shows its text without the unit.
    IPlugParam labelled;
    labelled.InitIntRange("Mode", 0, 0, 2, "dB");
    labelled.AddDisplayText(0, "Off");
    labelled.AddDisplayText(1, "");
    EXPECT_STREQ(labelled.UnitLabel(), "");
    labelled.SetValue(1.0);
    EXPECT_STREQ(labelled.UnitLabel(), "dB") << "empty display text";
    labelled.SetValue(2.0);
    EXPECT_STREQ(labelled.UnitLabel(), "dB") << "no display text";

    // Texts are cut to 31 bytes; initialising again drops them, so a second run does not double them.
    const std::string longText(40, 'n');
    type.AddDisplayText(2, longText.c_str());
    EXPECT_EQ(std::string(type.DisplayTextAt(2, nullptr)), longText.substr(0, 31));
    type.InitChoice(longText.c_str(), 0, 2);
    EXPECT_EQ(std::string(type.Name()), longText.substr(0, 31));
    EXPECT_EQ(type.DisplayTextCount(), 0);
}

}  // namespace
