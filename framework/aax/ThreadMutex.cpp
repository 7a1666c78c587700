#include "framework/aax/ThreadMutex.h"

#include <new>

void ThreadMutex::Create()
{
    if (!record)
        record.reset(new (std::nothrow) Record);
}

bool ThreadMutex::Lock()
{
    if (!record || record->owner.load() == std::this_thread::get_id())
        return false;
    record->mutex.lock();
    record->owner.store(std::this_thread::get_id());
    return true;
}

void ThreadMutex::Unlock()
{
    if (!record || record->owner.load() != std::this_thread::get_id())
        return;
    record->owner.store(std::thread::id());
    record->mutex.unlock();
}
