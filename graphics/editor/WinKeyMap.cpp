#include "graphics/editor/WinKeyMap.h"

#include "graphics/editor/IKeyCodes.h"
#include "platform/win32/Win32Windows.h"

int32_t SurfaceKeyOf(uintptr_t virtualKey)
{
    switch (virtualKey)
    {
    case VK_SPACE:
        return kKeySpace;
    case VK_UP:
        return kKeyUp;
    case VK_DOWN:
        return kKeyDown;
    case VK_LEFT:
        return kKeyLeft;
    case VK_RIGHT:
        return kKeyRight;
    default:
        break;
    }
    if (virtualKey >= '0' && virtualKey <= '9')
        return kKeyDigit0 + static_cast<int32_t>(virtualKey - '0');
    // Letters only as the letter keys give them: 97-122 are keypad and
    // function keys among the virtual keys, not lower-case letters.
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return kKeyLetterA + static_cast<int32_t>(virtualKey - 'A');
    return kKeyNone;
}
