// The text label, push button, resize corner, switch and frame picker on the
// surface, driven as a user would.
#include "graphics/vector/IBitmapControl_SVG1.h"
#include "graphics/vector/IParameterButton_SVG1.h"
#include "graphics/vector/ISVGClickControl.h"
#include "graphics/vector/ISVGResizeControl.h"
#include "graphics/vector/ISwitchControl_SVG1.h"
#include "graphics/vector/ITextControl_SVG1.h"
#include "support/ControlRig.h"
#include "tests/support/CairoStaticData.h"

namespace {

using Controls = ControlRig;

TEST_F(Controls, LabelsSharingAGroupDrawOnlyTheirOwnText)
{
    ShapeGroup* group = TextGroup();
    auto* wide = Add(new ITextControl_SVG1(plug.get(), {0, 0, 0, 0, 120, 0, 30, 0}, group, "WWWWWWWW"));
    Add(new ITextControl_SVG1(plug.get(), {0, 0, 40, 0, 120, 0, 30, 0}, group, "i"));
    groups.push_back(std::make_unique<ShapeGroup>());
    Add(new ITextControl_SVG1(plug.get(), {0, 0, 80, 0, 60, 0, 20, 0}, groups.back().get(), "no layers"));
    Add(new ITextControl_SVG1(plug.get(), {0, 0, 110, 0, 60, 0, 20, 0}, nullptr, "no group"));
    Redraw();
    EXPECT_GT(Inked({0, 0, 20, 30}), 0);
    EXPECT_EQ(Inked({0, 40, 50, 70}), 0) << "the narrow label shows none of the wide text";
    EXPECT_GT(Inked({50, 40, 70, 70}), 0);
    EXPECT_EQ(Inked({0, 80, kWidth, kHeight}), 0);
    wide->SetTextIfChanged("");
    Redraw();
    EXPECT_EQ(Inked({0, 0, 120, 30}), 0) << "an empty label draws nothing";
}

TEST_F(Controls, ALabelIsMarkedOnlyForADifferentText)
{
    auto* label = Add(new ITextControl_SVG1(plug.get(), {0, 0, 0, 0, 60, 0, 20, 0}, TextGroup(), "-144.0"));
    Tick();
    label->SetTextIfChanged("-144.0");
    EXPECT_FALSE(label->IsChanged());
    label->SetTextIfChanged(nullptr);
    EXPECT_TRUE(label->IsChanged());
    EXPECT_STREQ(label->Text(), "");
}

TEST_F(Controls, APushButtonShowsFrameOneWhileHeldAndSendsItsCommandOnThePress)
{
    auto* button = Add(new ISVGClickControl(plug.get(), {20, 0, 20, 0, 20, 0, 20, 0}, 30, Frames({kRed, kGreen})));
    Add(new ISVGClickControl(plug.get(), {60, 0, 20, 0, 20, 0, 20, 0}, -1, nullptr));
    Tick();
    desktop.ButtonDown(MouseButton::Right, SX(25), SY(25));
    EXPECT_EQ(plug->commands, (std::vector<int32_t>{30}));
    EXPECT_EQ(plug->heldAtCommand, (std::vector<bool>{true})) << "the handler sees the click";
    Tick();
    EXPECT_EQ(Pixel(25, 25), 0xFF00FF00u);
    desktop.ButtonUp(MouseButton::Right, SX(25), SY(25));
    Tick();
    EXPECT_EQ(Pixel(25, 25), 0xFFFF0000u);
    EXPECT_FALSE(button->IsPressed());
    Click(65, 25);
    EXPECT_EQ(plug->commands.size(), 1u) << "the release and a button without a command send nothing";
}

TEST_F(Controls, TheResizeCornerStoresEachDragStepAndSendsItsCommand)
{
    auto* corner = Add(new ISVGResizeControl(plug.get(), {200, 0, 140, 0, 16, 0, 16, 0}, 40, nullptr));
    int32_t dx = -1;
    int32_t dy = -1;
    Drag(205, 145, 30, 20);
    corner->DragDistance(&dx, &dy);
    EXPECT_EQ(dx, 30);
    EXPECT_EQ(dy, 20);
    desktop.RunFor(kApartMs);
    desktop.ButtonDown(MouseButton::Left, SX(205), SY(145));
    corner->DragDistance(&dx, &dy);
    EXPECT_EQ(dx, 0) << "a press starts afresh";
    desktop.MouseMove(SX(200), SY(146));
    desktop.MouseMove(SX(198), SY(146));
    corner->DragDistance(&dx, &dy);
    EXPECT_EQ(dx, -2) << "the step since the last move";
    EXPECT_EQ(dy, 0);
    desktop.ButtonUp(MouseButton::Left, SX(198), SY(146));
    EXPECT_EQ(plug->commands, (std::vector<int32_t>{40, 40, 40}));
}

TEST_F(Controls, ASwitchStepsThroughItsFramesAndWraps)
{
    struct Case
    {
        ShapeGroup* group;
        std::vector<double> values;
    };
    const Case cases[] = {{Frames({kRed, kGreen}), {1.0, 0.0, 1.0}},
                          {Frames({kRed, kGreen, kBlue}), {0.5, 1.0, 0.0, 0.5}},
                          {Frames({kRed}), {1.0, 0.0}},
                          {nullptr, {1.0, 0.0}}};
    for (const Case& c : cases)
    {
        auto* control = Add(new ISwitchControl_SVG1(plug.get(), {0, 0, 0, 0, 20, 0, 20, 0}, -1, c.group));
        std::vector<double> values;
        for (size_t i = 0; i < c.values.size(); ++i)
        {
            Click(5, 5);
            values.push_back(control->CurrentValue());
        }
        EXPECT_EQ(values, c.values);
        surface->ResetControls();
    }
    auto* mode = Add(new ISwitchControl_SVG1(plug.get(), {0, 0, 0, 0, 20, 0, 20, 0}, kParamMode,
                                             Frames({kRed, kGreen, kBlue})));
    Click(5, 5);  // from "EBU" (0.5)
    EXPECT_EQ(plug->GetParam(kParamMode)->Value(), 2.0);
    EXPECT_EQ(plug->sent, (std::vector<double>{1.0}));
    Redraw();
    EXPECT_EQ(Pixel(5, 5), 0xFF0000FFu);
    EXPECT_EQ(mode->CurrentValue(), 1.0);
}

TEST_F(Controls, AFramePickerShowsTheFrameNearestItsValueAndTakesNoInput)
{
    auto* picker = Add(new IBitmapControl_SVG1(plug.get(), {0, 0, 0, 0, 20, 0, 20, 0}, kParamMode,
                                               Frames({kRed, kGreen, kBlue, kRed, kGreen})));
    picker->AcceptPlugValue(0.37);  // trunc(4 x 0.37 + 0.5) = 1
    Redraw();
    EXPECT_EQ(Pixel(5, 5), 0xFF00FF00u);
    picker->AcceptPlugValue(0.38);
    Redraw();
    EXPECT_EQ(Pixel(5, 5), 0xFF0000FFu);
    Click(5, 5);
    Wheel(5, 5, 1);
    EXPECT_EQ(picker->CurrentValue(), 0.38);
    EXPECT_TRUE(plug->sent.empty());
}

}  // namespace
