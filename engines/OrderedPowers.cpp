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

// Fixed pseudo-random priority of a slot (a 32-bit integer hash).
uint32_t SlotPriority(uint32_t slot)
{
    uint32_t h = slot * 0x9E3779B9u + 0x7F4A7C15u;
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

}  // namespace

void OrderedPowers::Init(int32_t capacity)
{
    nodes.assign(static_cast<size_t>(capacity > 0 ? capacity : 0), Node{});
    for (size_t i = 0; i < nodes.size(); ++i)
        nodes[i].priority = SlotPriority(static_cast<uint32_t>(i));
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

// Recursion depth is the depth of the treap: about 2 ln n, some 25 levels for
// the 36000 blocks of an hour.
int32_t OrderedPowers::Insert(int32_t t, int32_t n)
{
    if (t == kNil)
        return n;
    if (nodes[n].priority > nodes[t].priority)
    {
        Split(t, n, nodes[n].left, nodes[n].right);
        Pull(n);
        return n;
    }
    if (Less(n, t))
        nodes[t].left = Insert(nodes[t].left, n);
    else
        nodes[t].right = Insert(nodes[t].right, n);
    Pull(t);
    return t;
}

int32_t OrderedPowers::Erase(int32_t t, int32_t n)
{
    if (t == kNil)
        return kNil;
    if (t == n)
    {
        nodes[n].present = 0;
        return Merge(nodes[n].left, nodes[n].right);
    }
    if (Less(n, t))
        nodes[t].left = Erase(nodes[t].left, n);
    else
        nodes[t].right = Erase(nodes[t].right, n);
    Pull(t);
    return t;
}

void OrderedPowers::Split(int32_t t, int32_t n, int32_t& below, int32_t& above)
{
    if (t == kNil)
    {
        below = above = kNil;
        return;
    }
    if (Less(t, n))
    {
        Split(nodes[t].right, n, nodes[t].right, above);
        below = t;
    }
    else
    {
        Split(nodes[t].left, n, below, nodes[t].left);
        above = t;
    }
    Pull(t);
}

int32_t OrderedPowers::Merge(int32_t below, int32_t above)
{
    if (below == kNil)
        return above;
    if (above == kNil)
        return below;
    if (nodes[below].priority > nodes[above].priority)
    {
        nodes[below].right = Merge(nodes[below].right, above);
        Pull(below);
        return below;
    }
    nodes[above].left = Merge(below, nodes[above].left);
    Pull(above);
    return above;
}
