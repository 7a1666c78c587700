// What the meter view writes: the read-out texts by their rules, the bar's
// value, the held peak's text and the lamp.
#include "editor/MeterViewText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Every reading at floor, nothing measured yet.
MeterSnapshot Silence()
{
    MeterSnapshot v;
    v.meterType = 0;
    v.rmsRefLevel = -18.0;
    v.ebuRefLevel = -23.0;
    v.rmsIntegratedDb = v.rmsDb = v.rmsMaxDb = v.peakMaxDb = v.rmsTruePeakMaxDb = -144.0;
    v.crestDb = 0.0;
    v.integratedLufs = -141.0;
    v.shortTermLufs = v.shortTermMaxLufs = v.momentaryLufs = v.momentaryMaxLufs = -144.0;
    v.ebuTruePeakMaxDb = -144.0;
    v.rangeLu = 0.0;
    return v;
}

TEST(ReadoutText, RmsReadingsShowInfOnlyAtTheEnginesFloorWhateverTheReference)
{
    MeterSnapshot v = Silence();
    for (int32_t row = 0; row <= 4; ++row)
        EXPECT_EQ(ReadoutText(row, v), "-inf") << "row " << row;
    EXPECT_EQ(ReadoutText(5, v), "0.0");

    // At reference -18 the limit used to be -126: a reading of -130 showed "-inf".
    v.rmsIntegratedDb = -130.0;
    v.rmsDb = -143.9;
    EXPECT_EQ(ReadoutText(0, v), "-130.0");
    EXPECT_EQ(ReadoutText(1, v), "-143.9");
    // Under the factory preset's reference of -108 every RMS reading below
    // -36 dBFS used to show "-inf" while the bars showed the level.
    v.rmsRefLevel = -108.0;
    v.rmsMaxDb = -40.0;
    EXPECT_EQ(ReadoutText(2, v), "-40.0");

    v.rmsRefLevel = -18.0;
    v.rmsOffset = 1;
    v.rmsIntegratedDb = -20.0;
    v.peakMaxDb = -3.0;
    EXPECT_EQ(ReadoutText(0, v), "-2.0") << "less the reference under Offset";
    EXPECT_EQ(ReadoutText(3, v), "-3.0") << "peaks never";
    v.crestDb = 3.4;
    EXPECT_EQ(ReadoutText(5, v), "3.4");
    v.crestDb = -0.1;
    EXPECT_EQ(ReadoutText(5, v), "0.0");
}

TEST(ReadoutText, LoudnessReadingsWaitForTheirMeasurement)
{
    MeterSnapshot v = Silence();
    v.integratedLufs = -23.0;
    v.shortTermLufs = v.momentaryLufs = -25.0;
    for (int32_t row : {6, 7, 8, 9, 10, 12})
        EXPECT_EQ(ReadoutText(row, v), "---") << "row " << row;
    EXPECT_EQ(ReadoutText(11, v), "-inf");

    v.momentaryFilled = true;  // after 400 ms
    EXPECT_EQ(ReadoutText(9, v), "-25.0");
    EXPECT_EQ(ReadoutText(10, v), "-inf");
    EXPECT_EQ(ReadoutText(7, v), "---") << "the short-term window needs 3 s";
    v.shortTermFilled = true;
    EXPECT_EQ(ReadoutText(7, v), "-25.0");

    v.integratorHasData = true;
    v.ebuOffset = 1;
    EXPECT_EQ(ReadoutText(6, v), "0.0") << "-23.0 at reference -23.0 under Offset";
    v.integratedLufs = -70.0;
    EXPECT_EQ(ReadoutText(6, v), "-inf") << "at the absolute gate";
    v.rangeHasBlocks = true;
    v.rangeLu = 6.04;
    EXPECT_EQ(ReadoutText(12, v), "6.0");
    v.ebuTruePeakMaxDb = -0.04;
    EXPECT_EQ(ReadoutText(11, v), "-0.0");
    EXPECT_EQ(ReadoutText(13, v), "");
    EXPECT_EQ(ReadoutText(-1, v), "");
}

TEST(ReadoutText, NothingThatIsNotFiniteShowsAsANumber)
{
    MeterSnapshot v = Silence();
    v.integratorHasData = v.shortTermFilled = v.momentaryFilled = v.rangeHasBlocks = true;
    v.rmsIntegratedDb = v.peakMaxDb = v.crestDb = v.integratedLufs = v.shortTermLufs = v.rangeLu = kNaN;
    v.ebuTruePeakMaxDb = std::numeric_limits<double>::infinity();
    for (int32_t row : {0, 3, 6, 7, 11, 12})
        EXPECT_EQ(ReadoutText(row, v), "-inf") << "row " << row;
    EXPECT_EQ(ReadoutText(5, v), "0.0");
}

TEST(BarMeter, TheBarSpansMinus60ToPlus12AndNaNIsEmpty)
{
    EXPECT_EQ(BarUnitValue(-80.0), 0.0);
    EXPECT_EQ(BarUnitValue(-60.0), 0.0);
    EXPECT_EQ(BarUnitValue(-24.0), 0.5);
    EXPECT_EQ(BarUnitValue(12.0), 1.0);
    EXPECT_EQ(BarUnitValue(20.0), 1.0);
    EXPECT_EQ(BarUnitValue(std::numeric_limits<double>::infinity()), 1.0);
    EXPECT_EQ(BarUnitValue(kNaN), 0.0);
}

TEST(BarMeter, TheHeldPeakRoundsToATenthAndLightsTheLampAboveZero)
{
    EXPECT_EQ(HeldPeakText(0.04), " 0.0");
    EXPECT_FALSE(LampLit(0.04));
    EXPECT_EQ(HeldPeakText(0.05), " 0.1");
    EXPECT_TRUE(LampLit(0.05));
    EXPECT_EQ(HeldPeakText(-19.94), " -19.9");
    EXPECT_EQ(HeldPeakText(-144.0), "-inf");
    EXPECT_EQ(HeldPeakText(-143.96), "-inf") << "rounds to the floor";
    EXPECT_EQ(HeldPeakText(kNaN), "-inf");
    EXPECT_FALSE(LampLit(kNaN));
}

}  // namespace
