#include "plugin/CreateSonvarekInstance.h"

#include "platform/PlatformLock.h"

namespace {

// Made on first use, destroyed at process exit.
PlatformLock& FactoryLock()
{
    static PlatformLock lock;
    return lock;
}

}  // namespace

Sonvarek* CreateSonvarekInstance(Sonvarek* (*construct)())
{
    if (!construct)
        return nullptr;
    PlatformLockGuard guard(FactoryLock());
    try
    {
        return construct();
    }
    catch (...)
    {
        // A throwing constructor's memory is freed by the new-expression.
        return nullptr;
    }
}
