// The surface without a window: change scan, drawing into the back buffer,
// value fan-out, dispatch, gestures, resizing.

#include "graphics/editor/IGraphicsWin.h"

#include "graphics/editor/BoundsOps.h"
#include "graphics/editor/IKeyCodes.h"
#include "graphics/raster/LICE_MemBitmap.h"
#include "graphics/raster/LICE_SysBitmap.h"
#include "support/FakeViewContainer.h"
#include "tests/support/SurfacePlug.h"
#include "support/TestControl.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace {

using Events = std::vector<std::string>;

class SurfaceTest : public ::testing::Test
{
protected:
    void SetUp() override { surface.CreateDrawBitmaps(); }

    TestControl* Add(const ILayoutBox& box, int32_t paramIdx = -1, IArgb colour = {255, 200, 0, 0})
    {
        auto* control = new TestControl(&plug, box, paramIdx, colour);
        surface.AppendControl(control);
        return control;
    }
    // What a timer tick collects and draws.
    IBounds Tick()
    {
        IBounds area = {};
        if (surface.CollectChanges(area))
            surface.Draw(area);
        return area;
    }
    // What the window's timer tick collects and draws: each cluster apart.
    std::vector<IBounds> TickAreas()
    {
        std::vector<IBounds> areas;
        surface.CollectChangedAreas(areas);
        for (const IBounds& area : areas)
            surface.Draw(area);
        return areas;
    }
    uint32_t Pixel(int32_t x, int32_t y) const
    {
        LICE_SysBitmap* b = surface.BackBuffer();
        return b->PixelData()[y * b->RowPixels() + x];
    }

    SurfacePlug plug;
    IGraphicsWin surface{&plug, 100, 60, 30};
    IPointerMods none;
};

TEST(BoundsOps, TouchingCountsFromTheLeftOnly)
{
    const IBounds a = {0, 0, 10, 10};
    EXPECT_EQ(BoundsUnion({}, a), a);
    EXPECT_EQ(BoundsUnion(a, {5, 5, 20, 8}), (IBounds{0, 0, 20, 10}));
    EXPECT_TRUE(BoundsIntersect(a, {10, 0, 20, 10})) << "a's right on b's left";
    EXPECT_FALSE(BoundsIntersect({10, 0, 20, 10}, a));
    EXPECT_FALSE(BoundsIntersect(a, {}));
    EXPECT_EQ(BoundsClip(a, {10, 0, 20, 10}), IBounds{}) << "a touch has no area";
}

TEST_F(SurfaceTest, TheChangeScanHearsThePlugInFirstAndCollectsOnlyWhatChanged)
{
    TestControl* a = Add({0, 0, 0, 0, 10, 0, 10, 0});
    TestControl* b = Add({50, 0, 40, 0, 10, 0, 10, 0});
    b->AcceptPlugValue(0.5);  // its first value: the default, nothing to draw
    EXPECT_EQ(Tick(), (IBounds{0, 0, 60, 50})) << "every control is drawn once";
    EXPECT_EQ(Tick(), IBounds{});

    plug.onIdle = [&] { surface.SetControlValue(1, b->CurrentValue() + 0.1); };
    EXPECT_EQ(Tick(), (IBounds{50, 40, 60, 50})) << "set in the idle hook, drawn in the same tick";
    EXPECT_EQ(a->paints, 1);
    EXPECT_EQ(b->paints, 2);

    // 21 quiet ticks in a row: every control's hook, once.
    plug.onIdle = nullptr;
    EXPECT_EQ(Tick(), IBounds{}) << "a value drawn whole is not drawn again";
    for (int i = 0; i < 19; ++i)
        Tick();
    EXPECT_TRUE(a->events.empty());
    Tick();
    EXPECT_EQ(a->events, Events{"quiet"});
    for (int i = 0; i < 20; ++i)
        Tick();
    EXPECT_EQ(a->events, Events{"quiet"});
}

TEST_F(SurfaceTest, DrawPaintsVisibleControlsInListOrderClippedToTheArea)
{
    TestControl* below = Add({0, 0, 0, 0, 40, 0, 40, 0}, -1, {255, 0, 0, 200});
    TestControl* above = Add({20, 0, 20, 0, 40, 0, 40, 0}, -1, {255, 0, 200, 0});
    TestControl* away = Add({70, 0, 0, 0, 10, 0, 10, 0});
    TestControl* hidden = Add({0, 0, 0, 0, 100, 0, 60, 0});
    hidden->SetHidden(true);
    surface.Draw({10, 10, 30, 30});
    EXPECT_EQ(below->paints + above->paints, 2);
    EXPECT_EQ(away->paints + hidden->paints, 0);
    EXPECT_TRUE(away->IsChanged()) << "not drawn: still to be drawn";
    EXPECT_EQ(Pixel(15, 15), 0xFF0000C8u);
    EXPECT_EQ(Pixel(25, 25), 0xFF00C800u);
    EXPECT_EQ(Pixel(35, 35), 0u) << "outside the area";
}

TEST_F(SurfaceTest, AChangeWaitsForAPassThatDrawsItWhole)
{
    TestControl* left = Add({0, 0, 0, 0, 40, 0, 40, 0});
    TestControl* right = Add({60, 0, 0, 0, 40, 0, 40, 0});
    TestControl* below = Add({0, 0, 0, 0, 100, 0, 200, 0});  // reaches beyond the back buffer
    Tick();
    EXPECT_FALSE(below->IsChanged()) << "drawn whole where it can show";

    // Marked without a redraw request, then passes of other areas first.
    right->SetGreyed(true);
    left->SetHidden(true);
    surface.Draw({0, 0, 40, 40});
    surface.Draw({60, 0, 80, 40});
    EXPECT_FALSE(left->IsChanged()) << "hidden, its whole area drawn over";
    EXPECT_TRUE(right->IsChanged()) << "drawn in part";
    EXPECT_FALSE(below->IsChanged()) << "unchanged, drawn in part";
    EXPECT_EQ(Tick(), (IBounds{60, 0, 100, 40}));
    EXPECT_EQ(Tick(), IBounds{});

    // A request without a change becomes one at the next pass, of any area.
    right->RequestRedraw();
    EXPECT_EQ(Tick(), IBounds{});
    surface.Draw({0, 0, 10, 10});
    EXPECT_EQ(Tick(), (IBounds{60, 0, 100, 40}));
}

TEST_F(SurfaceTest, ChangesOfARunStartFromTheBackdropBelowIt)
{
    TestControl* below = Add({0, 0, 0, 0, 100, 0, 60, 0}, -1, {255, 30, 30, 30});
    TestControl* mark = Add({60, 0, 20, 0, 10, 0, 10, 0}, -1, {255, 0, 0, 0});
    TestControl* bar = Add({60, 0, 10, 0, 10, 0, 40, 0}, -1, {128, 200, 0, 0});
    TestControl* lamp = Add({60, 0, 0, 0, 10, 0, 5, 0}, -1, {255, 0, 200, 0});
    surface.AddBackdrop(2, 3);
    for (TestControl* each : {below, mark, bar, lamp})
        each->AcceptPlugValue(0.5);  // the defaults
    TickAreas();
    const uint32_t shown = Pixel(65, 40);
    below->colour = {255, 0, 0, 200};  // unmarked: only a draw of it shows it

    bar->AcceptPlugValue(0.6);
    EXPECT_EQ(TickAreas(), (std::vector<IBounds>{{60, 10, 70, 50}}));
    EXPECT_EQ(below->paints, 1) << "below the run: the stored pixels stand in";
    EXPECT_EQ(bar->paints, 2);
    EXPECT_EQ(Pixel(65, 40), shown);

    // Changed below the run, or outside its area: all is drawn.
    below->AcceptPlugValue(0.6);
    bar->AcceptPlugValue(0.7);
    TickAreas();
    EXPECT_EQ(below->paints, 2);
    EXPECT_NE(Pixel(65, 40), shown);
    surface.Draw({0, 0, 70, 50});
    EXPECT_EQ(below->paints, 3);

    // A change below the run drawn with all in part of its area: the next
    // change of the run draws its whole area (storing the backdrop again).
    mark->AcceptPlugValue(0.6);
    surface.Draw({60, 0, 70, 30});
    EXPECT_EQ(below->paints, 4);
    bar->AcceptPlugValue(0.8);
    EXPECT_EQ(TickAreas(), (std::vector<IBounds>{{60, 0, 70, 50}}));
    EXPECT_EQ(below->paints, 5);
    bar->AcceptPlugValue(0.9);
    TickAreas();
    EXPECT_EQ(below->paints, 5);
}

// A control whose change, when the draw pass asks for it, has a value
// reach another control first: a host thread's push landing mid-pass.
class PushingControl : public TestControl
{
public:
    using TestControl::TestControl;
    IBounds ChangedArea() const override
    {
        if (IControl* to = std::exchange(target, nullptr))
            to->AcceptPlugValue(0.3);
        return TestControl::ChangedArea();
    }
    mutable IControl* target = nullptr;
};

TEST_F(SurfaceTest, AValueThatReachesAControlBelowARunDuringItsDrawWaitsForTheNext)
{
    Add({0, 0, 0, 0, 100, 0, 60, 0}, -1, {255, 30, 30, 30});
    auto* pusher = new PushingControl(&plug, {80, 0, 0, 0, 10, 0, 10, 0});
    surface.AppendControl(pusher);
    TestControl* knob = Add({60, 0, 20, 0, 10, 0, 10, 0}, kParamGain, {255, 0, 0, 0});
    Add({60, 0, 10, 0, 10, 0, 40, 0}, -1, {128, 200, 0, 0});
    surface.AddBackdrop(3, 3);
    TickAreas();

    pusher->RequestRedraw();
    pusher->target = knob;
    surface.Draw({60, 10, 70, 50});  // served by the backdrop: the knob is not drawn
    EXPECT_EQ(knob->paints, 1);
    EXPECT_TRUE(knob->IsChanged());
    TickAreas();
    EXPECT_EQ(knob->paints, 2);
}

TEST_F(SurfaceTest, TheHighestRunWhoseBackdropStandsServes)
{
    TestControl* below = Add({0, 0, 0, 0, 100, 0, 60, 0}, -1, {255, 30, 30, 30});
    TestControl* value = Add({10, 0, 10, 0, 40, 0, 20, 0}, -1, {128, 200, 0, 0});
    TestControl* shade = Add({10, 0, 10, 0, 40, 0, 20, 0}, -1, {64, 0, 0, 200});
    surface.AddBackdrop(2, 2);
    surface.AddBackdrop(1, 1);
    for (TestControl* each : {below, value, shade})
        each->AcceptPlugValue(0.5);  // the defaults
    TickAreas();

    shade->AcceptPlugValue(0.6);
    TickAreas();
    EXPECT_EQ(value->paints, 1) << "below the upper run: the stored pixels stand in";
    value->colour = {255, 0, 200, 0};
    value->AcceptPlugValue(0.6);
    TickAreas();
    EXPECT_EQ(below->paints, 1) << "the lower run serves what the upper cannot";
    EXPECT_EQ(value->paints, 2);
    EXPECT_EQ(shade->paints, 3);
    const uint32_t shown = Pixel(20, 15);

    // What the upper run held is gone with the value it showed.
    shade->AcceptPlugValue(0.7);
    TickAreas();
    EXPECT_EQ(Pixel(20, 15), shown);
}

TEST_F(SurfaceTest, FillsAndFramesAreClippedToTheBackBuffer)
{
    const IArgb red = {255, 255, 0, 0};
    surface.FillBounds(red, {-50, -50, 3, 2}, nullptr);
    surface.FillBounds(red, {97, 58, INT32_MAX, INT32_MAX}, nullptr);
    surface.FillBounds(red, {INT32_MIN, 10, INT32_MAX, 11}, nullptr);
    surface.FillBounds(red, {200, 200, 300, 300}, nullptr);
    surface.FillBounds(red, {50, 40, 40, 50}, nullptr);  // inverted
    EXPECT_EQ(Pixel(2, 1), 0xFFFF0000u);
    EXPECT_EQ(Pixel(3, 1), 0u);
    EXPECT_EQ(Pixel(99, 59), 0xFFFF0000u);
    EXPECT_EQ(Pixel(50, 10), 0xFFFF0000u);
    EXPECT_EQ(Pixel(45, 45), 0u);

    // Three 4 x 2 frames side by side, frame f filled with f.
    LICE_MemBitmap strip(12, 2);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 12; ++x)
            strip.PixelData()[y * strip.RowPixels() + x] = 0xFF000000u | static_cast<uint32_t>(x / 4 + 1);
    const IBlend copy = {1, 1.0f};
    surface.DrawFrameBitmap({&strip, 12, 2, 3, true}, {0, 20, 4, 22}, 2, &copy);
    EXPECT_EQ(Pixel(0, 20), 0xFF000002u);
    surface.DrawFrameBitmap({&strip, 12, 2, 1, true}, {10, 20, 22, 22}, 3, &copy);
    EXPECT_EQ(Pixel(10, 20), 0xFF000001u) << "a strip of one frame draws its origin";
    surface.DrawFrameBitmap({&strip, 12, 2, 3, true}, {-2, 25, 2, 27}, 3, &copy);
    EXPECT_EQ(Pixel(0, 25), 0xFF000003u) << "cut on the left: the source moves with it";
}

TEST_F(SurfaceTest, ValuesFromThePlugInReachBoundControlsAsUnitValues)
{
    TestControl* gain = Add({0, 0, 0, 0, 10, 0, 10, 0}, kParamGain);
    TestControl* follower = Add({0, 0, 0, 0, 10, 0, 10, 0});
    const int32_t slot = follower->AddAuxParam(kParamGain);
    surface.PushParamToControls(kParamGain, -30.0, false);
    EXPECT_EQ(gain->CurrentValue(), 0.5);
    EXPECT_EQ(follower->AuxValue(slot), 0.5);
    surface.PushParamToControls(kParamGain, std::numeric_limits<double>::quiet_NaN(), false);
    surface.PushParamToControls(kParamGain, std::numeric_limits<double>::infinity(), true);
    surface.PushParamToControls(42, 1.0, false);
    EXPECT_EQ(gain->CurrentValue(), 0.5);
    // -1 names no parameter: the controls without one are not reached.
    surface.PushParamToControls(-1, 0.7, true);
    surface.SetParamControlsAsUser(-1, 0.7, true);
    EXPECT_EQ(follower->CurrentValue(), 0.0);
    EXPECT_TRUE(plug.sent.empty());

    surface.SetParamControlsAsUser(kParamGain, -6.0, false);
    EXPECT_EQ(gain->CurrentValue(), 0.9);
    EXPECT_EQ(plug.GetParam(kParamGain)->Value(), -6.0) << "as a user edit, through the plug-in";

    // Following before it joins the list; a list made anew holds only its own.
    auto* early = new TestControl(&plug, {0, 0, 0, 0, 10, 0, 10, 0});
    const int32_t earlySlot = early->AddAuxParam(kParamGain);
    surface.AppendControl(early);
    surface.PushParamToControls(kParamGain, 0.25, true);
    EXPECT_EQ(early->AuxValue(earlySlot), 0.25);
    surface.ResetControls();
    TestControl* other = Add({0, 0, 0, 0, 10, 0, 10, 0}, kParamGain + 1);
    other->AcceptPlugValue(0.0);
    surface.PushParamToControls(kParamGain, 0.75, true);
    EXPECT_EQ(other->CurrentValue(), 0.0);
}

TEST_F(SurfaceTest, ScaledLayoutMovesOnlyControlsThatFollowIt)
{
    TestControl* anchored = Add({-20, 1, 5, 3, 10, 0, 10, 3});
    TestControl* fixed = Add({-20, 1, 5, 3, 10, 0, 10, 3});
    fixed->SetFollowsLayout(false);
    surface.ApplyScaledLayout(616, 352, 1.5, 1.5);
    EXPECT_EQ(anchored->DrawArea(), (IBounds{904, 7, 914, 22}));
    EXPECT_EQ(anchored->TargetArea(), anchored->DrawArea());
    EXPECT_EQ(fixed->DrawArea(), (IBounds{-20, 5, -10, 15}));
}

TEST_F(SurfaceTest, GreyedControlsAndTheBackgroundTakeNoKeys)
{
    TestControl* back = Add({0, 0, 0, 0, 100, 0, 60, 0});
    TestControl* knob = Add({10, 0, 10, 0, 10, 0, 10, 0});
    back->handlesKeys = knob->handlesKeys = true;
    EXPECT_TRUE(surface.KeyDown(12, 12, kKeyUp));
    EXPECT_FALSE(surface.KeyDown(50, 50, kKeySpace)) << "index 0 never takes keys";
    auto* catcher = new TestControl(&plug, {});
    catcher->handlesKeys = true;
    surface.SetKeyCatcher(catcher);
    EXPECT_TRUE(surface.KeyDown(50, 50, kKeyLetterA));
    knob->SetGreyed(true);
    surface.KeyDown(12, 12, kKeyDown);
    surface.PointerDown(12, 12, none);
    surface.WheelTurn(12, 12, none, 1);
    EXPECT_EQ(knob->events, Events{"key 12,12 1"});
    EXPECT_EQ(catcher->events, (Events{"key 50,50 15", "key 12,12 2"}));
    EXPECT_EQ(back->events, (Events{"press 12,12 -", "wheel 12,12 1 -"}));
    surface.PointerUp(12, 12, none);

    // Hover reaches a greyed control that asks for it.
    surface.SetHoverTracking(true);
    knob->SetHoversWhileGreyed(true);
    surface.PointerMove(13, 13, none);
    EXPECT_EQ(knob->events.back(), "hover 13,13");
    surface.PointerMove(500, 500, none);
    EXPECT_EQ(surface.HoverControl(), 1) << "off every control nothing changes";
    surface.PointerLeftAll();
    EXPECT_EQ(surface.HoverControl(), -1);
}

TEST_F(SurfaceTest, GesturesComeInPairs)
{
    Add({0, 0, 0, 0, 20, 0, 20, 0}, kParamGain);
    TestControl* count = Add({50, 0, 0, 0, 20, 0, 20, 0}, kParamCount);
    surface.PointerUp(90, 55, none);  // nothing captured, nothing there: nothing
    surface.PointerUp(55, 5, none);   // a release with no press ends no gesture
    // A second press while the first is held ends the first; a double-click
    // taken as a press is a press.
    surface.PointerDown(5, 5, none);
    surface.PointerDown(55, 5, none);
    surface.PointerUp(55, 5, none);
    count->SetDoubleClickActsAsPress(true);
    EXPECT_TRUE(surface.PointerDoubleClick(55, 5, none));
    surface.PointerUp(55, 5, none);
    EXPECT_FALSE(surface.PointerDoubleClick(5, 5, none));
    EXPECT_EQ(plug.gestures, (Events{"begin 0", "end 0", "begin 1", "end 1", "begin 1", "end 1"}));

    // The pressed control goes while the button is held: its gesture still ends.
    plug.gestures.clear();
    surface.PointerDown(5, 5, none);
    surface.SetEditorSize(100, 60, false);
    surface.PointerUp(5, 5, none);
    EXPECT_EQ(plug.gestures, (Events{"begin 0", "end 0"}));
}

TEST_F(SurfaceTest, TheHostViewMayTakeAParameterClick)
{
    TestControl* gain = Add({0, 0, 0, 0, 20, 0, 20, 0}, kParamGain);
    FakeViewContainer view;
    view.hostModifiers = 32;
    surface.SetViewContainer(&view);
    IPointerMods all;
    all.right = all.shift = all.ctrl = all.alt = true;
    surface.PointerDown(5, 5, all);
    EXPECT_EQ(view.offered, Events{"1 61"}) << "ID index + 1; alt 4, ctrl 8, shift 1, right 16, the host's 32";
    surface.PointerUp(5, 5, none);
    EXPECT_EQ(plug.gestures, (Events{"begin 0", "end 0"})) << "declined: the editor's press";

    view.takesClicks = true;
    gain->events.clear();
    plug.gestures.clear();
    surface.PointerDown(5, 5, none);
    EXPECT_TRUE(gain->events.empty());
    EXPECT_EQ(surface.CapturedControl(), -1) << "nothing of the taken click stays";
    EXPECT_FALSE(surface.IsMouseButtonHeld());
    surface.PointerUp(5, 5, none);
    EXPECT_TRUE(plug.gestures.empty());
    surface.SetViewContainer(nullptr);
}

TEST_F(SurfaceTest, ResizeAndResetLeaveAUsableList)
{
    TestControl* kept = Add({0, 0, 0, 0, 20, 0, 20, 0});
    Add({10, 0, 0, 0, 20, 0, 20, 0});
    surface.SetHoverTracking(true);
    surface.PointerMove(15, 5, none);
    surface.SetEditorSize(150, 90, true);
    EXPECT_EQ(surface.ControlAt(0), kept);
    EXPECT_EQ(kept->DrawArea(), (IBounds{0, 0, 20, 20}));
    EXPECT_EQ(surface.BackBuffer()->Width(), 150);
    EXPECT_EQ(surface.HoverControl(), 1);
    EXPECT_EQ(plug.hostViewSizes, Events{"150 x 90 1"});

    surface.PointerDown(15, 5, none);
    surface.ResetControls();
    EXPECT_EQ(surface.ControlCount(), 0);
    EXPECT_EQ(surface.CapturedControl(), -1);
    EXPECT_EQ(surface.HoverControl(), -1);
    EXPECT_EQ(plug.controlsResets, 1);
    EXPECT_EQ(surface.BackBuffer()->Width(), 150);
    surface.PointerDrag(9, 9, none);
    surface.PointerUp(15, 5, none);
    Add({0, 0, 0, 0, 5, 0, 5, 0});
    EXPECT_EQ(Tick(), (IBounds{0, 0, 5, 5}));

    surface.SetEditorSize(120, 70, false);
    EXPECT_EQ(surface.ControlCount(), 0);
    EXPECT_EQ(plug.hostViewSizes.back(), "120 x 70 0");
}

}  // namespace
