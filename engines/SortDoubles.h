#pragma once
// Ascending in-place quicksort without recursion. lowStack and highStack hold
// the [begin, end) ranges still to sort; the smaller part of each partition is
// sorted first, so the depth stays below log2(count) + 2 and stacks of
// kSortStackSize entries cover any count. Allocates nothing.

#include <cstdint>

constexpr int32_t kSortStackSize = 300;

void SortDoubles(double* values, int32_t count, int32_t* lowStack, int32_t* highStack);
