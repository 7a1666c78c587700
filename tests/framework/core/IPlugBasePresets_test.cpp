#include "framework/core/ByteOrder.h"
#include "support/TestPlug.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The values a preset holds, in index order.
std::vector<double> Values(const IPlugPreset& preset)
{
    std::vector<double> out;
    for (int32_t pos = 0; pos + 8 <= preset.state.Size(); pos += 8)
        out.push_back(LoadDoubleLE(preset.state.Data() + pos));
    return out;
}

struct PresetPlug : TestPlug
{
    PresetPlug() : TestPlug("1-1", 4, 3)
    {
        GetParam(0)->SetValue(-6.0);
        GetParam(3)->SetValue(2.0);
    }
    int recalled = 0;
    void OnPresetRecalled() override { ++recalled; }
};

TEST(PresetMakers, PairsTakeTheirValuesAndEveryOtherParameterItsCurrentOne)
{
    PresetPlug plug;
    ASSERT_TRUE(plug.MakePresetFromPairs("A", {{2, 1}}));
    const IPlugPreset& a = *plug.GetPreset(0);
    EXPECT_TRUE(a.initialised);
    EXPECT_STREQ(a.name, "A");
    EXPECT_EQ(Values(a), (std::vector<double>{-6.0, 0.0, 1.0, 2.0}));

    ASSERT_TRUE(plug.MakePresetFromPairs("B", {{0, -1.0}, {9, 5.0}, {-1, 5.0}, {0, -2.0}}));
    EXPECT_EQ(Values(*plug.GetPreset(1)), (std::vector<double>{-2.0, 0.0, 0.0, 2.0}))
        << "the later pair wins; pairs naming no parameter are ignored";

    ASSERT_TRUE(plug.MakePresetFromPairs("C", {{3, 70.0}}));
    EXPECT_EQ(Values(*plug.GetPreset(2))[3], 70.0) << "not clamped";
    EXPECT_FALSE(plug.MakePresetFromPairs("D", {})) << "no free slot";
}

TEST(PresetMakers, TheNotGivenMarkerTakesTheCurrentValueInEveryMaker)
{
    PresetPlug plug;
    ASSERT_TRUE(plug.MakePresetFromValues("V", {-1.0, 3, 2, kPresetValueNotGiven}));
    EXPECT_EQ(Values(*plug.GetPreset(0)), (std::vector<double>{-1.0, 3.0, 2.0, 2.0}));
    ASSERT_TRUE(plug.MakePresetFromValues("Short", {-3.0}));
    EXPECT_EQ(Values(*plug.GetPreset(1)), (std::vector<double>{-3.0, 0.0, 0.0, 2.0})) << "missing values are current";
    ASSERT_TRUE(plug.MakePresetAtFromPairs(2, "At", {{0, kPresetValueNotGiven}}));
    EXPECT_EQ(Values(*plug.GetPreset(2))[0], -6.0);

    IPlugPreset record;
    ASSERT_TRUE(plug.FillPresetFromPairs(&record, "Default", {{3, kPresetValueNotGiven}, {1, 4}}));
    EXPECT_EQ(Values(record), (std::vector<double>{-6.0, 4.0, 0.0, 2.0}));
    EXPECT_FALSE(plug.FillPresetFromPairs(nullptr, "x", {}));
    EXPECT_FALSE(plug.MakePresetAtFromPairs(3, "x", {}));
}

TEST(PresetMakers, RemakingATargetReplacesItsState)
{
    PresetPlug plug;
    IPlugPreset record;
    ASSERT_TRUE(plug.FillPresetFromPairs(&record, "Default", {}));
    plug.GetParam(0)->SetValue(-30.0);
    ASSERT_TRUE(plug.FillPresetFromPairs(&record, "Default", {}));
    EXPECT_EQ(Values(record), (std::vector<double>{-30.0, 0.0, 0.0, 2.0}));

    ASSERT_TRUE(plug.ModifyPreset(0, nullptr));  // state into an empty slot
    ASSERT_TRUE(plug.MakePresetFromPairs("First", {{0, -1.0}}));
    EXPECT_EQ(Values(*plug.GetPreset(0)).size(), 4u);
}

TEST(PresetRecall, AnEmptySlotCapturesTheCurrentStateUnderAUserName)
{
    PresetPlug plug;
    std::snprintf(plug.GetPreset(0)->name, sizeof plug.GetPreset(0)->name, "my user preset");
    std::snprintf(plug.GetPreset(1)->name, sizeof plug.GetPreset(1)->name, "user preset 1");
    ASSERT_TRUE(plug.RecallPreset(2, false));
    const IPlugPreset& slot = *plug.GetPreset(2);
    EXPECT_TRUE(slot.initialised);
    EXPECT_STREQ(slot.name, "user preset 3");
    EXPECT_EQ(Values(slot), (std::vector<double>{-6.0, 0.0, 0.0, 2.0}));
    EXPECT_EQ(plug.GetCurrentPresetIdx(), 2);
    EXPECT_EQ(plug.recalled, 1);

    EXPECT_FALSE(plug.RecallPreset(-1, false));
    EXPECT_FALSE(plug.RecallPreset(3, false));
    EXPECT_EQ(plug.GetCurrentPresetIdx(), 2);
}

TEST(PresetRecall, RestoresTheStateOnlyMembersWithTheFilter)
{
    PresetPlug plug;
    ASSERT_TRUE(plug.MakePresetFromPairs("P", {{0, -20.0}, {3, 3.0}}));
    plug.GetParam(3)->SetPresetMember(false);
    ASSERT_TRUE(plug.RecallPreset(0, true));
    EXPECT_EQ(plug.GetParam(0)->Value(), -20.0);
    EXPECT_EQ(plug.GetParam(3)->Value(), 2.0);
    ASSERT_TRUE(plug.RecallPreset(0, false));
    EXPECT_EQ(plug.GetParam(3)->Value(), 3.0);
}

TEST(PresetRecall, ACutStateFailsAndKeepsTheCurrentIndex)
{
    PresetPlug plug;
    ASSERT_TRUE(plug.MakePresetFromPairs("P", {{0, -20.0}, {3, 3.0}}));
    ASSERT_TRUE(plug.MakePresetFromPairs("Q", {}));
    ASSERT_TRUE(plug.RecallPreset(1, false));
    IStateChunk& state = plug.GetPreset(0)->state;
    IStateChunk cut;
    ASSERT_TRUE(cut.PutBytes(state.Data(), 12));
    ASSERT_TRUE(state.Assign(cut));

    EXPECT_FALSE(plug.RecallPreset(0, false));
    EXPECT_EQ(plug.GetCurrentPresetIdx(), 1);
    EXPECT_EQ(plug.GetParam(0)->Value(), -20.0) << "the whole first value applies";
    EXPECT_EQ(plug.GetParam(3)->Value(), 2.0);
    EXPECT_EQ(plug.recalled, 1);
}

TEST(PresetSlots, ModifyRenamesOnlyWithANameAndBlankSlotsStartOver)
{
    PresetPlug plug;
    ASSERT_TRUE(plug.MakePresetFromPairs("Old", {}));
    plug.GetParam(0)->SetValue(-50.0);
    ASSERT_TRUE(plug.ModifyCurrentPreset(""));
    EXPECT_STREQ(plug.PresetName(0), "Old");
    EXPECT_EQ(Values(*plug.GetPreset(0))[0], -50.0);
    ASSERT_TRUE(plug.ModifyPreset(1, "New"));
    EXPECT_STREQ(plug.PresetName(1), "New");
    EXPECT_FALSE(plug.GetPreset(1)->initialised);
    EXPECT_FALSE(plug.ModifyPreset(5, "x"));
    EXPECT_STREQ(plug.PresetName(5), "");

    plug.MakeBlankPresets();
    ASSERT_EQ(plug.NPresets(), 3);
    EXPECT_STREQ(plug.PresetName(0), "empty 0");
    EXPECT_FALSE(plug.GetPreset(0)->initialised);
    EXPECT_EQ(plug.GetPreset(0)->state.Size(), 0);
}

TEST(CopyPreset, CopiesStateFlagAndNameAndRefusesWhatWouldLoseData)
{
    PresetPlug plug;
    ASSERT_TRUE(plug.MakePresetFromPairs("Source", {{0, -9.0}}));
    ASSERT_TRUE(plug.CopyPreset(0, 2, true));
    EXPECT_TRUE(plug.GetPreset(2)->initialised);
    EXPECT_STREQ(plug.PresetName(2), "Source");
    EXPECT_EQ(Values(*plug.GetPreset(2)), Values(*plug.GetPreset(0)));
    ASSERT_TRUE(plug.RecallPreset(2, false));
    EXPECT_EQ(plug.GetParam(0)->Value(), -9.0) << "the copy is recalled, not captured";

    EXPECT_FALSE(plug.CopyPreset(0, 0, true)) << "the same slot";
    EXPECT_EQ(Values(*plug.GetPreset(0)).size(), 4u);
    EXPECT_FALSE(plug.CopyPreset(1, 0, true)) << "an empty source";
    EXPECT_STREQ(plug.PresetName(0), "Source");
    EXPECT_FALSE(plug.CopyPreset(0, 3, true));
    EXPECT_FALSE(plug.CopyPreset(-1, 0, true));

    IPlugPreset record;
    ASSERT_TRUE(plug.FillPresetFromPairs(&record, "Factory Default", {{0, -1.0}}));
    EXPECT_FALSE(plug.CopyPresetFrom(nullptr, 0, true));
    EXPECT_FALSE(plug.CopyPresetFrom(plug.GetPreset(0), 0, true));
    ASSERT_TRUE(plug.CopyPresetFrom(&record, 0, false));
    EXPECT_STREQ(plug.PresetName(0), "Source") << "without copyName the name stays";
    EXPECT_EQ(Values(*plug.GetPreset(0))[0], -1.0);
}

}  // namespace
