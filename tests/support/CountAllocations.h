#pragma once
// Counts the allocations of a test program. Include in exactly one source
// file of the program: it replaces the program's operator new and delete.

#include <atomic>
#include <cstdlib>
#include <new>

namespace allocation_count {

inline std::atomic<bool> counting{false};
inline std::atomic<long> counted{0};
inline std::atomic<long> live{0};

// Not inlined: the compiler would otherwise pair a new-expression with the
// free() inside and warn of a mismatch.
__attribute__((noinline)) inline void* Allocate(std::size_t n)
{
    if (counting.load())
        ++counted;
    ++live;
    return std::malloc(n ? n : 1);
}

__attribute__((noinline)) inline void Free(void* p)
{
    if (!p)
        return;
    --live;
    std::free(p);
}

}  // namespace allocation_count

void* operator new(std::size_t n)
{
    if (void* p = allocation_count::Allocate(n))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return allocation_count::Allocate(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return allocation_count::Allocate(n); }
void operator delete(void* p) noexcept { allocation_count::Free(p); }
void operator delete[](void* p) noexcept { allocation_count::Free(p); }
void operator delete(void* p, std::size_t) noexcept { allocation_count::Free(p); }
void operator delete[](void* p, std::size_t) noexcept { allocation_count::Free(p); }

// Counts the allocations made while it lives.
class CountAllocations
{
public:
    CountAllocations()
    {
        allocation_count::counted = 0;
        allocation_count::counting = true;
    }
    ~CountAllocations() { allocation_count::counting = false; }
    long Count() const { return allocation_count::counted.load(); }
};

// Blocks allocated and not yet freed in the whole program.
inline long LiveAllocations() { return allocation_count::live.load(); }
