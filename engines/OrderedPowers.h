#pragma once
// The block powers held in the ring of a loudness accumulator, kept in
// ascending order with subtree counts and sums (a treap whose node i is ring
// slot i), so that the gated count and sum and the value at any rank cost
// O(log n) instead of a pass over the ring. Nodes are allocated by Init only,
// and no operation recurses: its stack use is bounded whatever the depth.
//
// Values are ordered by their bit patterns (a total order, NaN included), so
// no input can break the structure; sums are recomputed from the children on
// every change, so a non-finite value leaves no trace once it is replaced.

#include <cstdint>
#include <vector>

class OrderedPowers
{
public:
    // Room for slots 0..capacity-1; empties the structure.
    void Init(int32_t capacity);

    // Empties the structure.
    void Clear() { root = kNil; for (Node& n : nodes) n.present = 0; }

    // Sets slot's value, replacing the one it held.
    void Assign(int32_t slot, double value)
    {
        if (nodes[slot].present)
            Erase(slot);
        Node& n = nodes[slot];
        n.value = value;
        n.left = n.right = kNil;
        n.present = 1;
        Pull(slot);
        Insert(slot);
    }

    // The value slot holds; 0.0 while it holds none.
    double ValueAt(int32_t slot) const { return nodes[slot].present ? nodes[slot].value : 0.0; }

    int32_t Size() const { return SizeOf(root); }

    // The sum of every value held, taken afresh from the subtree sums.
    double Sum() const { return SumOf(root); }

    // The value at ascending rank 0..Size()-1.
    double Select(int32_t rank) const;

    struct Tail
    {
        int32_t count = 0;
        double sum = 0.0;
    };

    // Count and sum of the values that pass: passes(v) must be false below some
    // value and true from there upward (a gate on a quantity monotone in v).
    template <class Passes>
    Tail UpperSet(Passes passes) const
    {
        Tail tail;
        for (int32_t t = root; t != kNil;)
        {
            const Node& n = nodes[t];
            if (passes(n.value))
            {
                tail.count += 1 + SizeOf(n.right);
                tail.sum += n.value + SumOf(n.right);
                t = n.left;
            }
            else
                t = n.right;
        }
        return tail;
    }

    // The fixed pseudo-random priority of slot's node (a max-heap order: the
    // higher priority nearer the root). Public so that a test can order the
    // slots by it.
    static uint32_t SlotPriority(int32_t slot);

private:
    static constexpr int32_t kNil = -1;

    struct Node
    {
        double value = 0.0;
        double sum = 0.0;  // of the subtree
        uint32_t priority = 0;
        int32_t left = kNil;
        int32_t right = kNil;
        int32_t size = 0;  // of the subtree
        int32_t present = 0;
    };

    int32_t SizeOf(int32_t t) const { return t == kNil ? 0 : nodes[t].size; }
    double SumOf(int32_t t) const { return t == kNil ? 0.0 : nodes[t].sum; }
    void Pull(int32_t t)
    {
        Node& n = nodes[t];
        n.size = SizeOf(n.left) + 1 + SizeOf(n.right);
        n.sum = SumOf(n.left) + n.value + SumOf(n.right);
    }
    bool Less(int32_t a, int32_t b) const;
    void PullPath(int32_t mark);
    void Insert(int32_t n);
    void Erase(int32_t n);
    void Split(int32_t t, int32_t n, int32_t& below, int32_t& above);
    int32_t Merge(int32_t below, int32_t above);

    std::vector<Node> nodes;
    // The nodes an operation has walked through, to be pulled bottom-up. An
    // operation walks through each node at most once, and through all of them
    // in a chain: room for every node.
    std::vector<int32_t> path;
    int32_t pathLength = 0;
    int32_t root = kNil;
};
