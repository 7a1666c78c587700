#include "graphics/editor/IControl.h"

#include "graphics/editor/IGraphicsWin.h"
#include "tests/support/SurfacePlug.h"
#include "support/TestControl.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class IControlTest : public ::testing::Test
{
protected:
    // A control on the surface, its first drawing done.
    TestControl* Add(int32_t paramIdx)
    {
        auto* control = new TestControl(&plug, {10, 0, 20, 0, 30, 0, 10, 0}, paramIdx);
        surface.AppendControl(control);
        control->TakeRedrawRequest();
        return control;
    }

    SurfacePlug plug;
    IGraphicsWin surface{&plug, 200, 100, 30};
};

TEST_F(IControlTest, TheDefaultIsTheParametersClampedUnitDefault)
{
    EXPECT_NEAR(Add(kParamGain)->DefaultValue(), 40.0 / 60.0, 1e-12);
    EXPECT_EQ(Add(kParamFixed)->DefaultValue(), 0.0) << "min == max: 0.0, no division by zero";
    EXPECT_FALSE(Add(-1)->HasDefault());
    EXPECT_FALSE(Add(kSurfaceParams)->HasDefault()) << "an index that names no parameter";
}

TEST_F(IControlTest, APlugValueFirstSetsTheDefaultThenMarksWithoutPushing)
{
    TestControl* control = Add(-1);
    control->AcceptPlugValue(0.25);
    EXPECT_EQ(control->DefaultValue(), 0.25);
    EXPECT_FALSE(control->IsChanged());
    control->AcceptPlugValue(0.75);
    EXPECT_TRUE(control->IsChanged());
    EXPECT_EQ(control->DefaultValue(), 0.25);
    Add(kParamGain)->AcceptPlugValue(0.1);
    EXPECT_TRUE(plug.sent.empty());
}

TEST_F(IControlTest, NoValueThatIsNotFiniteIsTaken)
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
    control->SetRawValue(kNaN);  // a subclass's own arithmetic
    control->MarkChanged(true);
    EXPECT_TRUE(plug.sent.empty());
}

TEST_F(IControlTest, PushesAreClampedAndRefreshTheLinkedTexts)
{
    TestControl* control = Add(kParamGain);
    TestText caption;
    TestText name;
    control->LinkCaption(&caption);
    control->LinkName(&name);
    control->SetRawValue(1.3);
    control->MarkChanged(true);
    control->SetRawValue(-0.2);
    control->MarkChanged(true);
    ASSERT_EQ(plug.sent.size(), 2u);
    EXPECT_EQ(plug.sent[0], 1.0);
    EXPECT_EQ(plug.sent[1], 0.0);
    EXPECT_EQ(plug.changes, (std::vector<int32_t>{kParamGain, kParamGain}));
    EXPECT_EQ(caption.text, "-60.0 dB");
    EXPECT_EQ(name.text, "Gain");
    control->AcceptPlugValue(0.5);
    EXPECT_EQ(caption.text, "-60.0 dB") << "only pushes refresh them";

}

TEST_F(IControlTest, DoubleClickRestoresTheDefaultWhenThereIsOne)
{
    TestControl* free = Add(-1);
    free->SetRawValue(0.3);
    free->PointerDoubleClicked(0, 0, {});
    EXPECT_EQ(free->CurrentValue(), 0.3);
    EXPECT_FALSE(free->IsChanged());
    TestControl* gain = Add(kParamGain);
    gain->PointerDoubleClicked(0, 0, {});
    ASSERT_EQ(plug.sent.size(), 1u);
    EXPECT_NEAR(plug.sent[0], 40.0 / 60.0, 1e-12);
}

TEST_F(IControlTest, AreasFlagsAndRedrawRequests)
{
    TestControl* control = Add(-1);
    EXPECT_TRUE(control->Contains(10, 20));
    EXPECT_FALSE(control->Contains(40, 25)) << "right edge";
    EXPECT_FALSE(control->Contains(20, 30)) << "bottom edge";
    control->SetTargetArea({});
    EXPECT_FALSE(control->Contains(0, 0)) << "an empty target takes nothing";

    EXPECT_TRUE(control->ValueEntryDisabled()) << "until a subclass offers it";
    control->SetBlend({0, 0.5f});
    control->SetGreyed(false);
    EXPECT_EQ(control->Blend().weight, 1.0f);
    control->SetGreyed(true);
    EXPECT_EQ(control->Blend().weight, 0.25f);

    // A redraw asked for during a pass comes on the next one.
    control->TakeRedrawRequest();
    control->SetHidden(true);
    EXPECT_TRUE(control->TakeRedrawRequest());
    EXPECT_TRUE(control->IsChanged());
    EXPECT_FALSE(control->TakeRedrawRequest());
    EXPECT_FALSE(control->IsChanged());
}

}  // namespace
