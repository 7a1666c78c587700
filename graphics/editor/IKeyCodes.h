#pragma once
// The key codes the surface hands to controls: independent of the window
// system's key numbers.

#include <cstdint>

enum EKeyCode : int32_t
{
    kKeySpace = 0,
    kKeyUp = 1,
    kKeyDown = 2,
    kKeyLeft = 3,
    kKeyRight = 4,
    kKeyDigit0 = 5,   // to kKeyDigit0 + 9 for '9'
    kKeyLetterA = 15, // to kKeyLetterA + 25 for 'Z'
    kKeyNone = -1,
};
