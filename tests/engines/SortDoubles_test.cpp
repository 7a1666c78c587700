#include "engines/Decibels.h"
#include "engines/GateValues.h"
#include "engines/SortDoubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

// Sorts with stacks only as deep as the promised bound, so that a deeper
// stack would overrun them (and AddressSanitizer would say so).
void SortWithTightStacks(std::vector<double>& v)
{
    const auto count = static_cast<int32_t>(v.size());
    const size_t depth = (count > 1 ? static_cast<size_t>(std::log2(count)) : 0) + 2;
    std::vector<int32_t> low(depth), high(depth);
    SortDoubles(v.data(), count, low.data(), high.data());
}

TEST(SortDoubles, SortsAscendingWhateverTheInputOrder)
{
    std::mt19937 rng(3);
    for (int32_t count : {0, 1, 2, 3, 5, 16, 17, 100, 1000, 4097})
    {
        std::vector<double> random(count), ties(count), ascending(count), descending(count);
        for (int32_t i = 0; i < count; ++i)
        {
            random[i] = std::uniform_real_distribution<double>(-1.0, 1.0)(rng);
            ties[i] = std::uniform_int_distribution<int>(0, 3)(rng);
            ascending[i] = i;
            descending[i] = count - i;
        }
        for (auto* v : {&random, &ties, &ascending, &descending})
        {
            std::vector<double> expected = *v;
            std::sort(expected.begin(), expected.end());
            SortWithTightStacks(*v);
            ASSERT_EQ(*v, expected) << "count " << count;
        }
    }
}

TEST(GateValues, KeepsThePassingValuesInOrder)
{
    const double atGate = std::exp((-70.0 + 0.691) / 4.342944819);
    const double gate = MeanSquareToLoudness(atGate);
    std::vector<double> v = {1e-9, atGate, 0.5, atGate * 0.999, 0.0, 0.25, NAN, 2.0};
    const int32_t kept = GateValues(v.data(), static_cast<int32_t>(v.size()), gate);
    ASSERT_EQ(kept, 4);
    EXPECT_EQ(v[0], atGate);
    EXPECT_EQ(v[1], 0.5);
    EXPECT_EQ(v[2], 0.25);
    EXPECT_EQ(v[3], 2.0);

    EXPECT_EQ(GateValues(v.data(), 0, -200.0), 0);
    EXPECT_EQ(GateValues(v.data(), -5, -200.0), 0);
}

}  // namespace
