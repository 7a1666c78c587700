#pragma once
// The changed areas of a timer tick kept apart where painting them apart
// costs less: a read-out and the bars, or two bars, each repaint their own
// rectangle rather than one rectangle around both.

#include "graphics/editor/IBounds.h"

#include <cstdint>
#include <vector>

// What one paint costs beyond its pixels, in pixels: two areas whose union
// adds no more than this to what they hold are painted as one.
constexpr int64_t kPaintCostPixels = 2048;

// Adds area (not empty) to clusters, merging it with every cluster that
// the rule above joins it to, and those merged with the rest in turn, so
// that no two clusters left would join.
void AddToClusters(std::vector<IBounds>& clusters, const IBounds& area);
