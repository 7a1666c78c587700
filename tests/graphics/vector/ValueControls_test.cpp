// The parameter button and the knob: press, drag, wheel, value entry, what
// they draw and what reaches the plug-in.
#include "graphics/vector/IBitmapControl_SVG1.h"
#include "graphics/vector/IParameterButton_SVG1.h"
#include "graphics/vector/ISVGKnobControl.h"
#include "support/ControlRig.h"
#include "tests/support/CairoStaticData.h"

#include <cmath>
#include <string>

namespace {

// Gain's default, -20 dB, as a unit value.
constexpr double kGainDefault = 40.0 / 60.0;

class ValueControl : public ControlRig
{
protected:
    // A 40 x 100 knob at (100, 20).
    ISVGKnobControl* Knob(int32_t param, ShapeGroup* group, bool textAlwaysShown = false)
    {
        auto* knob = Add(new ISVGKnobControl(plug.get(), {100, 0, 20, 0, 40, 0, 100, 0}, param, group,
                                              textAlwaysShown));
        plug->RefreshParamControls();
        return knob;
    }
    IParameterButton_SVG1* Button(int32_t param, ShapeGroup* group, int x = 20)
    {
        auto* button = Add(new IParameterButton_SVG1(plug.get(), {x, 0, 20, 0, 40, 0, 100, 0}, param, group));
        plug->RefreshParamControls();
        return button;
    }
    // A group whose only shape is text at vertical alignment vAlign, size 10.
    ShapeGroup* EntryGroup(int32_t vAlign)
    {
        ShapeGroup* group = TextGroup();
        Shape* text = group->Layer(1)->Get(0);
        text->verticalAlignment = vAlign;
        text->textStyle.size = 10;
        text->textStyle.alignment = 2;
        return group;
    }
    RECT FieldRect() const
    {
        RECT r{};
        GetWindowRect(surface->EntryField(), &r);
        return r;
    }
};

TEST_F(ValueControl, ADragMovesTheValueByTheTravelOverTheHeight)
{
    ISVGKnobControl* knob = Knob(kGain, TextGroup());
    Drag(110, 80, 0, -50);  // half the 100-pixel height, upward
    EXPECT_NEAR(knob->CurrentValue(), kGainDefault + 0.125, 1e-12);
    EXPECT_NEAR(Unit(kGain), kGainDefault + 0.125, 0.001);
    Drag(110, 80, 0, 50, kControlKey);  // ten times finer
    EXPECT_NEAR(knob->CurrentValue(), kGainDefault + 0.1125, 1e-12);
    Drag(110, 80, 0, -1000);
    EXPECT_EQ(knob->CurrentValue(), 1.0) << "kept to the range";
    EXPECT_EQ(plug->GetParam(kGain)->Value(), 0.0);
}

TEST_F(ValueControl, APressPushesTheValueAndTheReleaseAgain)
{
    Knob(kGain, TextGroup());
    Click(110, 80);
    ASSERT_EQ(plug->sent.size(), 2u) << "the press (a drag of nothing) and the release";
    EXPECT_NEAR(plug->sent[0].unit, kGainDefault, 1e-9);
    EXPECT_EQ(plug->changes, (std::vector<int32_t>{kGain, kGain}));
}

TEST_F(ValueControl, TheWheelMovesByAHundredthANotchOrAThousandthWithCtrl)
{
    IParameterButton_SVG1* button = Button(kGain, TextGroup());
    Wheel(30, 50, 1);
    EXPECT_NEAR(button->CurrentValue(), kGainDefault + 0.01, 1e-12);
    Wheel(30, 50, -2, kControlKey);
    EXPECT_NEAR(button->CurrentValue(), kGainDefault + 0.008, 1e-12);
    Wheel(30, 50, 100);
    EXPECT_EQ(button->CurrentValue(), 1.0);
    EXPECT_EQ(plug->sent.size(), 3u);
}

TEST_F(ValueControl, ShiftPressRestoresTheDefaultWhenThereIsOne)
{
    ISVGKnobControl* knob = Knob(kGain, TextGroup());
    knob->AcceptPlugValue(0.1);
    Click(110, 80, kShiftKey);
    EXPECT_EQ(knob->CurrentValue(), kGainDefault);
    EXPECT_EQ(plug->GetParam(kGain)->Value(), -20.0);

    knob->AcceptPlugValue(0.1);
    knob->StoreDefaultValue(-1.0);  // unset
    plug->sent.clear();
    Click(110, 80, kShiftKey);
    EXPECT_EQ(knob->CurrentValue(), 0.1) << "no default: the value stays (and is pushed as it is)";
    ASSERT_FALSE(plug->sent.empty());
    EXPECT_NEAR(plug->sent.back().unit, 0.1, 1e-9);
}

TEST_F(ValueControl, WithoutAParameterThePointerAndWheelDoNothing)
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
}

TEST_F(ValueControl, ADrawAreaWithoutHeightMovesNothing)
{
    auto* flat = Add(new ISVGKnobControl(plug.get(), {100, 0, 20, 0, 40, 0, 0, 0}, kGain, nullptr, false));
    flat->SetTargetArea({100, 20, 140, 30});
    flat->AcceptPlugValue(0.25);
    Drag(110, 25, 0, -5);
    EXPECT_EQ(flat->CurrentValue(), 0.25);
    ASSERT_FALSE(plug->sent.empty());
    EXPECT_EQ(plug->sent.back().unit, 0.25);
}

TEST_F(ValueControl, TheEntryFieldStandsWhereTheArtworkShowsTheValue)
{
    struct Case
    {
        int32_t vAlign;
        int top, height;
    };
    // The draw area spans 20 .. 120; the text is 10 high.
    for (const Case& c : {Case{0, 20, 10}, Case{1, 65, 10}, Case{2, 110, 10}, Case{7, 20, 100}})
    {
        ShapeGroup* group = EntryGroup(c.vAlign);
        IParameterButton_SVG1* button = Button(kGain, group);
        Click(30, 50, kNoModifiers, MouseButton::Right);
        ASSERT_NE(surface->EntryField(), nullptr) << "vertical alignment " << c.vAlign;
        const RECT r = FieldRect();
        EXPECT_EQ(r.left, SX(20));
        EXPECT_EQ(r.right - r.left, 41);
        EXPECT_EQ(r.top, SY(c.top)) << "vertical alignment " << c.vAlign;
        EXPECT_EQ(r.bottom - r.top, c.height + 1);
        EXPECT_EQ(button->Style().size, 10) << "the shape's text style";
        EXPECT_EQ(button->Style().alignment, 2);
        EXPECT_EQ(button->EntryLength(), 8);
        surface->CancelEntry();
        Tick();
        surface->ResetControls();
    }
}

TEST_F(ValueControl, TypedValuesTravelFromTheButtonButStayInTheKnob)
{
    IParameterButton_SVG1* button = Button(kGain, EntryGroup(1));
    DoubleClick(30, 50);
    ASSERT_NE(surface->EntryField(), nullptr) << "a double-click opens the entry";
    SetWindowTextA(surface->EntryField(), "-30");
    desktop.PressKey(VK_RETURN);
    Tick();
    EXPECT_EQ(button->CurrentValue(), 0.5);
    EXPECT_EQ(plug->GetParam(kGain)->Value(), -30.0);

    surface->ResetControls();
    plug->sent.clear();
    ISVGKnobControl* knob = Knob(kGain, EntryGroup(1));
    Tick();
    surface->SetParamControlsAsUser(kGain, -45.0, false);
    EXPECT_EQ(knob->CurrentValue(), 0.25);
    EXPECT_TRUE(knob->HasRedrawRequest());
    EXPECT_TRUE(plug->sent.empty()) << "the knob never pushes a user value";
    EXPECT_EQ(plug->GetParam(kGain)->Value(), -30.0);
}

TEST_F(ValueControl, AChoiceParameterIsEnteredFromAPopupAtTheTextsPlace)
{
    Button(kMode, EntryGroup(2));
    desktop.Services().chooseMenuItem = [](const MenuRequest& r) { return FindMenuItem(r.items, "Peak"); };
    Click(30, 50, kNoModifiers, MouseButton::Right);
    ASSERT_EQ(desktop.Services().menuLog.size(), 1u);
    EXPECT_EQ(desktop.Services().menuLog[0].at.x, SX(20));
    EXPECT_EQ(desktop.Services().menuLog[0].at.y, SY(120)) << "below the text at the bottom";
    EXPECT_EQ(plug->GetParam(kMode)->Value(), 2.0);
}

TEST_F(ValueControl, WithoutAShapeToPlaceItTheEntryDoesNotOpen)
{
    groups.push_back(std::make_unique<ShapeGroup>());
    Button(kGain, groups.back().get());
    Button(kGain, nullptr, 160);
    Click(30, 50, kNoModifiers, MouseButton::Right);
    DoubleClick(170, 50);
    EXPECT_EQ(surface->EntryField(), nullptr);
    EXPECT_TRUE(desktop.Services().menuLog.empty());
}

TEST_F(ValueControl, AButtonNeverShowsTheTextAnotherLeftInTheSharedGroup)
{
    ShapeGroup* shared = TextGroup();
    Button(kGain, shared);                      // "-20.0"
    IParameterButton_SVG1* count = Button(kCount, shared, 80);  // "3"
    Button(99, shared, 140);                    // no parameter: no text at all
    Redraw();
    EXPECT_GT(Inked({20, 20, 60, 120}), 0);
    EXPECT_EQ(Inked({80, 20, 92, 120}), 0) << "the left of the narrow \"3\" stays clear";
    EXPECT_EQ(Inked({108, 20, 120, 120}), 0);
    EXPECT_GT(Inked({92, 20, 108, 120}), 0);
    EXPECT_EQ(Inked({140, 20, 180, 120}), 0);
    EXPECT_STREQ(shared->Layer(1)->Get(0)->text.Get(), "");
    (void)count;
}

TEST_F(ValueControl, TheKnobDrawsEveryLayerAtItsValue)
{
    auto* layer = new ShapeList;
    Shape* shape = layer->AddShape(0.0, 0.0);
    shape->fill.animated = 1;
    shape->fill.colour = kRed;
    shape->fill.colourTo = kBlue;
    groups.push_back(std::make_unique<ShapeGroup>());
    groups.back()->AddLayer(layer);
    ISVGKnobControl* bar = Knob(-1, groups.back().get(), true);
    for (double v : {0.0, 0.5, 1.0})
    {
        bar->AcceptPlugValue(v);
        Redraw();
        const uint32_t p = Pixel(120, 70);
        EXPECT_EQ(static_cast<int>((p >> 16) & 0xFF), 255 + static_cast<int>(-255 * v)) << v;
        EXPECT_EQ(static_cast<int>(p & 0xFF), static_cast<int>(255 * v)) << v;
    }
}

TEST_F(ValueControl, TheKnobShowsItsValueTextWhileThePointerIsOverIt)
{
    surface->SetHoverTracking(true);
    ShapeGroup* group = TextGroup();
    ISVGKnobControl* knob = Knob(kGain, group);
    Add(new IBitmapControl_SVG1(plug.get(), {0, 0, 0, 0, 40, 0, 40, 0}, -1, Frames({kRed})));
    Redraw();
    EXPECT_STREQ(group->Layer(1)->Get(0)->text.Get(), "-20.0 dB");
    EXPECT_EQ(Inked({100, 20, 140, 120}), 0) << "hidden while the pointer is elsewhere";

    desktop.MouseMove(SX(110), SY(60));
    EXPECT_TRUE(knob->IsHovering());
    Redraw();
    EXPECT_GT(Inked({100, 20, 140, 120}), 0);
    desktop.MouseMove(SX(10), SY(10));
    EXPECT_FALSE(knob->IsHovering());
    Redraw();
    EXPECT_EQ(Inked({100, 20, 140, 120}), 0);

    ISVGKnobControl* shown = Knob(kMode, TextGroup(), true);
    Redraw();
    EXPECT_GT(Inked({100, 20, 140, 120}), 0) << "always shown";
    EXPECT_TRUE(shown->TextAlwaysShown());
}

}  // namespace
