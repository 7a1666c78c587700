#pragma once
// The block powers that a loudness accumulator keeps: the last `capacity`
// stored blocks in a ring of slots, held in ascending order for gating and
// percentiles in O(log n), and their running sum (kept by adding and
// subtracting, as blocks come and go, and taken afresh from the ordered
// blocks when a block far above the rest has left a residue in it).
// Allocated by Init only.

#include "engines/OrderedPowers.h"

#include <cstdint>

class BlockPowerStore
{
public:
    // Room for capacity blocks (at least one); empties the store.
    void Init(int32_t capacity);

    // Ring, sum and order back to empty.
    void Reset();

    // Stores p in the next slot, replacing the oldest block once the ring is
    // full; the write index wraps to 0 after the last slot.
    void Store(double p);

    // Loudness of the plain mean of the stored blocks (at least one).
    double UngatedLoudness() const;

    // Count and sum of the stored blocks whose loudness is at or above
    // threshold (LUFS): loudness grows with power, so they are an upper set
    // of the stored powers, found by evaluating the loudness rule itself.
    OrderedPowers::Tail Gated(double threshold) const;

    // The stored value at ascending rank 0..StoredCount()-1.
    double Select(int32_t rank) const { return ordered.Select(rank); }

    int32_t Capacity() const { return capacity; }
    int32_t WriteIndex() const { return writeIndex; }
    int32_t Full() const { return full; }
    // Blocks held: the whole ring once it has wrapped.
    int32_t StoredCount() const { return full ? capacity : writeIndex; }
    double RunningSum() const { return runningSum; }

private:
    OrderedPowers ordered;  // slot i of the ring is its node i
    int32_t capacity = 0;
    int32_t writeIndex = 0;
    int32_t full = 0;
    double runningSum = 0.0;
};
