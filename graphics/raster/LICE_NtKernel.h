#pragma once
// Internal to the font layer: whether Windows runs on the NT kernel (UTF-16
// text drawing). Asked once. UI thread.

#include "platform/win32/Win32Services.h"

inline bool LICE_NtKernel()
{
    static const bool nt = (GetVersion() & 0x80000000u) == 0;
    return nt;
}
