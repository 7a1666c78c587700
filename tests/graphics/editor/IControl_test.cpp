#include "graphics/editor/IControl.h"

#include "support/RecordingSurface.h"
#include "support/SurfacePlug.h"
#include "support/TestControl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class IControlTest : public ::testing::Test
{
protected:
    // A control on the surface, clean (its first drawing done).
    TestControl* Add(int32_t paramIdx, const ILayoutBox& box = {10, 0, 20, 0, 30, 0, 10, 0})
    {
        auto* control = new TestControl(&plug, box, paramIdx);
        surface.AppendControl(control);
        control->TakeRedrawRequest();
        return control;
    }

    SurfacePlug plug;
    RecordingSurface surface{&plug, 200, 100, 30};
};

TEST_F(IControlTest, TheDefaultIsTheParametersClampedUnitDefault)
{
    EXPECT_NEAR(Add(kParamGain)->DefaultValue(), 40.0 / 60.0, 1e-12);
    EXPECT_EQ(Add(kParamMode)->DefaultValue(), 0.5);
    // min == max: the unit value of an empty range is 0.0, not a division by zero.
    EXPECT_EQ(Add(kParamFixed)->DefaultValue(), 0.0);
    EXPECT_FALSE(Add(-1)->HasDefault());
    EXPECT_FALSE(Add(kSurfaceParams)->HasDefault()) << "an index that names no parameter";
}

TEST_F(IControlTest, PlugValuesSetTheDefaultFirstThenMarkWithoutPushing)
{
    TestControl* control = Add(-1);
    control->AcceptPlugValue(0.25);
    EXPECT_EQ(control->CurrentValue(), 0.25);
    EXPECT_EQ(control->DefaultValue(), 0.25);
    EXPECT_FALSE(control->IsChanged()) << "the first value only initialises";

    control->AcceptPlugValue(0.25);
    EXPECT_FALSE(control->IsChanged()) << "the same value";
    control->AcceptPlugValue(0.75);
    EXPECT_TRUE(control->IsChanged());
    EXPECT_TRUE(control->HasRedrawRequest());
    EXPECT_EQ(control->DefaultValue(), 0.25);

    TestControl* bound = Add(kParamGain);
    bound->AcceptPlugValue(0.1);
    EXPECT_TRUE(bound->IsChanged());
    EXPECT_TRUE(plug.sent.empty()) << "a value from the plug-in goes back nowhere";
}

TEST_F(IControlTest, NoValueThatIsNotFiniteIsEverTaken)
{
    TestControl* control = Add(kParamGain);
    control->AcceptPlugValue(0.5);
    control->TakeRedrawRequest();
    control->TakeRedrawRequest();
    const int32_t aux = control->AddAuxParam(kParamCount);
    for (double bad : {kNaN, kInf, -kInf})
    {
        control->AcceptPlugValue(bad);
        control->AcceptUserValue(bad);
        control->StoreDefaultValue(bad);
        control->AcceptPlugAuxValue(aux, bad);
    }
    EXPECT_EQ(control->CurrentValue(), 0.5);
    EXPECT_NEAR(control->DefaultValue(), 40.0 / 60.0, 1e-12);
    EXPECT_EQ(control->AuxValue(aux), 0.0);
    EXPECT_FALSE(control->IsChanged());
    EXPECT_TRUE(plug.sent.empty());

    // A subclass that computed a NaN itself pushes nothing either.
    control->SetRawValue(kNaN);
    control->MarkChanged(true);
    EXPECT_TRUE(plug.sent.empty());
}

TEST_F(IControlTest, UserValuesArePushedClampedAndRefreshTheLinkedTexts)
{
    TestControl* control = Add(kParamGain);
    TestText caption;
    TestText name;
    control->LinkCaption(&caption);
    control->LinkName(&name);

    control->SetRawValue(1.3);
    control->MarkChanged(true);
    EXPECT_EQ(control->CurrentValue(), 1.0);
    control->SetRawValue(-0.2);
    control->MarkChanged(true);
    EXPECT_EQ(control->CurrentValue(), 0.0);
    ASSERT_EQ(plug.sent.size(), 2u);
    EXPECT_EQ(plug.sent[0].unit, 1.0);
    EXPECT_EQ(plug.sent[1].unit, 0.0);
    EXPECT_EQ(plug.changes, (std::vector<int32_t>{kParamGain, kParamGain}));
    EXPECT_EQ(caption.text, "-60.0 dB");
    EXPECT_EQ(name.text, "Gain");

    control->AcceptUserValue(0.5);
    EXPECT_EQ(plug.sent.back().unit, 0.5);
    EXPECT_EQ(caption.text, "-30.0 dB");
    EXPECT_TRUE(control->HasRedrawRequest());
    const size_t sent = plug.sent.size();
    control->AcceptUserValue(0.5);
    EXPECT_EQ(plug.sent.size(), sent) << "an equal value is no edit";

    // Without pushing the texts stay.
    control->AcceptPlugValue(0.25);
    EXPECT_EQ(caption.text, "-30.0 dB");
}

TEST_F(IControlTest, TheCaptionIsCutToWholeCharactersWithinItsField)
{
    // 30 bytes of two-byte characters as the unit label: value, blank and
    // label make more than 31 bytes.
    std::string label;
    for (int i = 0; i < 15; ++i)
        label += "\xC3\xA9";
    plug.GetParam(kParamGain)->InitRange("Gain", -20.0, -60.0, 0.0, 0.1, label.c_str());
    TestControl* control = Add(kParamGain);
    TestText caption;
    control->LinkCaption(&caption);
    control->AcceptUserValue(0.5);
    EXPECT_EQ(caption.text, "-30.0 " + label.substr(0, 24));
}

TEST_F(IControlTest, LinkedTextsNeedAParameter)
{
    TestControl* control = Add(kSurfaceParams);
    TestText caption;
    control->LinkCaption(&caption);
    control->AcceptUserValue(0.5);
    EXPECT_EQ(caption.changes, 0);
    EXPECT_TRUE(plug.sent.empty()) << "the plug-in ignores an index that names no parameter";
}

TEST_F(IControlTest, DoubleClickRestoresTheDefaultWhenThereIsOne)
{
    TestControl* free = Add(-1);
    free->SetRawValue(0.3);
    free->PointerDoubleClicked(0, 0, {});
    EXPECT_EQ(free->CurrentValue(), 0.3);
    EXPECT_FALSE(free->IsChanged());

    TestControl* gain = Add(kParamGain);
    gain->AcceptPlugValue(0.1);
    gain->PointerDoubleClicked(0, 0, {});
    EXPECT_NEAR(gain->CurrentValue(), 40.0 / 60.0, 1e-12);
    ASSERT_EQ(plug.sent.size(), 1u);
    EXPECT_NEAR(plug.sent[0].unit, 40.0 / 60.0, 1e-12);
}

TEST_F(IControlTest, ContainsTheTargetAreaOnly)
{
    TestControl* control = Add(-1, {10, 0, 20, 0, 30, 0, 10, 0});
    EXPECT_TRUE(control->Contains(10, 20));
    EXPECT_TRUE(control->Contains(39, 29));
    EXPECT_FALSE(control->Contains(40, 25)) << "right edge";
    EXPECT_FALSE(control->Contains(20, 30)) << "bottom edge";
    control->SetTargetArea({});
    for (int32_t x : {-1, 0, 1, 15})
        EXPECT_FALSE(control->Contains(x, 0)) << x;
    control->SetArea({0, 0, 1, 1});
    EXPECT_TRUE(control->Contains(0, 0));
}

TEST_F(IControlTest, GreyingSetsTheWeightAndHidingAsksForARedraw)
{
    TestControl* control = Add(-1);
    control->SetBlend({0, 0.5f});
    control->SetGreyed(false);
    EXPECT_EQ(control->Blend().weight, 1.0f);
    control->SetGreyed(true);
    EXPECT_EQ(control->Blend().weight, 0.25f);
    EXPECT_TRUE(control->IsChanged());
    control->TakeRedrawRequest();
    control->SetHidden(true);
    EXPECT_TRUE(control->IsHidden());
    // A control asked to redraw during a pass is drawn again on the next.
    EXPECT_TRUE(control->TakeRedrawRequest());
    EXPECT_TRUE(control->IsChanged());
    EXPECT_FALSE(control->TakeRedrawRequest());
    EXPECT_FALSE(control->IsChanged());
}

TEST_F(IControlTest, RightPressOffersValueEntryOnlyOnceASubclassEnablesIt)
{
    TestControl* mode = Add(kParamMode, {10, 0, 10, 0, 11, 0, 21, 0});
    TestControl* gain = Add(kParamGain, {10, 0, 10, 0, 11, 0, 21, 0});
    mode->baseOnPress = gain->baseOnPress = true;
    IPointerMods right;
    right.right = true;
    mode->PointerPressed(12, 12, right);
    gain->PointerPressed(12, 12, right);
    EXPECT_TRUE(surface.popupAreas.empty());
    EXPECT_TRUE(surface.fields.empty());

    mode->SetValueEntryDisabled(false);
    gain->SetValueEntryDisabled(false);
    mode->PointerPressed(12, 12, IPointerMods{});
    EXPECT_TRUE(surface.popupAreas.empty()) << "the left button";

    surface.choice = 2;
    mode->PointerPressed(12, 12, right);
    ASSERT_EQ(surface.popupAreas.size(), 1u);
    EXPECT_EQ(surface.popupAreas[0], mode->DrawArea());
    EXPECT_EQ(surface.popupItems[0], "RMS|*EBU|Peak");
    EXPECT_EQ(mode->CurrentValue(), 1.0);
    EXPECT_EQ(plug.sent.back().idx, kParamMode);
    EXPECT_TRUE(mode->HasRedrawRequest());

    // The field: 40 x 16 around trunc((10 + 21) / 2), trunc((10 + 31) / 2).
    gain->PointerPressed(12, 12, right);
    ASSERT_EQ(surface.fields.size(), 1u);
    EXPECT_EQ(surface.fields[0].area, (IBounds{-5, 12, 35, 28}));
    EXPECT_EQ(surface.fields[0].text, "-20.0");
    EXPECT_EQ(surface.fields[0].control, gain);

    // Without a surface or a parameter there is nothing to offer.
    TestControl loose(&plug, {0, 0, 0, 0, 10, 0, 10, 0}, kParamGain);
    loose.SetValueEntryDisabled(false);
    loose.OpenValueEntry();
    EXPECT_EQ(surface.fields.size(), 1u);
}

TEST_F(IControlTest, AuxiliaryParametersFollowTheirOwnValues)
{
    TestControl* control = Add(kParamGain);
    const int32_t slot = control->AddAuxParam(kParamCount);
    EXPECT_EQ(control->AuxParamIdx(kParamCount), slot);
    EXPECT_EQ(control->AuxParamIdx(kParamMode), -1);
    surface.PushParamToControls(kParamCount, 5.0, false);
    EXPECT_EQ(control->AuxValue(slot), 0.5);
    EXPECT_TRUE(control->IsChanged());
    control->AcceptPlugAuxValue(7, 0.2);
    EXPECT_EQ(control->AuxValue(7), 0.0) << "a slot out of range";
}

}  // namespace
