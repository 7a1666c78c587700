#include "engines/OrderedPowers.h"

#include <cstring>

namespace {

// Maps a double to an unsigned key with the same order (-NaN < -Inf < ... <
// -0 < +0 < ... < +Inf < +NaN), total even for NaN.
uint64_t OrderKey(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return (bits >> 63) ? ~bits : bits | (uint64_t{1} << 63);
}

}  // namespace

// A 32-bit integer hash of the slot index.
uint32_t OrderedPowers::SlotPriority(int32_t slot)
{
    uint32_t h = static_cast<uint32_t>(slot) * 0x9E3779B9u + 0x7F4A7C15u;
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

void OrderedPowers::Init(int32_t capacity)
{
    nodes.assign(static_cast<size_t>(capacity > 0 ? capacity : 0), Node{});
    for (size_t i = 0; i < nodes.size(); ++i)
        nodes[i].priority = SlotPriority(static_cast<int32_t>(i));
    path.assign(nodes.size(), kNil);
    pathLength = 0;
    root = kNil;
}

double OrderedPowers::Select(int32_t rank) const
{
    int32_t t = root;
    while (t != kNil)
    {
        const Node& n = nodes[t];
        const int32_t below = SizeOf(n.left);
        if (rank < below)
            t = n.left;
        else if (rank == below)
            return n.value;
        else
        {
            rank -= below + 1;
            t = n.right;
        }
    }
    return 0.0;
}

bool OrderedPowers::Less(int32_t a, int32_t b) const
{
    const uint64_t ka = OrderKey(nodes[a].value);
    const uint64_t kb = OrderKey(nodes[b].value);
    return ka < kb || (ka == kb && a < b);
}

// Insert, Erase, Split and Merge walk down keeping an explicit path rather
// than recursing. The priorities are a fixed function of the slot, so block
// powers that happen to follow them make the treap a chain as long as the
// ring (36000 nodes for an hour), and the audio thread's stack must not grow
// with it. Such a chain costs O(n) per block, which the ring's bound makes
// acceptable. The walked nodes are pulled deepest first, as a recursion would
// pull them on its way back, so shapes and sums are the same.

// Pulls the nodes pushed since mark, the deepest first, and pops them.
void OrderedPowers::PullPath(int32_t mark)
{
    while (pathLength > mark)
        Pull(path[--pathLength]);
}

// Walks down to where n's priority puts it, then splits that subtree under n.
void OrderedPowers::Insert(int32_t n)
{
    int32_t* link = &root;
    while (*link != kNil && nodes[n].priority <= nodes[*link].priority)
    {
        const int32_t t = *link;
        path[pathLength++] = t;
        link = Less(n, t) ? &nodes[t].left : &nodes[t].right;
    }
    if (*link != kNil)
    {
        Split(*link, n, nodes[n].left, nodes[n].right);
        Pull(n);
    }
    *link = n;
    PullPath(0);
}

// Walks down to n and puts the merge of its children in its place.
void OrderedPowers::Erase(int32_t n)
{
    int32_t* link = &root;
    while (*link != kNil && *link != n)
    {
        const int32_t t = *link;
        path[pathLength++] = t;
        link = Less(n, t) ? &nodes[t].left : &nodes[t].right;
    }
    if (*link == n)
    {
        nodes[n].present = 0;
        *link = Merge(nodes[n].left, nodes[n].right);
    }
    PullPath(0);
}

// Splits the subtree t into the nodes below n and those above it. Each node
// walked through joins one side; its child link facing n is where that side's
// next node goes.
void OrderedPowers::Split(int32_t t, int32_t n, int32_t& below, int32_t& above)
{
    const int32_t mark = pathLength;
    int32_t* belowLink = &below;
    int32_t* aboveLink = &above;
    while (t != kNil)
    {
        path[pathLength++] = t;
        if (Less(t, n))
        {
            *belowLink = t;
            belowLink = &nodes[t].right;
            t = nodes[t].right;
        }
        else
        {
            *aboveLink = t;
            aboveLink = &nodes[t].left;
            t = nodes[t].left;
        }
    }
    *belowLink = *aboveLink = kNil;
    PullPath(mark);
}

// Joins two subtrees, every node of below ordered before every node of above,
// zipping below's right spine with above's left spine by priority.
int32_t OrderedPowers::Merge(int32_t below, int32_t above)
{
    const int32_t mark = pathLength;
    int32_t merged = kNil;
    int32_t* link = &merged;
    while (below != kNil && above != kNil)
    {
        if (nodes[below].priority > nodes[above].priority)
        {
            *link = below;
            path[pathLength++] = below;
            link = &nodes[below].right;
            below = nodes[below].right;
        }
        else
        {
            *link = above;
            path[pathLength++] = above;
            link = &nodes[above].left;
            above = nodes[above].left;
        }
    }
    *link = below != kNil ? below : above;
    PullPath(mark);
    return merged;
}
