// The text label, the push button, the resize corner, the switch and the
// frame picker on the surface, driven as a user would.
#include "graphics/vector/IBitmapControl_SVG1.h"
#include "graphics/vector/IParameterButton_SVG1.h"
#include "graphics/vector/ISVGClickControl.h"
#include "graphics/vector/ISVGResizeControl.h"
#include "graphics/vector/ISwitchControl_SVG1.h"
#include "graphics/vector/ITextControl_SVG1.h"
#include "support/ControlRig.h"
#include "tests/support/CairoStaticData.h"

#include <string>

namespace {

constexpr int32_t kCommand = 40;

using TextLabel = ControlRig;

const char* GroupText(const ShapeGroup* group)
{
    return group->Layer(group->LayerCount() - 1)->Get(0)->text.Get();
}

TEST_F(TextLabel, LabelsSharingAGroupEachDrawTheirOwnText)
{
    ShapeGroup* group = TextGroup();
    auto* wide = Add(new ITextControl_SVG1(plug.get(), {0, 0, 0, 0, 120, 0, 30, 0}, group, "WWWWWWWW"));
    auto* narrow = Add(new ITextControl_SVG1(plug.get(), {0, 0, 40, 0, 120, 0, 30, 0}, group, "i"));
    Redraw();
    EXPECT_STREQ(GroupText(group), "i") << "the last label drawn left its text in the group";
    EXPECT_GT(Inked({0, 0, 20, 30}), 0) << "the wide text reaches the edges";
    EXPECT_EQ(Inked({0, 40, 50, 70}), 0) << "the narrow label shows only its own text";
    EXPECT_GT(Inked({50, 40, 70, 70}), 0);

    // An empty label draws nothing, not the text another left in the group.
    wide->SetTextIfChanged("");
    Redraw();
    EXPECT_EQ(Inked({0, 0, 120, 30}), 0);
    EXPECT_STREQ(narrow->Text(), "i");
}

TEST_F(TextLabel, SetTextIfChangedMarksOnlyADifferentText)
{
    auto* label = Add(new ITextControl_SVG1(plug.get(), {0, 0, 0, 0, 60, 0, 20, 0}, TextGroup(), "-144.0"));
    Tick();
    ASSERT_FALSE(label->IsChanged());
    label->SetTextIfChanged("-144.0");
    EXPECT_FALSE(label->IsChanged());
    label->SetTextIfChanged("-23.0");
    EXPECT_TRUE(label->IsChanged());
    EXPECT_STREQ(label->Text(), "-23.0");
    Tick();
    EXPECT_FALSE(label->IsChanged());
    label->SetTextIfChanged(nullptr);
    EXPECT_STREQ(label->Text(), "");
    EXPECT_TRUE(plug->sent.empty());
}

TEST_F(TextLabel, ServesAsTheCaptionOfAParameterControl)
{
    auto* caption = Add(new ITextControl_SVG1(plug.get(), {0, 0, 0, 0, 60, 0, 20, 0}, TextGroup(), ""));
    auto* name = Add(new ITextControl_SVG1(plug.get(), {0, 0, 20, 0, 60, 0, 20, 0}, TextGroup(), ""));
    auto* gain = Add(new IParameterButton_SVG1(plug.get(), {100, 0, 0, 0, 40, 0, 100, 0}, kGain, TextGroup()));
    gain->LinkCaption(caption);
    gain->LinkName(name);
    plug->RefreshParamControls();
    Wheel(110, 50, 5);  // +0.05 of the range: -20 dB to -17 dB
    EXPECT_STREQ(caption->Text(), "-17.0 dB");
    EXPECT_STREQ(name->Text(), "Gain");
}

TEST_F(TextLabel, AGroupWithoutLayersOrNoGroupDrawsNothing)
{
    groups.push_back(std::make_unique<ShapeGroup>());
    ShapeGroup* bare = groups.back().get();
    bare->SetText("x");
    Add(new ITextControl_SVG1(plug.get(), {0, 0, 0, 0, 60, 0, 20, 0}, bare, "text"));
    Add(new ITextControl_SVG1(plug.get(), {0, 0, 30, 0, 60, 0, 20, 0}, nullptr, "text"));
    Redraw();
    EXPECT_EQ(Inked({0, 0, kWidth, kHeight}), 0);
}

using PushButton = ControlRig;

TEST_F(PushButton, ShowsItsSecondFrameWhileHeldAndSendsItsCommandOnThePress)
{
    auto* button = Add(new ISVGClickControl(plug.get(), {20, 0, 20, 0, 20, 0, 20, 0}, 30, Frames({kRed, kGreen})));
    Tick();
    desktop.ButtonDown(MouseButton::Left, SX(25), SY(25));
    EXPECT_EQ(plug->commands, (std::vector<int32_t>{30}));
    EXPECT_EQ(plug->heldAtCommand, (std::vector<bool>{true})) << "the handler sees the button held";
    EXPECT_TRUE(button->IsPressed());
    Tick();
    EXPECT_EQ(Pixel(25, 25), 0xFF00FF00u);
    desktop.ButtonUp(MouseButton::Left, SX(25), SY(25));
    Tick();
    EXPECT_EQ(Pixel(25, 25), 0xFFFF0000u);
    EXPECT_EQ(plug->commands.size(), 1u) << "the release sends nothing";
    EXPECT_TRUE(plug->sent.empty());
}

TEST_F(PushButton, WithoutACommandItOnlyMoves)
{
    auto* button = Add(new ISVGClickControl(plug.get(), {20, 0, 20, 0, 20, 0, 20, 0}, -1, nullptr));
    desktop.ButtonDown(MouseButton::Right, SX(25), SY(25));
    EXPECT_TRUE(button->IsPressed());
    Tick();
    desktop.ButtonUp(MouseButton::Right, SX(25), SY(25));
    EXPECT_FALSE(button->IsPressed());
    EXPECT_TRUE(plug->commands.empty());
}

using ResizeCorner = ControlRig;

TEST_F(ResizeCorner, EachDragStepIsStoredAndSendsTheCommand)
{
    auto* corner = Add(new ISVGResizeControl(plug.get(), {200, 0, 140, 0, 16, 0, 16, 0}, kCommand, Frames({kRed})));
    desktop.ButtonDown(MouseButton::Left, SX(205), SY(145));
    int32_t dx = -1;
    int32_t dy = -1;
    corner->DragDistance(&dx, &dy);
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 0);
    EXPECT_TRUE(plug->commands.empty()) << "the press only starts the drag";

    desktop.MouseMove(SX(235), SY(165));
    corner->DragDistance(&dx, &dy);
    EXPECT_EQ(dx, 30);
    EXPECT_EQ(dy, 20);
    desktop.MouseMove(SX(230), SY(166));
    corner->DragDistance(&dx, &dy);
    EXPECT_EQ(dx, -5) << "the step since the last move";
    EXPECT_EQ(dy, 1);
    desktop.ButtonUp(MouseButton::Left, SX(230), SY(166));
    EXPECT_EQ(plug->commands, (std::vector<int32_t>{kCommand, kCommand}));

    Click(205, 145);
    corner->DragDistance(&dx, &dy);
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 0);
    Redraw();
    EXPECT_EQ(Pixel(215, 155), 0xFFFF0000u);
}

TEST_F(ResizeCorner, WithoutACommandADragSendsNothing)
{
    auto* corner = Add(new ISVGResizeControl(plug.get(), {200, 0, 140, 0, 16, 0, 16, 0}, -1, nullptr));
    Drag(205, 145, 10, 10);
    int32_t dx = 0;
    int32_t dy = 0;
    corner->DragDistance(&dx, &dy);
    EXPECT_EQ(dx, 10);
    EXPECT_TRUE(plug->commands.empty());
}

class Switch : public ControlRig
{
protected:
    // The values a switch takes over a number of presses.
    std::vector<double> Steps(ISwitchControl_SVG1* control, int presses)
    {
        std::vector<double> values;
        for (int i = 0; i < presses; ++i)
        {
            Click(control->DrawArea().L + 1, control->DrawArea().T + 1);
            values.push_back(control->CurrentValue());
        }
        return values;
    }
};

TEST_F(Switch, StepsThroughItsFramesAndWraps)
{
    auto* two = Add(new ISwitchControl_SVG1(plug.get(), {0, 0, 0, 0, 20, 0, 20, 0}, -1, Frames({kRed, kGreen})));
    auto* three =
        Add(new ISwitchControl_SVG1(plug.get(), {30, 0, 0, 0, 20, 0, 20, 0}, -1, Frames({kRed, kGreen, kBlue})));
    auto* one = Add(new ISwitchControl_SVG1(plug.get(), {60, 0, 0, 0, 20, 0, 20, 0}, -1, Frames({kRed})));
    auto* none = Add(new ISwitchControl_SVG1(plug.get(), {90, 0, 0, 0, 20, 0, 20, 0}, -1, nullptr));
    EXPECT_EQ(Steps(two, 3), (std::vector<double>{1.0, 0.0, 1.0}));
    EXPECT_EQ(Steps(three, 4), (std::vector<double>{0.5, 1.0, 0.0, 0.5}));
    EXPECT_EQ(Steps(one, 2), (std::vector<double>{1.0, 0.0}));
    EXPECT_EQ(Steps(none, 2), (std::vector<double>{1.0, 0.0}));
    Redraw();
    EXPECT_EQ(Pixel(5, 5), 0xFF00FF00u);
    EXPECT_EQ(Pixel(35, 5), 0xFF00FF00u);
    EXPECT_EQ(Pixel(65, 5), 0xFFFF0000u);
}

TEST_F(Switch, EveryStepReachesThePlugIn)
{
    auto* mode = Add(new ISwitchControl_SVG1(plug.get(), {0, 0, 0, 0, 20, 0, 20, 0}, kMode,
                                             Frames({kRed, kGreen, kBlue})));
    mode->AcceptPlugValue(0.0);
    Steps(mode, 2);
    EXPECT_EQ(plug->GetParam(kMode)->Value(), 2.0);
    EXPECT_EQ(plug->changes, (std::vector<int32_t>{kMode, kMode}));
    ASSERT_EQ(plug->sent.size(), 2u);
    EXPECT_EQ(plug->sent[0].unit, 0.5);
}

using FramePicker = ControlRig;

TEST_F(FramePicker, ShowsTheFrameNearestItsValue)
{
    auto* picker = Add(new IBitmapControl_SVG1(plug.get(), {0, 0, 0, 0, 20, 0, 20, 0}, kMode,
                                               Frames({kRed, kGreen, kBlue, kRed, kGreen})));
    picker->AcceptPlugValue(0.37);  // trunc(4 x 0.37 + 0.5) = 1
    Redraw();
    EXPECT_EQ(Pixel(5, 5), 0xFF00FF00u);
    picker->AcceptPlugValue(0.38);  // 2
    Redraw();
    EXPECT_EQ(Pixel(5, 5), 0xFF0000FFu);
    // It follows its parameter and takes no input.
    surface->PushParamToControls(kMode, 2.0, false);
    EXPECT_EQ(picker->CurrentValue(), 1.0);
    Click(5, 5);
    Wheel(5, 5, 1);
    EXPECT_EQ(picker->CurrentValue(), 1.0);
    EXPECT_TRUE(plug->sent.empty());
}

}  // namespace
