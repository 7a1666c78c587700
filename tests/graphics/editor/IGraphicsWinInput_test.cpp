#include "support/WindowFixture.h"

#include "graphics/editor/IKeyCodes.h"
#include "graphics/editor/WinKeyMap.h"
#include "support/FakeViewContainer.h"

namespace {

using Events = std::vector<std::string>;

class Input : public WindowFixture
{
protected:
    void SetUp() override
    {
        back = Add({0, 0, 0, 0, 200, 0, 100, 0}, -1, {255, 20, 20, 20});
        knob = Add({10, 0, 10, 0, 30, 0, 30, 0}, kParamGain);
        other = Add({100, 0, 10, 0, 30, 0, 30, 0}, kParamCount);
        Open();
        Tick();
    }
    // The WM_KEYDOWN codes that reached the host's window.
    std::vector<WPARAM> HostKeys(UINT message = WM_KEYDOWN) const
    {
        std::vector<WPARAM> keys;
        for (const LoggedMessage& m : desktop.HostMessages(host))
            if (m.message == message)
                keys.push_back(m.wParam);
        return keys;
    }

    TestControl* back = nullptr;
    TestControl* knob = nullptr;
    TestControl* other = nullptr;
};

TEST_F(Input, AClickAndDragReachThePressedControlWithItsModifiers)
{
    desktop.ButtonDown(MouseButton::Left, SX(15), SY(20), kShiftKey | kAltKey);
    desktop.MouseMove(SX(18), SY(25), kShiftKey | kAltKey);
    desktop.MouseMove(SX(150), SY(25), kControlKey);  // over the other control: still the pressed one
    desktop.ButtonUp(MouseButton::Left, SX(150), SY(25));
    EXPECT_EQ(knob->events, (Events{"press 15,20 LSA", "drag 18,25 3,5 LSA", "drag 150,25 132,0 LC",
                                    "release 150,25 -"}));
    EXPECT_TRUE(other->events.empty());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(surface->CapturedControl(), -1);
    EXPECT_EQ(plug->gestures, (Events{"begin 0", "end 0"}));

    desktop.Click(MouseButton::Right, SX(120), SY(20), kControlKey);
    EXPECT_EQ(other->events, (Events{"press 120,20 RC", "release 120,20 C"}));
}

TEST_F(Input, EveryButtonReleaseEndsTheCapture)
{
    desktop.ButtonDown(MouseButton::Middle, SX(15), SY(20));
    EXPECT_EQ(GetCapture(), window);
    EXPECT_EQ(surface->CapturedControl(), 1);
    desktop.ButtonUp(MouseButton::Middle, SX(15), SY(20));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(surface->CapturedControl(), -1);
    EXPECT_FALSE(surface->IsMouseButtonHeld());
    EXPECT_EQ(knob->events, (Events{"press 15,20 -", "release 15,20 -"}));
    EXPECT_EQ(plug->gestures, (Events{"begin 0", "end 0"}));
}

TEST_F(Input, ADoubleClickReachesTheControl)
{
    knob->AcceptPlugValue(0.2);
    desktop.DoubleClick(SX(15), SY(20));
    EXPECT_EQ(knob->events, (Events{"press 15,20 L", "release 15,20 -", "double 15,20 L", "release 15,20 -"}));
    EXPECT_NEAR(knob->CurrentValue(), 40.0 / 60.0, 1e-12) << "the default came back";
    other->SetDoubleClickActsAsPress(true);
    desktop.DoubleClick(SX(120), SY(20));
    EXPECT_EQ(other->events, (Events{"press 120,20 L", "release 120,20 -", "press 120,20 L", "release 120,20 -"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Input, TheWheelTurnsWholeNotchesAndAddsUpFineSteps)
{
    desktop.Wheel(SX(15), SY(20), 2 * WHEEL_DELTA, kShiftKey);
    desktop.Wheel(SX(15), SY(20), -WHEEL_DELTA);
    EXPECT_EQ(knob->events, (Events{"wheel 15,20 2 S", "wheel 15,20 -1 -"}));
    knob->events.clear();
    // A high-resolution wheel: quarter notches make one notch every four.
    for (int i = 0; i < 7; ++i)
        desktop.Wheel(SX(15), SY(20), WHEEL_DELTA / 4);
    EXPECT_EQ(knob->events, Events{"wheel 15,20 1 -"});
    // Turning back starts afresh rather than paying off what was left.
    desktop.Wheel(SX(15), SY(20), -WHEEL_DELTA / 2);
    desktop.Wheel(SX(15), SY(20), -WHEEL_DELTA / 2);
    EXPECT_EQ(knob->events, (Events{"wheel 15,20 1 -", "wheel 15,20 -1 -"}));
}

TEST_F(Input, KeysReachTheControlUnderThePointerOrTheHost)
{
    knob->handlesKeys = true;
    desktop.MouseMove(SX(15), SY(20));
    desktop.PressKey('A');
    desktop.PressKey('7');
    desktop.PressKey(VK_UP);
    desktop.PressKey(VK_SPACE);
    EXPECT_EQ(knob->events, (Events{"key 15,20 15", "key 15,20 12", "key 15,20 1", "key 15,20 0"}));
    EXPECT_TRUE(HostKeys().empty()) << "handled keys stay";
    EXPECT_EQ(HostKeys(WM_KEYUP).size(), 4u) << "key releases go to the host";

    // Keys that are no surface key, keypad and function keys among them,
    // go to the host without reaching a control.
    knob->events.clear();
    for (int vk : {VK_TAB, VK_ESCAPE, VK_F12, VK_NUMPAD0 + 1, VK_F1 + 10, VK_MULTIPLY})
        desktop.PressKey(vk);
    EXPECT_TRUE(knob->events.empty());
    EXPECT_EQ(HostKeys(), (std::vector<WPARAM>{VK_TAB, VK_ESCAPE, VK_F12, VK_NUMPAD0 + 1, VK_F1 + 10, VK_MULTIPLY}));

    // A mapped key nobody handles goes to the host too.
    desktop.MouseMove(SX(190), SY(90));
    desktop.PressKey('B');
    EXPECT_EQ(HostKeys().back(), static_cast<WPARAM>('B'));
}

TEST(WinKeyMap, OnlySpaceArrowsDigitsAndLettersAreSurfaceKeys)
{
    EXPECT_EQ(SurfaceKeyOf(VK_SPACE), kKeySpace);
    EXPECT_EQ(SurfaceKeyOf(VK_LEFT), kKeyLeft);
    EXPECT_EQ(SurfaceKeyOf(VK_RIGHT), kKeyRight);
    EXPECT_EQ(SurfaceKeyOf(VK_DOWN), kKeyDown);
    EXPECT_EQ(SurfaceKeyOf('0'), kKeyDigit0);
    EXPECT_EQ(SurfaceKeyOf('Z'), kKeyLetterA + 25);
    for (uintptr_t vk = 97; vk <= 122; ++vk)
        EXPECT_EQ(SurfaceKeyOf(vk), kKeyNone) << vk;
    EXPECT_EQ(SurfaceKeyOf(0x1234567), kKeyNone);
}

TEST_F(Input, HoverFollowsThePointerAndEndsWhenItLeavesTheWindow)
{
    desktop.MouseMove(SX(15), SY(20));
    EXPECT_TRUE(knob->events.empty()) << "hover tracking is off";
    surface->SetHoverTracking(true);
    desktop.MouseMove(SX(16), SY(20));
    desktop.MouseMove(SX(120), SY(20));
    EXPECT_EQ(knob->events, (Events{"hover 16,20", "left"}));
    EXPECT_EQ(other->events, Events{"hover 120,20"});
    EXPECT_EQ(surface->HoverControl(), 2);
    desktop.MouseMove(SX(300), SY(20));  // over the host, off the editor
    EXPECT_EQ(surface->HoverControl(), -1);
    EXPECT_EQ(other->events.back(), "left");
}

TEST_F(Input, AClickTheHostTakesLeavesNoCaptureBehind)
{
    FakeViewContainer view;
    view.takesClicks = true;
    surface->SetViewContainer(&view);
    desktop.ButtonDown(MouseButton::Left, SX(15), SY(20));
    EXPECT_EQ(surface->CapturedControl(), -1);
    EXPECT_FALSE(surface->IsMouseButtonHeld());
    desktop.MouseMove(SX(20), SY(30));
    desktop.ButtonUp(MouseButton::Left, SX(20), SY(30));
    EXPECT_EQ(knob->events, Events{"release 20,30 -"});
    EXPECT_TRUE(plug->gestures.empty());
    EXPECT_EQ(GetCapture(), nullptr);
    surface->SetViewContainer(nullptr);
}

TEST_F(Input, ClosingWhileAButtonIsHeldEndsTheGesture)
{
    desktop.ButtonDown(MouseButton::Left, SX(15), SY(20));
    surface->CloseEditorWindow();
    EXPECT_EQ(plug->gestures, (Events{"begin 0", "end 0"}));
    EXPECT_FALSE(surface->IsMouseButtonHeld());
    EXPECT_EQ(surface->CapturedControl(), -1);
}

}  // namespace
