// The parameter button and the knob: press, drag, wheel, keys, value entry,
// what they draw and what reaches the plug-in.
#include "graphics/vector/IParameterButton_SVG1.h"
#include "graphics/vector/ISVGKnobControl.h"
#include "support/ControlRig.h"
#include "tests/support/CairoStaticData.h"

namespace {

constexpr double kGainDefault = 40.0 / 60.0;  // -20 dB

class ValueControl : public ControlRig
{
protected:
    // A 40 x 100 knob at (100, 20).
    ISVGKnobControl* Knob(int32_t param, ShapeGroup* group, bool textAlwaysShown = false)
    {
        return Add(new ISVGKnobControl(plug.get(), {100, 0, 20, 0, 40, 0, 100, 0}, param, group, textAlwaysShown));
    }
    IParameterButton_SVG1* Button(int32_t param, ShapeGroup* group, int x = 20)
    {
        return Add(new IParameterButton_SVG1(plug.get(), {x, 0, 20, 0, 40, 0, 100, 0}, param, group));
    }
    // Text at vertical alignment vAlign, 10 high, right-aligned.
    ShapeGroup* EntryGroup(int32_t vAlign)
    {
        ShapeGroup* group = TextGroup();
        Shape* text = group->Layer(1)->Get(0);
        text->verticalAlignment = vAlign;
        text->textStyle.size = 10;
        text->textStyle.alignment = 2;
        return group;
    }
};

TEST_F(ValueControl, DragsAndTheWheelMoveTheValueByTheirGearing)
{
    ISVGKnobControl* knob = Knob(kParamGain, TextGroup());
    Drag(110, 80, 0, -50);  // half the 100-pixel height, upward
    EXPECT_NEAR(knob->CurrentValue(), kGainDefault + 0.125, 1e-12);
    EXPECT_NEAR(plug->GetParam(kParamGain)->GetUnitValue(), kGainDefault + 0.125, 1e-3);
    Drag(110, 80, 0, 50, kControlKey);
    EXPECT_NEAR(knob->CurrentValue(), kGainDefault + 0.1125, 1e-12);
    Wheel(110, 80, 1);
    Wheel(110, 80, -2, kControlKey);
    EXPECT_NEAR(knob->CurrentValue(), kGainDefault + 0.1205, 1e-12);
    Drag(110, 80, 0, -1000);
    EXPECT_EQ(knob->CurrentValue(), 1.0);
    EXPECT_EQ(plug->GetParam(kParamGain)->Value(), 0.0);

    plug->sent.clear();
    Click(110, 80);
    EXPECT_EQ(plug->sent, (std::vector<double>{1.0, 1.0})) << "the press and the release push the value";
    desktop.PressKey(VK_UP);
    EXPECT_EQ(knob->CurrentValue(), 1.0) << "keys go to the host";
}

TEST_F(ValueControl, ShiftPressGivesTheDefaultWhenThereIsOne)
{
    IParameterButton_SVG1* button = Button(kParamGain, TextGroup());
    button->AcceptPlugValue(0.1);
    Click(30, 50, kShiftKey);
    EXPECT_EQ(button->CurrentValue(), kGainDefault);
    EXPECT_EQ(plug->GetParam(kParamGain)->Value(), -20.0);
    button->AcceptPlugValue(0.1);
    button->StoreDefaultValue(-1.0);  // unset
    Click(30, 50, kShiftKey);
    EXPECT_EQ(button->CurrentValue(), 0.1);
}

TEST_F(ValueControl, WithoutAParameterOrAHeightNothingMoves)
{
    ISVGKnobControl* bar = Knob(-1, Frames({kRed}));
    bar->AcceptPlugValue(0.3);
    Drag(110, 80, 0, -50);
    Wheel(110, 80, 3);
    Click(110, 80, kNoModifiers, MouseButton::Right);
    DoubleClick(110, 80);
    EXPECT_EQ(bar->CurrentValue(), 0.3);
    EXPECT_EQ(surface->EntryField(), nullptr);
    EXPECT_TRUE(plug->sent.empty());

    auto* flat = Add(new ISVGKnobControl(plug.get(), {0, 0, 140, 0, 40, 0, 0, 0}, kParamGain, nullptr, false));
    flat->SetTargetArea({0, 140, 40, 150});
    Drag(10, 145, 0, -5);
    EXPECT_EQ(flat->CurrentValue(), kGainDefault) << "no height to divide by";
}

TEST_F(ValueControl, ValueEntryStandsWhereTheArtworkShowsTheValue)
{
    struct Case
    {
        int32_t vAlign;
        int top, height;
    };
    // The draw area spans 20 .. 120.
    for (const Case& c : {Case{0, 20, 10}, Case{1, 65, 10}, Case{2, 110, 10}, Case{7, 20, 100}})
    {
        IParameterButton_SVG1* button = Button(kParamGain, EntryGroup(c.vAlign));
        Click(30, 50, kNoModifiers, MouseButton::Right);
        ASSERT_NE(surface->EntryField(), nullptr) << c.vAlign;
        RECT r{};
        GetWindowRect(surface->EntryField(), &r);
        EXPECT_EQ(r.left, SX(20));
        EXPECT_EQ(r.right - r.left, 41);
        EXPECT_EQ(r.top, SY(c.top)) << c.vAlign;
        EXPECT_EQ(r.bottom - r.top, c.height + 1);
        EXPECT_EQ(button->Style().alignment, 2) << "the shape's text style";
        EXPECT_EQ(button->EntryLength(), 8);
        surface->ResetControls();
    }
    Button(kParamMode, EntryGroup(2));
    Click(30, 50, kNoModifiers, MouseButton::Right);
    ASSERT_EQ(desktop.Services().menuLog.size(), 1u) << "a choice parameter offers its texts";
    EXPECT_EQ(desktop.Services().menuLog[0].at.y, SY(120));
    surface->ResetControls();

    groups.push_back(std::make_unique<ShapeGroup>());
    Button(kParamGain, groups.back().get());
    Button(kParamGain, nullptr, 160);
    Click(30, 50, kNoModifiers, MouseButton::Right);
    DoubleClick(170, 50);
    EXPECT_EQ(surface->EntryField(), nullptr) << "no shape to place it";
}

TEST_F(ValueControl, TypedValuesTravelFromTheButtonButStayInTheKnob)
{
    IParameterButton_SVG1* button = Button(kParamGain, EntryGroup(1));
    DoubleClick(30, 50);
    ASSERT_NE(surface->EntryField(), nullptr);
    SetWindowTextA(surface->EntryField(), "-30");
    desktop.PressKey(VK_RETURN);
    Tick();
    EXPECT_EQ(button->CurrentValue(), 0.5);
    EXPECT_EQ(plug->GetParam(kParamGain)->Value(), -30.0);

    surface->ResetControls();
    plug->sent.clear();
    ISVGKnobControl* knob = Knob(kParamGain, EntryGroup(1));
    surface->SetParamControlsAsUser(kParamGain, -45.0, false);
    EXPECT_EQ(knob->CurrentValue(), 0.25);
    EXPECT_TRUE(knob->HasRedrawRequest());
    EXPECT_TRUE(plug->sent.empty());
}

TEST_F(ValueControl, AButtonNeverShowsTheTextAnotherLeftInTheSharedGroup)
{
    ShapeGroup* shared = TextGroup();
    Button(kParamGain, shared);       // "-20.0"
    Button(kParamCount, shared, 80);  // "3"
    Button(99, shared, 140);     // no parameter: no text at all
    Redraw();
    EXPECT_GT(Inked({20, 20, 60, 120}), 0);
    EXPECT_EQ(Inked({80, 20, 92, 120}) + Inked({108, 20, 120, 120}), 0) << "only the narrow \"3\"";
    EXPECT_GT(Inked({92, 20, 108, 120}), 0);
    EXPECT_EQ(Inked({140, 20, 180, 120}), 0);
}

TEST_F(ValueControl, TheKnobShowsItsValueTextWhileThePointerIsOverIt)
{
    surface->SetHoverTracking(true);
    ShapeGroup* group = TextGroup();
    ISVGKnobControl* knob = Knob(kParamGain, group);
    Add(new ISVGKnobControl(plug.get(), {0, 0, 0, 0, 40, 0, 40, 0}, -1, nullptr, false));
    Redraw();
    EXPECT_STREQ(GroupText(group), "-20.0 dB");
    EXPECT_EQ(Inked({100, 20, 140, 120}), 0) << "hidden while the pointer is elsewhere";
    desktop.MouseMove(SX(110), SY(60));
    Redraw();
    EXPECT_GT(Inked({100, 20, 140, 120}), 0);
    desktop.MouseMove(SX(10), SY(10));
    EXPECT_FALSE(knob->IsHovering());
    Redraw();
    EXPECT_EQ(Inked({100, 20, 140, 120}), 0);
    Knob(kParamMode, TextGroup(), true);
    Redraw();
    EXPECT_GT(Inked({100, 20, 140, 120}), 0) << "always shown";
}

TEST_F(ValueControl, AKnobWithoutAParameterAsksOnlyForWhatItsValueMoved)
{
    // A red field under a green cover that the value slides up.
    ShapeGroup* group = Frames({kRed});
    auto* coverLayer = new ShapeList;
    Shape* cover = coverLayer->AddShape(0.0, 0.0);
    cover->fill.colour = kGreen;
    cover->offsetOn = cover->offsetAnimated = 1;
    cover->offsetX = cover->offsetTargetX = cover->offsetY = 0.0;
    cover->offsetTargetY = -100.0;
    group->AddLayer(coverLayer);
    ISVGKnobControl* bar = Knob(-1, group);
    bar->StoreDefaultValue(0.0);
    Tick();

    bar->AcceptPlugValue(0.5);
    EXPECT_EQ(bar->ChangedArea(), (IBounds{100, 69, 140, 120})) << "the cover's edge went from 120 to 70";
    Tick();
    EXPECT_FALSE(bar->IsChanged());
    bar->AcceptPlugValue(0.52);
    EXPECT_EQ(bar->ChangedArea(), (IBounds{100, 67, 140, 71}));
    Tick();

    // Drawn in part across the rows that differ: no one value shows there.
    bar->AcceptPlugValue(0.6);
    surface->Draw({100, 20, 140, 65});
    EXPECT_EQ(bar->ChangedArea(), (IBounds{100, 20, 140, 120}));
    Tick();
    EXPECT_FALSE(bar->IsChanged());

    // Any other change: the whole of it.
    bar->PointerLeft();
    bar->AcceptPlugValue(0.7);
    EXPECT_EQ(bar->ChangedArea(), (IBounds{100, 20, 140, 120}));
    ISVGKnobControl* knob = Knob(kParamGain, group);
    Tick();
    knob->AcceptPlugValue(0.9);
    EXPECT_EQ(knob->ChangedArea(), (IBounds{100, 20, 140, 120})) << "its text follows the parameter";
}

}  // namespace
