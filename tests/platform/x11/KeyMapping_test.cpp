// X keys as the layer's virtual keys, modifiers and typed text.

#include <gtest/gtest.h>

#include "platform/win32/Desktop.h"
#include "platform/win32/Win32Windows.h"
#include "platform/x11/KeyMapping.h"

#include <X11/X.h>
#include <X11/keysym.h>

namespace {

TEST(KeyMappingTest, KeysAreNamedByTheirUnshiftedSymbol)
{
    EXPECT_EQ(VirtualKeyOf(XK_a, XK_A), 'A');
    EXPECT_EQ(VirtualKeyOf(XK_2, XK_at), '2') << "shift-2 is still the 2 key";
    EXPECT_EQ(VirtualKeyOf(XK_F12, XK_F12), VK_F12);
    EXPECT_EQ(VirtualKeyOf(XK_Return, XK_Return), VK_RETURN);
    EXPECT_EQ(VirtualKeyOf(XK_ISO_Left_Tab, XK_ISO_Left_Tab), VK_TAB);
    EXPECT_EQ(VirtualKeyOf(XK_period, XK_greater), 0xBE);
    EXPECT_EQ(VirtualKeyOf(XK_Alt_R, XK_Alt_R), VK_MENU);
    EXPECT_EQ(VirtualKeyOf(XK_EuroSign, XK_EuroSign), 0) << "a key without a virtual key";
}

TEST(KeyMappingTest, KeypadKeysFollowNumLock)
{
    EXPECT_EQ(VirtualKeyOf(XK_KP_End, XK_KP_1), VK_NUMPAD0 + 1);
    EXPECT_EQ(VirtualKeyOf(XK_KP_End, XK_KP_End), VK_END);
    EXPECT_EQ(VirtualKeyOf(XK_KP_Enter, XK_KP_Enter), VK_RETURN);
    EXPECT_EQ(VirtualKeyOf(XK_KP_Delete, XK_KP_Decimal), VK_DECIMAL);
}

TEST(KeyMappingTest, AModifierKeyHoldsItsModifierFromItsPressToItsRelease)
{
    EXPECT_EQ(ModifiersOfState(ShiftMask | Mod1Mask | LockMask | Button1Mask), kShiftKey | kAltKey);
    EXPECT_EQ(ModifiersAfterKey(kNoModifiers, VK_CONTROL, true), kControlKey)
        << "the event's state is from before the press";
    EXPECT_EQ(ModifiersAfterKey(kControlKey | kShiftKey, VK_CONTROL, false), kShiftKey);
    EXPECT_EQ(ModifiersAfterKey(kShiftKey, 'A', false), kShiftKey);
}

TEST(KeyMappingTest, TypedTextIsWhatTheKeyboardTypedButNotUnderAlt)
{
    EXPECT_EQ(TypedText(XK_A, "A", 1, kShiftKey), "A");
    EXPECT_EQ(TypedText(XK_z, "\x1A", 1, kControlKey), "\x1A") << "control letters are control codes";
    EXPECT_EQ(TypedText(XK_BackSpace, "\b", 1, kNoModifiers), "\b");
    EXPECT_EQ(TypedText(XK_eacute, "\xE9", 1, kNoModifiers), "\xC3\xA9") << "Latin-1 becomes UTF-8";
    EXPECT_EQ(TypedText(XK_Delete, "\x7F", 1, kNoModifiers), "");
    EXPECT_EQ(TypedText(XK_x, "x", 1, kAltKey), "");
    EXPECT_EQ(TypedText(0x010020AC, nullptr, 0, kNoModifiers), "\xE2\x82\xAC");
    EXPECT_EQ(TypedText(XK_EuroSign, nullptr, 0, kNoModifiers), "\xE2\x82\xAC");
    EXPECT_EQ(TypedText(0x0100D800, nullptr, 0, kNoModifiers), "") << "a surrogate is no character";
    EXPECT_EQ(TypedText(XK_Left, nullptr, 0, kNoModifiers), "");
}

}  // namespace
