#pragma once
// The buttons and modifier keys of a pointer event, as the editor window
// reads them from the message and the surface hands them to controls.

#include <cstdint>

struct IPointerMods
{
    bool left = false;
    bool right = false;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};
