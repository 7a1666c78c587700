#include "framework/aax/AAX_CBinaryDisplayDelegate.h"
#include "framework/aax/AAX_CBinaryTaperDelegate.h"
#include "framework/aax/AAX_CIPlugTaperDelegate.h"
#include "framework/aax/AAX_CLinearTaperDelegate.h"
#include "framework/aax/AAX_CNumberDisplayDelegate.h"
#include "framework/aax/AAX_CStringDisplayDelegate.h"
#include "framework/aax/AAX_CUnitDisplayDelegateDecorator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

template <class T>
std::string Text(const AAX_IDisplayDelegate<T>& display, T value)
{
    AAX_CString out;
    display.Text(value, out);
    return out.Get();
}

// Parse of text: whether it parsed, and what it wrote.
template <class T>
std::pair<bool, T> Parsed(const AAX_IDisplayDelegate<T>& display, const char* text)
{
    T out = static_cast<T>(99);  // so that what a failed parse writes shows
    const bool parsed = display.Parse(AAX_CString(text), out);
    return {parsed, out};
}

template <class T>
std::string Limited(const AAX_IDisplayDelegate<T>& display, T value, int32_t limit)
{
    AAX_CString out;
    EXPECT_TRUE(display.TextLimited(value, limit, out));
    return out.Get();
}

TEST(LinearTaper, RoundsHalvesUpAndClampsEverythingFromOutside)
{
    const AAX_CLinearTaperDelegate<int32_t, 1> taper(0, 3);
    EXPECT_EQ(taper.ValueFromNormalized(0.5), 2);  // 1.5 rounds up
    EXPECT_EQ(taper.ValueFromNormalized(0.49), 1);
    EXPECT_EQ(taper.NormalizedFromValue(5), 1.0);
    EXPECT_EQ(taper.NormalizedFromValue(-5), 0.0);
    EXPECT_EQ(taper.ValueFromNormalized(1.5), 3);
    EXPECT_EQ(taper.ValueFromNormalized(-0.5), 0);
    EXPECT_EQ(taper.ValueFromNormalized(kInf), 3);
    EXPECT_EQ(taper.ValueFromNormalized(kNaN), 0);

    const AAX_CLinearTaperDelegate<int32_t, 1> negative(-5, 0);
    EXPECT_EQ(negative.ValueFromNormalized(0.5), -2);  // -2.5 rounds up

    const AAX_CLinearTaperDelegate<int32_t, 1> single(2, 2);
    EXPECT_EQ(single.NormalizedFromValue(2), 0.0);
    EXPECT_EQ(single.ValueFromNormalized(0.7), 2);

    const int32_t lowest = std::numeric_limits<int32_t>::lowest();
    const int32_t highest = std::numeric_limits<int32_t>::max();
    const AAX_CLinearTaperDelegate<int32_t, 1> widest(lowest, highest);
    EXPECT_EQ(widest.ValueFromNormalized(0.0), lowest);
    EXPECT_EQ(widest.ValueFromNormalized(1.0), highest);
    EXPECT_EQ(widest.NormalizedFromValue(highest), 1.0);
}

TEST(BinaryTaper, AnythingAboveZeroIsTrue)
{
    const AAX_CBinaryTaperDelegate<bool> taper;
    EXPECT_FALSE(taper.ValueFromNormalized(0.0));
    EXPECT_TRUE(taper.ValueFromNormalized(0.0001));
    EXPECT_FALSE(taper.ValueFromNormalized(kNaN));
    EXPECT_EQ(taper.NormalizedFromValue(true), 1.0);
}

TEST(IPlugTaper, FollowsTheParameterAndStaysInRange)
{
    IPlugParam param;
    param.InitRange("Window", 1.0, 0.0, 100.0, 0.01, "s", "", 2.0);
    const AAX_CIPlugTaperDelegate<double> taper(param);
    EXPECT_DOUBLE_EQ(taper.ValueFromNormalized(0.5), 25.0);  // exponent 2
    EXPECT_DOUBLE_EQ(taper.NormalizedFromValue(25.0), 0.5);
    EXPECT_EQ(taper.ValueFromNormalized(2.0), 100.0);
    EXPECT_EQ(taper.ValueFromNormalized(-1.0), 0.0);  // no NaN from a negative base
    EXPECT_EQ(taper.ValueFromNormalized(kNaN), 0.0);
    EXPECT_EQ(taper.Constrain(kNaN), 0.0);
    EXPECT_EQ(taper.NormalizedFromValue(1e9), 1.0);
    EXPECT_EQ(taper.NormalizedFromValue(-kInf), 0.0);
}

TEST(NumberDisplay, FixedTwoDecimalsAndLimits)
{
    const AAX_CNumberDisplayDelegate<double, 2, 0> display;
    EXPECT_EQ(Text(display, -0.5), "-0.50");
    EXPECT_EQ(Text(display, 12.5), "12.50");
    EXPECT_EQ(Limited(display, 12.34, 3), "12");  // "12." loses its point
    EXPECT_EQ(Limited(display, 12.34, 4), "12.3");
    EXPECT_EQ(Limited(display, 12.34, 0), "");
    EXPECT_EQ(Limited(display, 12.34, -1), "");
    EXPECT_EQ(Limited(display, 12.34, 50), "12.34");
}

TEST(NumberDisplay, IntegersTruncateAndClampWhenParsed)
{
    const AAX_CNumberDisplayDelegate<int32_t, 2, 0> display;
    EXPECT_EQ(Text(display, 7), "7.00");
    EXPECT_EQ(Parsed(display, "7.9"), std::make_pair(true, 7));
    EXPECT_EQ(Parsed(display, "-7.9"), std::make_pair(true, -7));
    EXPECT_EQ(Parsed(display, "abc"), std::make_pair(false, 0));
    EXPECT_EQ(Parsed(display, "1e12"), std::make_pair(true, std::numeric_limits<int32_t>::max()));
    EXPECT_EQ(Parsed(display, "-1e12"), std::make_pair(true, std::numeric_limits<int32_t>::lowest()));
}

TEST(UnitDecorator, AppendsTheUnitOnlyWhereItFits)
{
    const AAX_CUnitDisplayDelegateDecorator<double> db(AAX_CNumberDisplayDelegate<double, 2, 0>(), "dB");
    EXPECT_EQ(Text(db, 3.0), "3.00dB");
    EXPECT_EQ(Limited(db, 3.0, 5), "3.00");
    EXPECT_EQ(Limited(db, 3.0, 6), "3.00dB");
    EXPECT_EQ(Limited(db, 3.0, -4), "");


    EXPECT_EQ(Parsed(db, "3.00dB"), std::make_pair(true, 3.0));
    EXPECT_EQ(Parsed(db, "-1.5 dB"), std::make_pair(true, -1.5));
    EXPECT_FALSE(Parsed(db, "dB").first);  // handed whole to the number display
}

TEST(UnitDecorator, CopiesAreDeep)
{
    std::unique_ptr<AAX_IDisplayDelegate<int32_t>> copy;
    {
        const AAX_CUnitDisplayDelegateDecorator<int32_t> ms(AAX_CNumberDisplayDelegate<int32_t, 2, 0>(), "ms");
        copy.reset(ms.Duplicate());
    }
    EXPECT_EQ(Text(*copy, 20), "20.00ms");
}

TEST(BinaryDisplay, LabelsExactly)
{
    const AAX_CBinaryDisplayDelegate<bool> display("bypass", "on");
    EXPECT_EQ(Text(display, true), "on");
    EXPECT_EQ(Text(display, false), "bypass");
    EXPECT_EQ(Limited(display, false, 2), "bypass");  // never shortened
    bool out = true;
    EXPECT_FALSE(display.Parse(AAX_CString("On"), out));
    EXPECT_FALSE(out);
    EXPECT_EQ(Parsed(display, "on"), std::make_pair(true, true));
    EXPECT_EQ(Parsed(display, "bypass"), std::make_pair(true, false));
}

TEST(StringDisplay, TextsByValueAndBack)
{
    const AAX_CStringDisplayDelegate<int32_t> display({{0, "RMS"}, {1, "EBU"}, {2, "RMS"}});
    AAX_CString out;
    EXPECT_FALSE(display.Text(3, out));
    EXPECT_STREQ(out.Get(), "String Not Found");
    EXPECT_EQ(Text(display, 1), "EBU");
    EXPECT_EQ(Parsed(display, "EBU"), std::make_pair(true, 1));
    EXPECT_EQ(Parsed(display, "RMS"), std::make_pair(true, 0));  // the smaller of the two values that share it
    EXPECT_FALSE(Parsed(display, "rms").first);
}

}  // namespace
