#include "graphics/editor/IGraphics.h"

#include "graphics/editor/BoundsOps.h"
#include "graphics/editor/IKeyCodes.h"
#include "graphics/raster/LICE_MemBitmap.h"
#include "graphics/raster/LICE_SysBitmap.h"
#include "support/FakeViewContainer.h"
#include "support/RecordingSurface.h"
#include "support/SurfacePlug.h"
#include "support/TestControl.h"

#include <gtest/gtest.h>

#include <limits>

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
    // Draws what the tick collects; answers the collected area.
    IBounds Tick()
    {
        IBounds area = {};
        if (surface.CollectChanges(area))
            surface.Draw(area);
        return area;
    }
    uint32_t Pixel(int32_t x, int32_t y) const
    {
        LICE_SysBitmap* b = surface.BackBuffer();
        return b->PixelData()[y * b->RowPixels() + x];
    }

    SurfacePlug plug;
    RecordingSurface surface{&plug, 100, 60, 30};
    IPointerMods none;
};

TEST(BoundsOps, UnionIntersectionAndTheEmptyRectangle)
{
    const IBounds a = {0, 0, 10, 10};
    const IBounds b = {5, 5, 20, 8};
    EXPECT_EQ(BoundsUnion(a, b), (IBounds{0, 0, 20, 10}));
    EXPECT_EQ(BoundsUnion({}, b), b);
    EXPECT_EQ(BoundsUnion(a, {}), a);
    EXPECT_EQ(BoundsIntersection(a, b), (IBounds{5, 5, 10, 8}));
    EXPECT_FALSE(BoundsIntersect(a, {}));
    EXPECT_TRUE(BoundsIntersect(a, {10, 0, 20, 10})) << "a's right touching b's left counts";
    EXPECT_FALSE(BoundsIntersect({10, 0, 20, 10}, a)) << "a starting at b's exclusive right does not";
    EXPECT_EQ(BoundsClip({10, 0, 20, 10}, a), IBounds{}) << "a touch is no overlap";
    EXPECT_EQ(BoundsIntersection(a, {30, 30, 40, 40}), IBounds{});
}

TEST(BlendModeOf, EachTypeMapsToAModeAndWeight)
{
    const IBlend copy = {1, 0.5f};
    const IBlend add = {2, 0.7f};
    const IBlend dodge = {3, 0.2f};
    const IBlend other = {9, 0.25f};
    EXPECT_EQ(BlendModeOf(nullptr).mode, kCombineSourceAlpha);
    EXPECT_EQ(BlendModeOf(nullptr).alpha, 1.0f);
    EXPECT_EQ(BlendModeOf(&copy).mode, kCombineCopy);
    EXPECT_EQ(BlendModeOf(&copy).alpha, 0.5f);
    EXPECT_EQ(BlendModeOf(&add).mode, 0x10001);
    EXPECT_EQ(BlendModeOf(&dodge).mode, 0x10002);
    EXPECT_EQ(BlendModeOf(&other).mode, 0x10000);
    EXPECT_EQ(BlendModeOf(&other).alpha, 0.25f);
}

TEST_F(SurfaceTest, TheControlListOwnsAndIndexesItsControls)
{
    EXPECT_EQ(surface.AppendControl(nullptr), -1);
    TestControl* first = Add({0, 0, 0, 0, 10, 0, 10, 0});
    EXPECT_EQ(surface.ControlAt(0), first);
    EXPECT_EQ(first->Surface(), &surface);
    EXPECT_EQ(surface.ControlAt(1), nullptr);
    EXPECT_EQ(surface.ControlAt(-1), nullptr);
    surface.SetControlValue(0, 0.4);
    surface.SetControlValue(5, 0.4);
    EXPECT_EQ(first->CurrentValue(), 0.4);
}

TEST_F(SurfaceTest, TheChangeScanHearsThePlugInFirstAndCollectsOnlyDirtyControls)
{
    TestControl* a = Add({0, 0, 0, 0, 10, 0, 10, 0});
    TestControl* b = Add({50, 0, 40, 0, 10, 0, 10, 0});
    Add({80, 0, 0, 0, 10, 0, 10, 0});
    b->AcceptPlugValue(0.5);  // its first value: the default, nothing to draw
    EXPECT_EQ(Tick(), (IBounds{0, 0, 90, 50})) << "every control is drawn once";
    EXPECT_EQ(a->paints, 1);
    EXPECT_EQ(Tick(), IBounds{});
    EXPECT_EQ(surface.painted.size(), 1u);

    // The plug-in's idle hook sets a value; it is drawn in the same tick.
    plug.onIdle = [&] { surface.SetControlValue(1, b->CurrentValue() + 0.1); };
    const int32_t idles = plug.idleRefreshes;
    EXPECT_EQ(Tick(), (IBounds{50, 40, 60, 50}));
    EXPECT_EQ(plug.idleRefreshes, idles + 1);
    EXPECT_EQ(a->paints, 1);
    EXPECT_EQ(b->paints, 2);
    EXPECT_EQ(surface.painted.back(), (IBounds{50, 40, 60, 50}));
    plug.onIdle = nullptr;
    EXPECT_EQ(Tick(), (IBounds{50, 40, 60, 50})) << "the redraw it asked for";
    EXPECT_EQ(Tick(), IBounds{});
}

TEST_F(SurfaceTest, QuietTicksCallTheHookOnceEvery21)
{
    TestControl* c = Add({0, 0, 0, 0, 10, 0, 10, 0});
    Tick();
    for (int i = 0; i < 20; ++i)
        Tick();
    EXPECT_TRUE(c->events.empty());
    Tick();
    EXPECT_EQ(c->events, Events{"quiet"});
    for (int i = 0; i < 20; ++i)
        Tick();
    c->AcceptPlugValue(0.5);
    c->AcceptPlugValue(0.6);
    // A change starts the count again (a changed control draws twice: the
    // redraw it asked for comes on the next pass).
    EXPECT_NE(Tick(), IBounds{});
    EXPECT_NE(Tick(), IBounds{});
    for (int i = 0; i < 20; ++i)
        Tick();
    EXPECT_EQ(c->events, Events{"quiet"});
    Tick();
    EXPECT_EQ(c->events, (Events{"quiet", "quiet"}));
}

TEST_F(SurfaceTest, DrawPaintsVisibleControlsInTheAreaAndAlwaysPaintsTheWindow)
{
    surface.Draw({0, 0, 5, 5});
    ASSERT_EQ(surface.painted.size(), 1u) << "with no controls the area is still painted (validated)";

    TestControl* below = Add({0, 0, 0, 0, 40, 0, 40, 0}, -1, {255, 0, 0, 200});
    TestControl* above = Add({20, 0, 20, 0, 40, 0, 40, 0}, -1, {255, 0, 200, 0});
    TestControl* away = Add({70, 0, 0, 0, 10, 0, 10, 0});
    TestControl* hidden = Add({0, 0, 0, 0, 100, 0, 60, 0});
    hidden->SetHidden(true);
    surface.Draw({10, 10, 30, 30});
    EXPECT_EQ(below->paints, 1);
    EXPECT_EQ(above->paints, 1);
    EXPECT_EQ(away->paints, 0);
    EXPECT_EQ(hidden->paints, 0);
    EXPECT_FALSE(away->IsChanged()) << "every control's redraw request is taken";
    EXPECT_TRUE(hidden->IsChanged()) << "SetHidden asked for a redraw";
    // Paint order is list order (last on top), clipped to the area.
    EXPECT_EQ(Pixel(15, 15), 0xFF0000C8u);
    EXPECT_EQ(Pixel(25, 25), 0xFF00C800u);
    EXPECT_EQ(Pixel(35, 35), 0u) << "outside the area nothing is drawn";
}

TEST_F(SurfaceTest, FillsAreClippedToTheBackBufferAndTheArea)
{
    const IArgb red = {255, 255, 0, 0};
    surface.FillBounds(red, {-50, -50, 3, 2}, nullptr);
    EXPECT_EQ(Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(Pixel(2, 1), 0xFFFF0000u);
    EXPECT_EQ(Pixel(3, 1), 0u);
    surface.FillBounds(red, {97, 58, INT32_MAX, INT32_MAX}, nullptr);
    EXPECT_EQ(Pixel(99, 59), 0xFFFF0000u);
    EXPECT_EQ(Pixel(96, 59), 0u);
    surface.FillBounds(red, {INT32_MIN, 10, INT32_MAX, 11}, nullptr);
    EXPECT_EQ(Pixel(50, 10), 0xFFFF0000u);
    surface.FillBounds(red, {200, 200, 300, 300}, nullptr);
    surface.FillBounds(red, {50, 40, 40, 50}, nullptr);  // inverted: nothing
    EXPECT_EQ(Pixel(45, 45), 0u);

    // Blend: copy at half weight over black.
    const IBlend half = {1, 0.5f};
    surface.FillBounds({255, 200, 100, 50}, {20, 20, 21, 21}, &half);
    EXPECT_EQ(Pixel(20, 20) & 0xFFFFFF, 0x643219u);
}

TEST_F(SurfaceTest, FrameBitmapsTakeTheirFrameAndAreClipped)
{
    // Three frames side by side, 4 x 2 each: frame f is filled with f.
    LICE_MemBitmap strip(12, 2);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 12; ++x)
            strip.PixelData()[y * strip.RowPixels() + x] = 0xFF000000u | static_cast<uint32_t>(x / 4 + 1);
    const IBitmapStrip across = {&strip, 12, 2, 3, true};
    const IBlend copy = {1, 1.0f};
    surface.DrawFrameBitmap(across, {0, 0, 4, 2}, 2, &copy);
    EXPECT_EQ(Pixel(0, 0), 0xFF000002u);
    surface.DrawFrameBitmap(across, {0, 0, 4, 2}, 1, &copy);
    EXPECT_EQ(Pixel(3, 1), 0xFF000001u);
    const IBitmapStrip single = {&strip, 12, 2, 1, true};
    surface.DrawFrameBitmap(single, {10, 0, 22, 2}, 3, &copy);
    EXPECT_EQ(Pixel(10, 0), 0xFF000001u) << "a strip of one frame draws its origin";
    EXPECT_EQ(Pixel(21, 0), 0xFF000003u);
    // Partly left of the buffer: the source moves with the cut.
    surface.DrawFrameBitmap(across, {-2, 5, 2, 7}, 3, &copy);
    EXPECT_EQ(Pixel(0, 5), 0xFF000003u);

    // Stacked: round(6 x (2 - 1) / 3) = 2 rows down.
    LICE_MemBitmap tall(1, 6);
    for (int32_t y = 0; y < 6; ++y)
        tall.PixelData()[y * tall.RowPixels()] = 0xFF000000u | static_cast<uint32_t>(y);
    surface.DrawFrameBitmap({&tall, 1, 6, 3, false}, {30, 30, 31, 32}, 2, &copy);
    EXPECT_EQ(Pixel(30, 30), 0xFF000002u);
    EXPECT_EQ(Pixel(30, 31), 0xFF000003u);
}

TEST_F(SurfaceTest, ValuesFromThePlugInReachBoundControlsAsUnitValues)
{
    TestControl* gain = Add({0, 0, 0, 0, 10, 0, 10, 0}, kParamGain);
    TestControl* count = Add({0, 0, 0, 0, 10, 0, 10, 0}, kParamCount);
    surface.PushParamToControls(kParamGain, -30.0, false);
    EXPECT_EQ(gain->CurrentValue(), 0.5);
    surface.PushParamToControls(kParamCount, 0.3, true);
    EXPECT_EQ(count->CurrentValue(), 0.3);
    surface.PushParamToControls(kParamGain, std::numeric_limits<double>::quiet_NaN(), false);
    surface.PushParamToControls(kParamGain, std::numeric_limits<double>::infinity(), true);
    EXPECT_EQ(gain->CurrentValue(), 0.5);
    surface.PushParamToControls(42, 1.0, false);  // names no parameter
    EXPECT_TRUE(plug.sent.empty());

    surface.SetParamControlsAsUser(kParamGain, -6.0, false);
    EXPECT_EQ(gain->CurrentValue(), 0.9);
    ASSERT_EQ(plug.sent.size(), 1u);
    EXPECT_EQ(plug.sent[0].idx, kParamGain);
    EXPECT_EQ(plug.GetParam(kParamGain)->Value(), -6.0);
}

TEST_F(SurfaceTest, ScaledLayoutMovesOnlyControlsThatFollowIt)
{
    TestControl* anchored = Add({-20, 1, 5, 3, 10, 0, 10, 3});
    TestControl* fixed = Add({-20, 1, 5, 3, 10, 0, 10, 3});
    fixed->SetFollowsLayout(false);
    surface.ApplyScaledLayout(616, 352, 1.5, 1.5);
    EXPECT_EQ(anchored->DrawArea(), (IBounds{904, 7, 914, 22}));
    EXPECT_EQ(anchored->TargetArea(), anchored->DrawArea());
    EXPECT_EQ(anchored->DesignWidth(), 616);
    EXPECT_EQ(fixed->DrawArea(), (IBounds{-20, 5, -10, 15}));
}

TEST_F(SurfaceTest, KeysGoToControlsAboveTheBackgroundElseToTheCatcher)
{
    TestControl* background = Add({0, 0, 0, 0, 100, 0, 60, 0});
    TestControl* knob = Add({10, 0, 10, 0, 10, 0, 10, 0});
    knob->handlesKeys = true;
    background->handlesKeys = true;
    EXPECT_TRUE(surface.KeyDown(12, 12, kKeyUp));
    EXPECT_EQ(knob->events, Events{"key 12,12 1"});
    EXPECT_FALSE(surface.KeyDown(50, 50, kKeySpace)) << "the background never takes keys";
    EXPECT_TRUE(background->events.empty());
    auto* catcher = new TestControl(&plug, {});
    catcher->handlesKeys = true;
    surface.SetKeyCatcher(catcher);
    EXPECT_TRUE(surface.KeyDown(50, 50, kKeyLetterA));
    EXPECT_EQ(catcher->events, Events{"key 50,50 15"});
    knob->SetGreyed(true);
    EXPECT_TRUE(surface.KeyDown(12, 12, kKeyDown));
    EXPECT_EQ(knob->events.size(), 1u) << "a greyed control takes no keys";
}

TEST_F(SurfaceTest, GreyedControlsTakeNoPressesButMayHover)
{
    TestControl* back = Add({0, 0, 0, 0, 100, 0, 60, 0});
    TestControl* greyed = Add({10, 0, 10, 0, 10, 0, 10, 0});
    greyed->SetGreyed(true);
    surface.PointerDown(12, 12, none);
    surface.WheelTurn(12, 12, none, 1);
    EXPECT_TRUE(greyed->events.empty());
    EXPECT_EQ(back->events.size(), 2u);
    surface.PointerUp(12, 12, none);

    EXPECT_FALSE(surface.PointerMove(12, 12, none)) << "hover tracking is off";
    surface.SetHoverTracking(true);
    back->events.clear();
    EXPECT_TRUE(surface.PointerMove(12, 12, none));
    EXPECT_EQ(back->events, Events{"hover 12,12"});
    greyed->SetHoversWhileGreyed(true);
    surface.PointerMove(13, 13, none);
    EXPECT_EQ(greyed->events, Events{"hover 13,13"});
    EXPECT_EQ(back->events, (Events{"hover 12,12", "left"}));
    EXPECT_EQ(surface.HoverControl(), 1);
    surface.PointerMove(500, 500, none);
    EXPECT_EQ(surface.HoverControl(), 1) << "off every control nothing changes";
    surface.PointerLeftAll();
    EXPECT_EQ(surface.HoverControl(), -1);
    EXPECT_EQ(greyed->events.back(), "left");
}

TEST_F(SurfaceTest, CaptureKeepsTheDragOnThePressedControl)
{
    TestControl* a = Add({0, 0, 0, 0, 20, 0, 20, 0});
    TestControl* b = Add({50, 0, 0, 0, 20, 0, 20, 0});
    IPointerMods left;
    left.left = true;
    left.shift = true;
    surface.PointerDown(5, 5, left);
    EXPECT_EQ(surface.CapturedControl(), 0);
    EXPECT_TRUE(surface.IsMouseButtonHeld());
    EXPECT_TRUE(surface.LastPressModifiers().shift);
    surface.PointerDrag(5, 5, left);  // no movement
    surface.PointerDrag(60, 7, left);
    surface.PointerDrag(58, 9, left);
    surface.PointerUp(58, 9, none);
    EXPECT_EQ(a->events, (Events{"press 5,5 LS", "drag 60,7 55,2 LS", "drag 58,9 -2,2 LS", "release 58,9 -"}));
    EXPECT_TRUE(b->events.empty());
    EXPECT_EQ(surface.CapturedControl(), -1);
    EXPECT_FALSE(surface.IsMouseButtonHeld());
    surface.PointerDrag(70, 10, left);
    EXPECT_EQ(a->events.size(), 4u) << "no drag without capture";

    // A release with nothing captured and nothing under the pointer does nothing.
    surface.PointerUp(90, 55, none);
    EXPECT_EQ(a->events.size(), 4u);
    EXPECT_TRUE(b->events.empty());
}

TEST_F(SurfaceTest, DoubleClicksPressOrRestore)
{
    TestControl* plain = Add({0, 0, 0, 0, 20, 0, 20, 0});
    TestControl* asPress = Add({50, 0, 0, 0, 20, 0, 20, 0}, kParamGain);
    asPress->SetDoubleClickActsAsPress(true);
    EXPECT_FALSE(surface.PointerDoubleClick(5, 5, none));
    EXPECT_EQ(plain->events, Events{"double 5,5 -"});
    EXPECT_EQ(surface.CapturedControl(), -1);
    EXPECT_TRUE(surface.PointerDoubleClick(55, 5, none));
    EXPECT_EQ(asPress->events, Events{"press 55,5 -"});
    EXPECT_EQ(surface.CapturedControl(), 1);
    surface.PointerUp(55, 5, none);
    EXPECT_EQ(plug.gestures, (Events{"begin 0", "end 0"})) << "a press is a gesture however it comes";
    EXPECT_FALSE(surface.PointerDoubleClick(95, 55, none));
}

TEST_F(SurfaceTest, GesturesComeInPairsForTheParameterTheyBeganWith)
{
    TestControl* gain = Add({0, 0, 0, 0, 20, 0, 20, 0}, kParamGain);
    Add({50, 0, 0, 0, 20, 0, 20, 0}, kParamCount);
    Add({0, 0, 30, 0, 20, 0, 20, 0});
    surface.PointerDown(5, 5, none);
    surface.PointerUp(5, 5, none);
    surface.PointerDown(5, 35, none);  // no parameter: no gesture
    surface.PointerUp(5, 35, none);
    EXPECT_EQ(plug.gestures, (Events{"begin 0", "end 0"}));

    // Released over another bound control: the gesture of the press ends.
    plug.gestures.clear();
    surface.PointerDown(5, 5, none);
    surface.PointerUp(55, 5, none);
    // A second press while the first is held ends the first.
    surface.PointerDown(5, 5, none);
    surface.PointerDown(55, 5, none);
    surface.PointerUp(55, 5, none);
    // A release with no press before it ends nothing.
    surface.PointerUp(55, 5, none);
    EXPECT_EQ(plug.gestures, (Events{"begin 0", "end 0", "begin 0", "end 0", "begin 1", "end 1"}));

    // The pressed control goes while the button is held.
    plug.gestures.clear();
    surface.PointerDown(5, 5, none);
    EXPECT_EQ(surface.OpenGestureParam(), kParamGain);
    surface.SetEditorSize(100, 60, false);
    surface.PointerUp(5, 5, none);
    EXPECT_EQ(plug.gestures, (Events{"begin 0", "end 0"}));
    EXPECT_EQ(surface.OpenGestureParam(), -1);
    (void)gain;
}

TEST_F(SurfaceTest, TheHostViewMayTakeAParameterClick)
{
    TestControl* gain = Add({0, 0, 0, 0, 20, 0, 20, 0}, kParamGain);
    TestControl* free = Add({50, 0, 0, 0, 20, 0, 20, 0});
    FakeViewContainer view;
    view.hostModifiers = 32;
    surface.SetViewContainer(&view);
    IPointerMods mods;
    mods.right = mods.shift = mods.ctrl = mods.alt = true;
    surface.PointerDown(5, 5, mods);
    EXPECT_EQ(view.offered, Events{"1 61"});
    EXPECT_EQ(gain->events.size(), 1u) << "the host declined";
    EXPECT_EQ(plug.gestures, Events{"begin 0"});
    surface.PointerUp(5, 5, none);

    view.takesClicks = true;
    view.hostModifiersFail = true;
    gain->events.clear();
    plug.gestures.clear();
    surface.PointerDown(5, 5, none);
    EXPECT_EQ(view.offered.back(), "1 0");
    EXPECT_TRUE(gain->events.empty());
    EXPECT_TRUE(plug.gestures.empty());
    EXPECT_EQ(surface.CapturedControl(), -1) << "nothing of the taken click stays";
    EXPECT_FALSE(surface.IsMouseButtonHeld());
    surface.PointerDrag(10, 10, none);
    surface.PointerUp(5, 5, none);
    EXPECT_EQ(gain->events, Events{"release 5,5 -"});
    EXPECT_TRUE(plug.gestures.empty());

    surface.PointerDown(55, 5, none);
    EXPECT_EQ(view.offered.size(), 2u) << "a control without a parameter is not offered";
    EXPECT_EQ(free->events.size(), 1u);
    surface.PointerUp(55, 5, none);
    surface.SetViewContainer(nullptr);
}

TEST_F(SurfaceTest, ResizingKeepsOrDropsTheControls)
{
    TestControl* kept = Add({0, 0, 0, 0, 20, 0, 20, 0});
    surface.SetHoverTracking(true);
    surface.PointerMove(5, 5, none);
    EXPECT_TRUE(surface.SetEditorSize(150, 90, true));
    EXPECT_EQ(surface.ControlAt(0), kept);
    EXPECT_EQ(kept->DrawArea(), (IBounds{0, 0, 20, 20}));
    EXPECT_EQ(surface.BackBuffer()->Width(), 150);
    EXPECT_EQ(surface.BackBuffer()->Height(), 90);
    EXPECT_EQ(surface.HoverControl(), 0);
    EXPECT_EQ(plug.hostViewSizes, Events{"150 x 90 1"});
    EXPECT_EQ(plug.resized, std::vector<int32_t>{1});

    surface.PointerDown(5, 5, none);
    surface.SetEditorSize(120, 70, false);
    EXPECT_EQ(surface.ControlCount(), 0);
    EXPECT_EQ(surface.CapturedControl(), -1);
    EXPECT_EQ(surface.HoverControl(), -1);
    EXPECT_EQ(plug.hostViewSizes.back(), "120 x 70 0");
    surface.PointerDrag(9, 9, none);
    surface.PointerUp(5, 5, none);
    surface.PointerMove(5, 5, none);
    EXPECT_EQ(surface.Width(), 120);
}

TEST_F(SurfaceTest, ResetLeavesAnEmptyUsableList)
{
    Add({0, 0, 0, 0, 20, 0, 20, 0});
    Add({10, 0, 0, 0, 20, 0, 20, 0});
    surface.SetHoverTracking(true);
    surface.PointerMove(15, 5, none);
    surface.PointerDown(15, 5, none);
    EXPECT_EQ(surface.HoverControl(), 1);
    surface.ResetControls();
    EXPECT_EQ(surface.ControlCount(), 0);
    EXPECT_EQ(surface.CapturedControl(), -1);
    EXPECT_EQ(surface.HoverControl(), -1);
    EXPECT_EQ(plug.controlsResets, 1);
    ASSERT_NE(surface.BackBuffer(), nullptr);
    EXPECT_EQ(surface.BackBuffer()->Width(), 100);
    surface.PointerMove(15, 5, none);
    surface.PointerUp(15, 5, none);
    TestControl* fresh = Add({0, 0, 0, 0, 5, 0, 5, 0});
    EXPECT_EQ(surface.ControlAt(0), fresh);
    EXPECT_EQ(Tick(), (IBounds{0, 0, 5, 5}));
}

TEST(SurfaceWithoutPlugIn, WorksAlone)
{
    RecordingSurface surface(nullptr, 0, -5, 0);
    EXPECT_EQ(surface.FramesPerSecond(), 25);
    surface.CreateDrawBitmaps();
    EXPECT_EQ(surface.BackBuffer()->PixelData(), nullptr);
    surface.FillBounds({255, 1, 2, 3}, {0, 0, 10, 10}, nullptr);
    auto* control = new TestControl(nullptr, {0, 0, 0, 0, 5, 0, 5, 0}, 0);
    surface.AppendControl(control);
    surface.PointerDown(1, 1, {});
    surface.PointerUp(1, 1, {});
    IBounds area = {};
    EXPECT_TRUE(surface.CollectChanges(area));
    surface.Draw(area);
    EXPECT_FALSE(surface.SetEditorSize(10, 10, true));
}

}  // namespace
