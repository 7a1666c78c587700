// The meter view on a real editor: what the read-outs, bars, lamps and labels
// show after a known programme, for both meter types and their settings.
#include "graphics/editor/IPanelControlSVG.h"
#include "plugin/MeterParamIndex.h"
#include "support/EditorSession.h"
#include "tests/support/CairoStaticData.h"

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Tables = SonvarekEditorTables;
using Texts = std::vector<std::string>;

// A 1 kHz sine at -23 dBFS on both channels: -23.0 LUFS, -22.9 dBTP (between
// the samples), no range.
const HostSignal kMinus23 = HostSine(std::pow(10.0, -23.0 / 20.0), 1000.0);
// Unit value of -23 dB on the bar's -60 to +12 dB.
constexpr double kMinus23Bar = 37.0 / 72.0;

class MeterView : public EditorSession
{
protected:
    Texts Rows(int32_t first, int32_t end) const
    {
        Texts texts;
        for (int32_t row = first; row < end; ++row)
            texts.push_back(ReadoutValue(row));
        return texts;
    }
    Texts Labels() const
    {
        Texts texts;
        for (int32_t k = 0; k < Tables::kBars; ++k)
            texts.push_back(ChannelLabel(k));
        return texts;
    }
    bool Shown(const std::vector<int32_t>& list) const
    {
        for (int32_t idx : list)
            if (Editor().ControlAt(idx)->IsHidden())
                return false;
        return true;
    }
    bool Hidden(const std::vector<int32_t>& list) const
    {
        for (int32_t idx : list)
            if (!Editor().ControlAt(idx)->IsHidden())
                return false;
        return true;
    }
};

TEST_F(MeterView, TheLoudnessViewShowsEachReadingOnceItsWindowHasFilled)
{
    SetFromHost(kType, "EBU");
    Open();
    Play(kMinus23, 0.3);
    Tick();
    EXPECT_EQ(Rows(6, 13), (Texts{"---", "---", "---", "---", "---", "-22.9", "---"}));
    Play(kMinus23, 0.7);
    Tick();
    EXPECT_EQ(Rows(6, 13), (Texts{"-23.0", "---", "---", "-23.0", "-23.0", "-22.9", "---"}));
    Play(kMinus23, 3.0);
    Tick();
    EXPECT_EQ(Rows(6, 13), (Texts{"-23.0", "-23.0", "-23.0", "-23.0", "-23.0", "-22.9", "0.0"}));
    EXPECT_EQ(Rows(0, 6), Texts(6, "-144.0")) << "the other type's read-outs are left alone";

    for (int32_t k = 0; k < 2; ++k)
    {
        EXPECT_NEAR(BarValue(k), kMinus23Bar, 0.2 / 72.0);
        EXPECT_EQ(BarText(k), " -22.9") << "the true peak held";
        EXPECT_EQ(LampValue(k), 0.0);
    }
    for (int32_t k = 2; k < Tables::kBars; ++k)
    {
        EXPECT_EQ(BarValue(k), 0.0) << "unmeasured channels rest at the floor";
        EXPECT_EQ(BarText(k), "-inf");
    }
    EXPECT_EQ(Labels(), (Texts{"L", "R", "", "", "", ""}));
    EXPECT_EQ(SlotText(Tables::kCaptionSlot), "True Peak");
    EXPECT_EQ(SlotText(Tables::kCaptionUnitSlot), "dBTP");

    SetFromHost(kEBUDelta, "1");
    EXPECT_EQ(ReadoutUnit(6), "LU");
    Play(kMinus23, 0.2);
    Tick();
    EXPECT_EQ(ReadoutValue(6), "0.0") << "less the reference of -23 under Offset";
    EXPECT_EQ(ReadoutValue(11), "-22.9") << "the true peak never";
}

TEST_F(MeterView, AChangeAfterThePlayEndedShowsAtTheNextTick)
{
    SetFromHost(kType, "EBU");
    Open();
    Play(kMinus23, 3.5);
    Tick();
    // -23 LUFS less -23, then -20; the type and mode restart (AVG+3 reads -141 at rest) less -18, then -20.
    const std::tuple<int32_t, const char*, int32_t, const char*> changes[] = {
        {kEBUDelta, "1", 6, "0.0"},       {kEBURefLevel, "-20", 6, "-3.0"}, {kType, "RMS", 1, "-inf"},
        {kRMSMode, "AVG+3", 1, "-141.0"}, {kRMSDelta, "1", 1, "-123.0"},    {kRMSRefLevel, "-20", 1, "-121.0"}};
    for (const auto& [idx, value, row, shown] : changes)
    {
        SetFromHost(idx, value);
        Tick();
        EXPECT_EQ(ReadoutValue(row), shown) << value;
    }
    EXPECT_EQ(BarText(0), "-inf") << "the bars restarted too";
}

TEST_F(MeterView, ThePeakRmsViewShowsItsReadingsAndLightsTheLampsOverZero)
{
    SetFromHost(kType, "RMS");
    SetFromHost(kRMSMode, "AVG");
    Open();
    Play(HostSine(std::pow(10.0, 1.0 / 20.0), 1000.0), 1.0);  // +1 dBFS
    Tick();
    // RMS 3 dB below the peak (the crest factor of a sine), the true peak
    // between samples a little above it.
    EXPECT_EQ(Rows(0, 6), (Texts{"-2.0", "-2.0", "-2.0", "1.0", "1.1", "3.0"}));
    for (int32_t k = 0; k < 2; ++k)
    {
        EXPECT_EQ(LampValue(k), 1.0);
        EXPECT_EQ(BarText(k), " 1.0");
        EXPECT_NEAR(BarValue(k), 61.0 / 72.0, 0.2 / 72.0);
    }
    EXPECT_EQ(LampValue(2), 0.0);
    EXPECT_EQ(Labels(), (Texts{"L", "R", "3", "4", "5", "6"}));
    EXPECT_EQ(ReadoutUnit(0), "dBFS");
    SetFromHost(kRMSDelta, "1");
    EXPECT_EQ(ReadoutUnit(0), "dB");
    EXPECT_EQ(ReadoutUnit(3), "dBFS") << "peaks keep theirs";
}

TEST_F(MeterView, TheTypeShowsItsGroupAndTheChannelConfigNamesTheBars)
{
    EXPECT_TRUE(Shown(Tables().RmsGroupList)) << "RMS by default";
    EXPECT_TRUE(Hidden(Tables().EbuGroupList));
    SetFromHost(kType, "EBU");
    EXPECT_TRUE(Hidden(Tables().RmsGroupList));
    EXPECT_TRUE(Shown(Tables().EbuGroupList));
    const std::pair<const char*, Texts> configs[] = {
        {"1.0", {"M", "", "", "", "", ""}},
        {"4.0", {"L", "R", "Ls", "Rs", "", ""}},
        {"4.1", {"L", "R", "Ls", "Rs", "LFE", ""}},
        {"5.1", {"L", "R", "C", "LFE", "Ls", "Rs"}},
    };
    for (const auto& [config, names] : configs)
    {
        SetFromHost(kEBUChannelConfig, config);
        EXPECT_EQ(Labels(), names) << config;
    }
    SetFromHost(kType, "RMS");
    EXPECT_EQ(Labels(), (Texts{"L", "R", "3", "4", "5", "6"}));
    EXPECT_EQ(SlotText(Tables::kCaptionSlot), "Peak");
    EXPECT_TRUE(Shown(Tables().RmsGroupList));
}

TEST_F(MeterView, SlotsThatNameNoControlOfTheirClassArePassedOver)
{
    // Index 0 is a real control (the orange panel), of another class.
    IControl* panel = Editor().ControlAt(0);
    panel->StoreDefaultValue(0.25);
    panel->AcceptPlugValue(0.25);
    Plug().SetBarMeter(-10.0, 5.0, 0, 0, 0);
    EXPECT_EQ(panel->CurrentValue(), 0.25);
    Plug().SetBarMeter(-10.0, 5.0, -1, 175, 100000);

    const int32_t bar = Tables().BarTable[Tables::kBarSlot];
    const int32_t text = Tables().BarTable[Tables::kBarTextSlot];
    const int32_t lamp = Tables().BarTable[Tables::kLampSlot];
    Plug().SetBarMeter(0.0, 5.0, bar, text, lamp);
    EXPECT_EQ(BarValue(0), 60.0 / 72.0);
    EXPECT_EQ(BarText(0), " 5.0");
    EXPECT_EQ(LampValue(0), 1.0);
}

TEST_F(MeterView, BeforeTheEditorFirstOpensNothingIsTakenAndTheRefreshWaits)
{
    Play(kMinus23, 0.5);
    ASSERT_TRUE(Plug().BarsDue());
    Plug().IdleRefresh();
    EXPECT_TRUE(Plug().BarsDue());
    EXPECT_TRUE(Plug().ReadoutsDue());
    EXPECT_EQ(ReadoutValue(3), "-144.0");
    Open();
    Tick();
    EXPECT_FALSE(Plug().BarsDue());
    EXPECT_EQ(ReadoutValue(3), "-23.0");
}

}  // namespace
