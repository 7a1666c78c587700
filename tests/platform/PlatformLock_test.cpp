#include "platform/PlatformLock.h"

#include <gtest/gtest.h>

#include <future>

namespace {

bool OtherThreadCanTake(PlatformLock& lock)
{
    return std::async(std::launch::async, [&lock] {
               const bool had = lock.TryLock();
               if (had)
                   lock.Unlock();
               return had;
           }).get();
}

TEST(PlatformLock, HolderMayTakeItAgainAndOthersWaitUntilEveryTakeIsReleased)
{
    PlatformLock lock;
    lock.Lock();
    ASSERT_TRUE(lock.TryLock()) << "the holder takes it again";
    {
        PlatformLockGuard nested(lock);
        EXPECT_FALSE(OtherThreadCanTake(lock));
    }
    lock.Unlock();
    EXPECT_FALSE(OtherThreadCanTake(lock)) << "still held once";
    lock.Unlock();
    EXPECT_TRUE(OtherThreadCanTake(lock));
}

}  // namespace
