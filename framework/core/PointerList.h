#pragma once
// An array of object pointers on a GrowBuf (granularity 4096): one slot of
// sizeof(T*) bytes per item. The list does not own its items: whoever empties
// it decides whether they are deleted first (DeleteAll does both). Never
// throws: an add or insert that cannot grow stores nothing.

#include "framework/core/GrowBuf.h"

#include <cstdint>
#include <cstring>

template <class T>
class PointerList
{
public:
    PointerList() = default;
    PointerList(const PointerList&) = delete;
    PointerList& operator=(const PointerList&) = delete;

    int32_t GetSize() const { return buf.GetSize() / kSlot; }

    // The item at index; null when index is negative or >= GetSize().
    T* Get(int32_t index) const
    {
        T** slots = Slots();
        if (!slots || index < 0 || index >= GetSize())
            return nullptr;
        return slots[index];
    }

    // Appends; false (nothing stored) when the list cannot grow.
    bool Add(T* item) { return Insert(item, GetSize()) != nullptr; }

    // Inserts at index (0..GetSize(); GetSize() appends) and returns the
    // item's slot; null, list unchanged, for a bad index or a failed growth.
    T** Insert(T* item, int32_t index)
    {
        const int32_t count = GetSize();
        if (index < 0 || index > count)
            return nullptr;
        if (!buf.Resize((count + 1) * kSlot, true) || buf.GetSize() != (count + 1) * kSlot)
            return nullptr;
        T** slots = Slots();
        std::memmove(slots + index + 1, slots + index, static_cast<size_t>(count - index) * kSlot);
        slots[index] = item;
        return slots + index;
    }

    // Forgets the item at index (not deleted); later items move down. Nothing
    // for a bad index. Never allocates.
    void Remove(int32_t index)
    {
        const int32_t count = GetSize();
        if (index < 0 || index >= count)
            return;
        T** slots = Slots();
        std::memmove(slots + index, slots + index + 1, static_cast<size_t>(count - 1 - index) * kSlot);
        buf.Resize((count - 1) * kSlot, false);
    }

    // Forgets every item (not deleted) and gives the memory back.
    void Empty() { buf.Resize(0, true); }

    // Deletes every item in index order, then empties the list.
    void DeleteAll()
    {
        for (int32_t i = 0; i < GetSize(); ++i)
            delete Get(i);
        Empty();
    }

private:
    static constexpr int32_t kSlot = static_cast<int32_t>(sizeof(T*));

    T** Slots() const { return static_cast<T**>(buf.Get()); }

    GrowBuf buf{4096};
};
