#include "graphics/raster/RunningUnderWine.h"

#include "platform/win32/Win32Services.h"

namespace {

int underWine = -1;  // -1 until asked

}  // namespace

bool RunningUnderWine()
{
    if (underWine < 0)
    {
        HKEY key = nullptr;
        underWine = RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Wine", &key) == ERROR_SUCCESS ? 1 : 0;
        if (underWine)
            RegCloseKey(key);
    }
    return underWine == 1;
}
