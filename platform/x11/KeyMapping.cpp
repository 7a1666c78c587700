#include "platform/x11/KeyMapping.h"

#include "platform/win32/Desktop.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32Windows.h"

#include <X11/X.h>
#include <X11/keysym.h>

namespace {

// Virtual keys of the punctuation keys (US layout positions) and the lock
// and system keys.
constexpr int kOemSemicolon = 0xBA, kOemPlus = 0xBB, kOemComma = 0xBC, kOemMinus = 0xBD, kOemPeriod = 0xBE,
              kOemSlash = 0xBF, kOemGrave = 0xC0, kOemOpenBracket = 0xDB, kOemBackslash = 0xDC,
              kOemCloseBracket = 0xDD, kOemQuote = 0xDE;
constexpr int kPause = 0x13, kCapsLock = 0x14, kSnapshot = 0x2C, kApps = 0x5D, kSeparator = 0x6C, kNumLock = 0x90,
              kScrollLock = 0x91;

bool IsKeypad(XKeySym k) { return k >= XK_KP_Space && k <= XK_KP_Equal; }

int KeypadKey(XKeySym k)
{
    if (k >= XK_KP_0 && k <= XK_KP_9)
        return VK_NUMPAD0 + static_cast<int>(k - XK_KP_0);
    switch (k)
    {
    case XK_KP_Enter:
        return VK_RETURN;
    case XK_KP_Multiply:
        return VK_MULTIPLY;
    case XK_KP_Add:
        return VK_ADD;
    case XK_KP_Subtract:
        return VK_SUBTRACT;
    case XK_KP_Decimal:
        return VK_DECIMAL;
    case XK_KP_Divide:
        return VK_DIVIDE;
    case XK_KP_Separator:
        return kSeparator;
    case XK_KP_Home:
        return VK_HOME;
    case XK_KP_End:
        return VK_END;
    case XK_KP_Prior:
        return VK_PRIOR;
    case XK_KP_Next:
        return VK_NEXT;
    case XK_KP_Left:
        return VK_LEFT;
    case XK_KP_Up:
        return VK_UP;
    case XK_KP_Right:
        return VK_RIGHT;
    case XK_KP_Down:
        return VK_DOWN;
    case XK_KP_Insert:
        return VK_INSERT;
    case XK_KP_Delete:
        return VK_DELETE;
    case XK_KP_Space:
        return VK_SPACE;
    case XK_KP_Tab:
        return VK_TAB;
    default:
        return 0;
    }
}

int OtherKey(XKeySym k)
{
    switch (k)
    {
    case XK_space:
        return VK_SPACE;
    case XK_Return:
        return VK_RETURN;
    case XK_Escape:
        return VK_ESCAPE;
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return VK_TAB;
    case XK_BackSpace:
        return VK_BACK;
    case XK_Delete:
        return VK_DELETE;
    case XK_Insert:
        return VK_INSERT;
    case XK_Home:
        return VK_HOME;
    case XK_End:
        return VK_END;
    case XK_Prior:
        return VK_PRIOR;
    case XK_Next:
        return VK_NEXT;
    case XK_Left:
        return VK_LEFT;
    case XK_Up:
        return VK_UP;
    case XK_Right:
        return VK_RIGHT;
    case XK_Down:
        return VK_DOWN;
    case XK_Shift_L:
    case XK_Shift_R:
        return VK_SHIFT;
    case XK_Control_L:
    case XK_Control_R:
        return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
        return VK_MENU;
    case XK_Pause:
        return kPause;
    case XK_Caps_Lock:
        return kCapsLock;
    case XK_Print:
        return kSnapshot;
    case XK_Menu:
        return kApps;
    case XK_Num_Lock:
        return kNumLock;
    case XK_Scroll_Lock:
        return kScrollLock;
    case XK_semicolon:
        return kOemSemicolon;
    case XK_equal:
        return kOemPlus;
    case XK_comma:
        return kOemComma;
    case XK_minus:
        return kOemMinus;
    case XK_period:
        return kOemPeriod;
    case XK_slash:
        return kOemSlash;
    case XK_grave:
        return kOemGrave;
    case XK_bracketleft:
        return kOemOpenBracket;
    case XK_backslash:
        return kOemBackslash;
    case XK_bracketright:
        return kOemCloseBracket;
    case XK_apostrophe:
        return kOemQuote;
    default:
        return 0;
    }
}

unsigned ModifierOfKey(int virtualKey)
{
    switch (virtualKey)
    {
    case VK_SHIFT:
        return kShiftKey;
    case VK_CONTROL:
        return kControlKey;
    case VK_MENU:
        return kAltKey;
    default:
        return 0;
    }
}

}  // namespace

int VirtualKeyOf(XKeySym unshifted, XKeySym typed)
{
    if (IsKeypad(typed))
        return KeypadKey(typed);
    if (IsKeypad(unshifted))
        return KeypadKey(unshifted);
    if (unshifted >= XK_a && unshifted <= XK_z)
        return 'A' + static_cast<int>(unshifted - XK_a);
    if (unshifted >= XK_A && unshifted <= XK_Z)
        return 'A' + static_cast<int>(unshifted - XK_A);
    if (unshifted >= XK_0 && unshifted <= XK_9)
        return '0' + static_cast<int>(unshifted - XK_0);
    if (unshifted >= XK_F1 && unshifted <= XK_F24)
        return VK_F1 + static_cast<int>(unshifted - XK_F1);
    return OtherKey(unshifted);
}

unsigned ModifiersOfState(unsigned state)
{
    return ((state & ShiftMask) ? kShiftKey : 0u) | ((state & ControlMask) ? kControlKey : 0u) |
           ((state & Mod1Mask) ? kAltKey : 0u);
}

unsigned ModifiersAfterKey(unsigned modifiers, int virtualKey, bool press)
{
    const unsigned bit = ModifierOfKey(virtualKey);
    return press ? (modifiers | bit) : (modifiers & ~bit);
}

std::string TypedText(XKeySym typed, const char* latin1, int length, unsigned modifiers)
{
    std::string text;
    if (modifiers & kAltKey)
        return text;
    if (latin1 && length > 0)
    {
        for (int i = 0; i < length; ++i)
            if (const auto byte = static_cast<unsigned char>(latin1[i]); byte != 0x7F)
                AppendUtf8(byte, text);
        return text;
    }
    // Keysyms 0x01000100 and up carry a code point; the euro sign's keysym
    // is its code point.
    const XKeySym code = typed - 0x01000000;
    if (typed >= 0x01000100 && typed <= 0x0110FFFF && !(code >= 0xD800 && code <= 0xDFFF))
        AppendUtf8(static_cast<char32_t>(code), text);
    else if (typed == XK_EuroSign)
        AppendUtf8(0x20AC, text);
    return text;
}
