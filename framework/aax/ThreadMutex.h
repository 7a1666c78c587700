#pragma once
// A mutex that records its owning thread: a thread that already owns it
// passes through Lock without waiting (and is told so), so a caller that
// re-enters while holding it neither blocks nor releases early. Callers
// unlock only when their Lock answered true (ThreadMutexGuard does this).

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

class ThreadMutex
{
public:
    ThreadMutex() = default;
    ~ThreadMutex() { Destroy(); }
    ThreadMutex(const ThreadMutex&) = delete;
    ThreadMutex& operator=(const ThreadMutex&) = delete;

    // Makes the mutex, unowned; nothing when it exists. When it cannot be
    // made, every later operation does nothing and Lock answers false.
    void Create();
    // Any thread. false at once when the calling thread owns it already;
    // otherwise waits for it, records the caller as owner and answers true.
    bool Lock();
    // Releases it only when the calling thread is the owner.
    void Unlock();
    // Nobody may hold it.
    void Destroy() { record.reset(); }

private:
    struct Record
    {
        std::mutex mutex;
        std::atomic<std::thread::id> owner{};
    };
    std::unique_ptr<Record> record;
};

// Holds a ThreadMutex for the guard's scope, unless the thread held it already.
class ThreadMutexGuard
{
public:
    explicit ThreadMutexGuard(ThreadMutex& mutex) : mutex(mutex), taken(mutex.Lock()) {}
    ~ThreadMutexGuard()
    {
        if (taken)
            mutex.Unlock();
    }
    ThreadMutexGuard(const ThreadMutexGuard&) = delete;
    ThreadMutexGuard& operator=(const ThreadMutexGuard&) = delete;

private:
    ThreadMutex& mutex;
    bool taken;
};
