#include "platform/x11/DisplayLocks.h"

#include <X11/Xlibint.h>

void RestoreLocksAfterIOError(Display* display)
{
    XUnlockDisplay(display);
    LockDisplay(display);
}
