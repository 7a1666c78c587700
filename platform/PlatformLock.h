#pragma once
// The platform's re-entrant lock: a thread that holds it may take it again and
// must release it as often as it took it. Used as the plug-in lock, which the
// render path, every parameter change and state serialisation take.

#include <mutex>

class PlatformLock
{
public:
    PlatformLock() = default;
    PlatformLock(const PlatformLock&) = delete;
    PlatformLock& operator=(const PlatformLock&) = delete;

    // Any thread; blocks until the lock is had.
    void Lock() { mutex.lock(); }
    // Any thread; false (and nothing held) when another thread holds it.
    bool TryLock() { return mutex.try_lock(); }
    // The thread that holds it.
    void Unlock() { mutex.unlock(); }

private:
    std::recursive_mutex mutex;
};

// Holds a PlatformLock for the guard's scope.
class PlatformLockGuard
{
public:
    explicit PlatformLockGuard(PlatformLock& l) : lock(l) { lock.Lock(); }
    ~PlatformLockGuard() { lock.Unlock(); }
    PlatformLockGuard(const PlatformLockGuard&) = delete;
    PlatformLockGuard& operator=(const PlatformLockGuard&) = delete;

private:
    PlatformLock& lock;
};
