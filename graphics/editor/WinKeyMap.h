#pragma once
// The surface key (EKeyCode) of a window-system virtual key: space, the
// four arrows, '0'-'9' and 'A'-'Z'; kKeyNone for every other key (keypad,
// function keys, ...), which the editor window passes on to the host.

#include <cstdint>

int32_t SurfaceKeyOf(uintptr_t virtualKey);
