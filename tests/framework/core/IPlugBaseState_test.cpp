#include "framework/core/ByteOrder.h"
#include "support/TestPlug.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

// 29 parameters; 0..3 as TestPlug makes them, the rest 0..1.
struct StatePlug : TestPlug
{
    StatePlug() : TestPlug("1-1", 29, 17)
    {
        for (int32_t i = 0; i < NParams(); ++i)
            GetParam(i)->SetValue(i < 4 ? GetParam(i)->Min() : 0.25);
    }
};

// Appends the values to chunk and returns it.
IStateChunk& Put(IStateChunk& chunk, const std::vector<double>& values)
{
    for (double v : values)
        chunk.PutDoubleLE(v);
    return chunk;
}

TEST(IPlugBaseState, SerialisingAppendsEightLittleEndianBytesPerParameter)
{
    StatePlug plug;
    plug.GetParam(0)->SetValue(-12.5);
    IStateChunk chunk;
    ASSERT_TRUE(plug.SerializeParams(chunk));
    ASSERT_EQ(chunk.Size(), 232);
    EXPECT_EQ(LoadDoubleLE(chunk.Data()), -12.5);
    EXPECT_EQ(LoadDoubleLE(chunk.Data() + 8 * 28), 0.25);
    ASSERT_TRUE(plug.SaveState(chunk));
    EXPECT_EQ(chunk.Size(), 464) << "appended, not cleared";
}

TEST(IPlugBaseState, RoundTripRestoresEveryValueAndRunsEveryHook)
{
    StatePlug source;
    source.GetParam(0)->SetValue(-7.3);
    source.GetParam(2)->SetValue(2.0);
    source.GetParam(20)->SetValue(0.875);
    IStateChunk chunk;
    ASSERT_TRUE(source.SaveState(chunk));

    StatePlug dest;
    EXPECT_EQ(dest.LoadState(chunk, 0), 232);
    for (int32_t i = 0; i < 29; ++i)
        EXPECT_EQ(dest.GetParam(i)->Value(), source.GetParam(i)->Value()) << i;
    EXPECT_EQ(dest.changes.size(), 29u);
}

TEST(IPlugBaseState, ValuesAreClampedButNotSnapped)
{
    StatePlug plug;
    IStateChunk chunk;
    plug.LoadState(Put(chunk, {10.0, 2.6, -3.0}), 0);  // 0 max 0.0; 1 integer 0..4; 2 choice 0..2
    EXPECT_EQ(plug.GetParam(0)->Value(), 0.0);
    EXPECT_EQ(plug.GetParam(1)->Value(), 2.6);
    EXPECT_EQ(plug.GetParam(2)->Value(), 0.0);
}

TEST(IPlugBaseState, ChunkCutAtAnyLengthAppliesOnlyWholeValues)
{
    StatePlug source;
    for (int32_t i = 4; i < 29; ++i)
        source.GetParam(i)->SetValue(0.75);
    IStateChunk full;
    ASSERT_TRUE(source.SaveState(full));

    for (int32_t length = 0; length < full.Size(); ++length)
    {
        IStateChunk cut;
        ASSERT_TRUE(cut.PutBytes(full.Data(), length));
        StatePlug plug;
        EXPECT_EQ(plug.LoadState(cut, 0), -1) << length;
        const int32_t whole = length / 8;
        for (int32_t i = 4; i < 29; ++i)
            ASSERT_EQ(plug.GetParam(i)->Value(), i < whole ? 0.75 : 0.25) << "length " << length << " parameter " << i;
        EXPECT_EQ(plug.changes.size(), 29u) << "hooks run for every parameter";
    }
}

TEST(IPlugBaseState, NonFiniteValuesLeaveTheirParameter)
{
    StatePlug plug;
    const double inf = std::numeric_limits<double>::infinity();
    IStateChunk chunk, bad;
    Put(chunk, std::vector<double>(29, 0.5));
    Put(bad, {-1.0, 1.0, std::nan(""), 1.5});
    ASSERT_TRUE(bad.PutDoubleLE(inf));
    ASSERT_TRUE(bad.PutDoubleLE(-inf));
    ASSERT_TRUE(bad.PutBytes(chunk.Data() + 48, 232 - 48));
    EXPECT_EQ(plug.LoadState(bad, 0), 232);
    EXPECT_EQ(plug.GetParam(0)->Value(), -1.0);
    EXPECT_EQ(plug.GetParam(2)->Value(), 0.0) << "NaN";
    EXPECT_EQ(plug.GetParam(4)->Value(), 0.25) << "+inf";
    EXPECT_EQ(plug.GetParam(5)->Value(), 0.25) << "-inf";
    EXPECT_EQ(plug.GetParam(6)->Value(), 0.5);
}

TEST(IPlugBaseState, PresetFilterRestoresOnlyMembersButHooksEveryParameter)
{
    StatePlug plug;
    plug.GetParam(3)->SetPresetMember(false);
    IStateChunk chunk;
    Put(chunk, std::vector<double>(29, 2.0));
    EXPECT_EQ(plug.LoadPresetState(chunk, 0, true), 232);
    EXPECT_EQ(plug.GetParam(3)->Value(), 1.0);
    EXPECT_EQ(plug.GetParam(1)->Value(), 2.0);
    EXPECT_EQ(plug.changes.size(), 29u);

    plug.changes.clear();
    plug.SuppressParamChangeHooks(true);
    plug.LoadState(chunk, 0);
    EXPECT_TRUE(plug.changes.empty());
    EXPECT_EQ(plug.GetParam(3)->Value(), 2.0);
}

TEST(IPlugBaseState, ReadsFromAPositionAndRejectsANegativeOne)
{
    StatePlug plug;
    IStateChunk chunk;
    ASSERT_TRUE(chunk.PutBytes("hdr", 3));
    IStateChunk values;
    Put(values, std::vector<double>(29, 0.5));
    ASSERT_TRUE(chunk.PutBytes(values.Data(), values.Size()));
    EXPECT_EQ(plug.LoadState(chunk, 3), 235);
    EXPECT_EQ(plug.LoadState(chunk, -1), -1);
}

TEST(IPlugBaseState, CompareUsesSinglePrecisionWithinATolerance)
{
    TestPlug plug("1-1", 2, 0);  // two parameters 0..1
    plug.GetParam(0)->SetValue(0.2);
    plug.GetParam(1)->SetValue(0.1);
    const double close[] = {9.0, 0.2, 0.100001};
    const double far[] = {0.2, 0.10002};
    EXPECT_TRUE(plug.CompareParams(close, 3, 1));
    EXPECT_FALSE(plug.CompareParams(far, 2, 0));
    EXPECT_FALSE(plug.CompareParams(close, 2, 1)) << "too few values";
    const double nan[] = {std::nan(""), 0.1};
    EXPECT_FALSE(plug.CompareParams(nan, 2, 0));
}

}  // namespace
