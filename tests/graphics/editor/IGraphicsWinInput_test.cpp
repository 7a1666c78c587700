#include "support/FakeViewContainer.h"
#include "support/WindowFixture.h"

#include "graphics/editor/IKeyCodes.h"
#include "graphics/editor/WinKeyMap.h"

namespace {

using Events = std::vector<std::string>;

class Input : public WindowFixture
{
protected:
    void SetUp() override
    {
        Add({0, 0, 0, 0, 200, 0, 100, 0}, -1, {255, 20, 20, 20});
        knob = Add({10, 0, 10, 0, 30, 0, 30, 0}, kParamGain);
        other = Add({100, 0, 10, 0, 30, 0, 30, 0}, kParamCount);
        Open();
        Tick();
    }
    std::vector<WPARAM> HostKeys(UINT message = WM_KEYDOWN) const
    {
        std::vector<WPARAM> keys;
        for (const LoggedMessage& m : desktop.HostMessages(host))
            if (m.message == message)
                keys.push_back(m.wParam);
        return keys;
    }

    TestControl* knob = nullptr;
    TestControl* other = nullptr;
};

TEST_F(Input, PressesAndDragsReachTheCapturedControlWithTheirModifiers)
{
    desktop.ButtonDown(MouseButton::Left, SX(15), SY(20), kShiftKey | kAltKey);
    desktop.MouseMove(SX(18), SY(25), kShiftKey | kAltKey);
    desktop.MouseMove(SX(150), SY(25), kControlKey);  // over the other control
    desktop.ButtonUp(MouseButton::Left, SX(150), SY(25));
    EXPECT_EQ(knob->events, (Events{"press 15,20 LSA", "drag 18,25 3,5 LSA", "drag 150,25 132,0 LC",
                                    "release 150,25 -"}));
    EXPECT_TRUE(other->events.empty());
    EXPECT_EQ(plug->gestures, (Events{"begin 0", "end 0"}));

    // Right, middle (its release too ends the capture) and a quick second
    // right press, which the window receives as a double-click.
    desktop.Click(MouseButton::Right, SX(120), SY(20), kControlKey);
    desktop.Click(MouseButton::Right, SX(120), SY(20));
    desktop.ButtonDown(MouseButton::Middle, SX(120), SY(20));
    EXPECT_EQ(GetCapture(), window);
    desktop.ButtonUp(MouseButton::Middle, SX(120), SY(20));
    EXPECT_EQ(other->events, (Events{"press 120,20 RC", "release 120,20 C", "press 120,20 R", "release 120,20 -",
                                     "press 120,20 -", "release 120,20 -"}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(surface->CapturedControl(), -1);
    EXPECT_FALSE(surface->IsMouseButtonHeld());

    knob->events.clear();
    desktop.DoubleClick(SX(15), SY(20));
    EXPECT_EQ(knob->events, (Events{"press 15,20 L", "release 15,20 -", "double 15,20 L", "release 15,20 -"}));
}

TEST_F(Input, AReleaseReachesOnlyTheControlThatTookThePress)
{
    // The click that cancels a value entry.
    knob->baseOnPress = true;
    knob->SetValueEntryDisabled(false);
    desktop.Click(MouseButton::Right, SX(15), SY(20));
    ASSERT_NE(surface->EntryField(), nullptr);
    desktop.Click(MouseButton::Left, SX(120), SY(20));
    EXPECT_EQ(surface->EntryState(), IGraphicsWin::kEntryCancel);
    Tick();
    EXPECT_EQ(knob->events, (Events{"press 15,20 R", "release 15,20 -"}));
    EXPECT_TRUE(other->events.empty()) << "the cancelling click's release";

    // A click the host takes.
    FakeViewContainer view;
    view.takesClicks = true;
    surface->SetViewContainer(&view);
    desktop.RunFor(600);  // not a double-click
    desktop.Click(MouseButton::Left, SX(120), SY(20));
    surface->SetViewContainer(nullptr);
    EXPECT_EQ(view.offered.size(), 1u);
    EXPECT_TRUE(other->events.empty());
}

TEST_F(Input, TheWheelTurnsWholeNotchesAndAddsUpFineSteps)
{
    desktop.Wheel(SX(15), SY(20), 2 * WHEEL_DELTA, kShiftKey);
    desktop.Wheel(SX(15), SY(20), -WHEEL_DELTA);
    for (int i = 0; i < 7; ++i)
        desktop.Wheel(SX(15), SY(20), WHEEL_DELTA / 4);  // a fine-grained wheel
    // Turning back starts afresh rather than paying off what was left.
    desktop.Wheel(SX(15), SY(20), -WHEEL_DELTA / 2);
    desktop.Wheel(SX(15), SY(20), -WHEEL_DELTA / 2);
    EXPECT_EQ(knob->events, (Events{"wheel 15,20 2 S", "wheel 15,20 -1 -", "wheel 15,20 1 -", "wheel 15,20 -1 -"}));
}

TEST_F(Input, KeysReachTheControlUnderThePointerOrTheHost)
{
    knob->handlesKeys = true;
    desktop.MouseMove(SX(15), SY(20));
    for (int vk : {int{'A'}, int{'7'}, VK_UP, VK_SPACE})
        desktop.PressKey(vk);
    EXPECT_EQ(knob->events, (Events{"key 15,20 15", "key 15,20 12", "key 15,20 1", "key 15,20 0"}));
    EXPECT_TRUE(HostKeys().empty()) << "handled keys stay";
    EXPECT_EQ(HostKeys(WM_KEYUP).size(), 4u) << "releases go to the host";

    // No surface key (keypad and function keys among them): to the host.
    knob->events.clear();
    const std::vector<WPARAM> others = {VK_TAB, VK_ESCAPE, VK_F12, VK_NUMPAD0 + 1, VK_F1 + 10, VK_MULTIPLY};
    for (WPARAM vk : others)
        desktop.PressKey(static_cast<int>(vk));
    EXPECT_TRUE(knob->events.empty());
    EXPECT_EQ(HostKeys(), others);
    for (uintptr_t vk = 97; vk <= 122; ++vk)
        EXPECT_EQ(SurfaceKeyOf(vk), kKeyNone) << vk;

    desktop.MouseMove(SX(190), SY(90));
    desktop.PressKey('B');
    EXPECT_EQ(HostKeys().back(), static_cast<WPARAM>('B')) << "a key nobody handles";
}

TEST_F(Input, HoverFollowsThePointerAndEndsWhenItLeaves)
{
    surface->SetHoverTracking(true);
    desktop.MouseMove(SX(16), SY(20));
    desktop.MouseMove(SX(120), SY(20));
    EXPECT_EQ(knob->events, (Events{"hover 16,20", "left"}));
    desktop.MouseMove(SX(300), SY(20));  // over the host, off the editor
    EXPECT_EQ(surface->HoverControl(), -1);
    EXPECT_EQ(other->events, (Events{"hover 120,20", "left"}));
}

TEST_F(Input, ClosingWhileAButtonIsHeldEndsTheGesture)
{
    desktop.ButtonDown(MouseButton::Left, SX(15), SY(20));
    surface->CloseEditorWindow();
    EXPECT_EQ(plug->gestures, (Events{"begin 0", "end 0"}));
    EXPECT_FALSE(surface->IsMouseButtonHeld());
}

}  // namespace
