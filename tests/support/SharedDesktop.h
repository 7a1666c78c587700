#pragma once
// The one test desktop of a test program that opens the meter's editor.
// The editor's font cache lives as long as the process and keeps the fonts
// it made on the desktop: a second desktop (which resets the windowing layer)
// would leave it holding dead fonts. So every test of the program shares this
// one, made before the first plug-in instance (whose editor surface lives on
// it), and leaves it as it found it: its windows closed, its script cleared.

#include "platform/win32/Desktop.h"

inline Desktop& SharedDesktop()
{
    static Desktop desktop;
    return desktop;
}
