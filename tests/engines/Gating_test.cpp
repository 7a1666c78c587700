#include "engines/Decibels.h"
#include "engines/GateValues.h"
#include "engines/GatedIntegrator.h"
#include "engines/LoudnessRange.h"
#include "engines/SortDoubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int32_t kHour = 36000;  // the engine's capacity: an hour of blocks

// Mean square of a loudness in LUFS (the inverse of the loudness rule).
double Power(double lufs) { return std::exp((lufs + 0.691) / 4.342944819); }

// The store of the integrator and of the loudness range, and their results
// computed from it, written out literally: a pass over the whole store,
// gating (and for the range sorting) a copy. Storing is O(1); a result costs
// O(n) only when asked for, so long streams are checked at sampled blocks.
class LiteralGating
{
public:
    explicit LiteralGating(int32_t capacity)
        : store(capacity, 0.0), work(capacity), lowStack(kSortStackSize), highStack(kSortStackSize)
    {
    }

    // The storing steps of Add and Compute, the wrap included.
    void Store(double p)
    {
        if (MeanSquareToLoudness(p) >= -70.0)
        {
            runningSum = runningSum - store[writeIndex] + p;
            store[writeIndex] = p;
            writeIndex += 1;
        }
        if (writeIndex == static_cast<int32_t>(store.size()))
        {
            writeIndex = 0;
            full = 1;
        }
    }

    int32_t Count() const { return full ? static_cast<int32_t>(store.size()) : writeIndex; }
    double Ungated() const { return Count() > 0 ? MeanSquareToLoudness(runningSum / Count()) : -141.0; }
    double Integrated() const
    {
        return Count() > 0 ? GatedIntegrator::GatedMean(store.data(), Count(), Ungated() + -10.0) : -141.0;
    }

    // The range, and how many values passed its relative gate.
    double Range(int32_t* gatedCount)
    {
        *gatedCount = 0;
        if (Count() == 0)
            return 0.0;
        std::copy(store.begin(), store.begin() + Count(), work.begin());
        const int32_t n = *gatedCount = GateValues(work.data(), Count(), Ungated() + -20.0);
        SortDoubles(work.data(), n, lowStack.data(), highStack.data());
        if (n == 0)
            return 0.0;  // nothing passed: no value to read
        const auto low = static_cast<int32_t>(std::floor((n - 1) * 10.0 / 100.0 + 0.5));
        const auto high = static_cast<int32_t>(std::floor((n - 1) * 95.0 / 100.0 + 0.5));
        const double spread = MeanSquareToLoudness(work[high]) - MeanSquareToLoudness(work[low]);
        return spread > 0.0 ? spread : 0.0;
    }

    int32_t writeIndex = 0;
    int32_t full = 0;

private:
    std::vector<double> store, work;
    std::vector<int32_t> lowStack, highStack;
    double runningSum = 0.0;
};

// Random block powers with loudnesses spread around both gates: a wide
// spread, clusters at the absolute gate, exact repeats (ties) and silence.
class BlockStream
{
public:
    explicit BlockStream(unsigned seed) : rng(seed) {}

    double Next()
    {
        const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
        if (kind == 0)
            return Power(-70.0 + std::uniform_real_distribution<double>(-0.3, 0.3)(rng));
        if (kind == 1)
            return recent[std::uniform_int_distribution<size_t>(0, recent.size() - 1)(rng)];
        if (kind == 2)
            return 0.0;
        // A level that wanders, so the relative gates move through the store.
        level = std::clamp(level + std::normal_distribution<double>(0.0, 1.5)(rng), -85.0, 5.0);
        const double p = Power(level + std::normal_distribution<double>(0.0, 6.0)(rng));
        recent[next++ % recent.size()] = p;
        return p;
    }

private:
    std::mt19937 rng;
    double level = -25.0;
    std::vector<double> recent = std::vector<double>(16, Power(-30.0));
    size_t next = 0;
};

// An integrator and a loudness range side by side, fed the same blocks.
struct Accumulators
{
    explicit Accumulators(int32_t capacity)
    {
        g.Init(capacity);
        r.Init(capacity);
    }
    void Feed(double p, int blocks = 1)
    {
        for (int i = 0; i < blocks; ++i)
        {
            g.Add(p);
            r.Compute(p);
        }
    }
    GatedIntegrator g;
    LoudnessRange r;
};

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

TEST(GatedIntegrator, AbsoluteGateAndSingleBlock)
{
    Accumulators a(kHour);
    EXPECT_EQ(a.g.GetIntegratedLoudness(), -141.0);
    EXPECT_EQ(a.r.GetRange(), 0.0);

    // The smallest power that reads -70.0 LUFS or more.
    double atGate = Power(-70.0);
    while (MeanSquareToLoudness(atGate) < -70.0)
        atGate = std::nextafter(atGate, 1.0);
    while (MeanSquareToLoudness(std::nextafter(atGate, 0.0)) >= -70.0)
        atGate = std::nextafter(atGate, 0.0);

    a.Feed(std::nextafter(atGate, 0.0));
    a.Feed(Power(-70.1));
    EXPECT_EQ(a.g.StoredCount(), 0);
    EXPECT_EQ(a.r.StoredCount(), 0);
    EXPECT_EQ(a.g.GetIntegratedLoudness(), -141.0);

    a.Feed(atGate);
    EXPECT_EQ(a.g.StoredCount(), 1);
    EXPECT_EQ(a.r.StoredCount(), 1);
    EXPECT_EQ(a.g.IntegratedLoudness(), MeanSquareToLoudness(atGate));
    EXPECT_EQ(a.g.GetIntegratedLoudness(), -70.0);
    EXPECT_EQ(a.r.GetRange(), 0.0);
}

TEST(GatedIntegrator, TwentyAndFortyLufsInEqualNumbers)
{
    Accumulators a(kHour);
    for (int i = 0; i < 50; ++i)
    {
        a.Feed(Power(-20.0));
        a.Feed(Power(-40.0));
    }
    EXPECT_NEAR(a.g.UngatedLoudness(), -22.97, 0.005);
    EXPECT_EQ(a.g.GetIntegratedLoudness(), -20.0);
    EXPECT_NEAR(a.r.RelativeThreshold(), -42.97, 0.005);
    EXPECT_EQ(a.r.GatedCount(), 100);
    EXPECT_NEAR(a.r.LowLoudness(), -40.0, 1e-9);
    EXPECT_NEAR(a.r.HighLoudness(), -20.0, 1e-9);
    EXPECT_EQ(a.r.GetRange(), 20.0);
}

TEST(LoudnessRange, PercentileIndices)
{
    // Eleven gated values from -30 to -20 LUFS: indices 1 and 10.
    LoudnessRange r;
    r.Init(kHour);
    for (int i = 0; i <= 10; ++i)
        r.Compute(Power(-30.0 + i));
    EXPECT_EQ(r.GatedCount(), 11);
    EXPECT_NEAR(r.LowLoudness(), -29.0, 1e-9);
    EXPECT_NEAR(r.HighLoudness(), -20.0, 1e-9);
    EXPECT_EQ(r.GetRange(), 9.0);

    // One value: both indices 0, no range.
    r.Reset();
    r.Compute(Power(-30.0));
    EXPECT_EQ(r.GatedCount(), 1);
    EXPECT_EQ(r.Range(), 0.0);
}

TEST(GatedIntegrator, RingWrapReplacesTheOldestBlock)
{
    Accumulators a(kHour);
    a.Feed(Power(-40.0), kHour);
    EXPECT_EQ(a.g.WriteIndex(), 0);
    EXPECT_EQ(a.g.Full(), 1);
    EXPECT_EQ(a.r.WriteIndex(), 0);
    EXPECT_EQ(a.r.Full(), 1);
    EXPECT_NEAR(a.g.IntegratedLoudness(), -40.0, 1e-9);

    // Every further block replaces the oldest: half an hour of -20 blocks
    // leaves half of each, a whole hour none of the -40 ones.
    a.Feed(Power(-20.0), kHour / 2);
    EXPECT_EQ(a.g.WriteIndex(), kHour / 2);
    EXPECT_EQ(a.r.GetRange(), 20.0);
    a.Feed(Power(-20.0), kHour / 2);
    EXPECT_EQ(a.g.WriteIndex(), 0);
    EXPECT_NEAR(a.g.IntegratedLoudness(), -20.0, 1e-9);
    EXPECT_EQ(a.r.GetRange(), 0.0);

    // A block below the gate stores nothing and changes nothing.
    a.g.Add(Power(-80.0));
    EXPECT_EQ(a.g.WriteIndex(), 0);
    EXPECT_NEAR(a.g.IntegratedLoudness(), -20.0, 1e-9);
}

// The accumulators beside the literal algorithms, compared after every block
// that `check` lists: the range bit for bit, the integrated loudness up to
// the order of summation.
template <class Check>
void CompareWithLiteral(int32_t capacity, int blocks, unsigned seed, Check check)
{
    Accumulators a(capacity);
    LiteralGating literal(capacity);
    BlockStream stream(seed);
    for (int b = 0; b < blocks; ++b)
    {
        const double p = stream.Next();
        a.Feed(p);
        literal.Store(p);
        if (!check(b))
            continue;
        SCOPED_TRACE(testing::Message() << "capacity " << capacity << ", block " << b);
        int32_t gatedCount = 0;
        ASSERT_EQ(a.r.Range(), literal.Range(&gatedCount));
        ASSERT_EQ(a.r.GatedCount(), gatedCount);
        for (int32_t index : {a.g.WriteIndex(), a.r.WriteIndex()})
            ASSERT_EQ(index, literal.writeIndex);
        ASSERT_EQ(a.g.Full(), literal.full);
        ASSERT_EQ(a.g.UngatedLoudness(), literal.Ungated());
        ASSERT_EQ(a.r.UngatedLoudness(), literal.Ungated());
        ASSERT_NEAR(a.g.IntegratedLoudness(), literal.Integrated(), 1e-9);
    }
}

TEST(GatedIntegrator, MatchesTheLiteralAlgorithmsOnSmallRings)
{
    // Small rings wrap many times within a short stream.
    unsigned seed = 1;
    for (int32_t capacity : {1, 2, 3, 7, 64, 500})
        CompareWithLiteral(capacity, std::max(3000, 12 * capacity), seed++, [](int) { return true; });
}

TEST(GatedIntegrator, MatchesTheLiteralAlgorithmsOnAnHourRing)
{
    // Past the wrap of 36000 blocks; the literal result is computed at
    // sampled blocks only, around the wrap above all.
    CompareWithLiteral(kHour, 2 * kHour + 5000, 99, [](int b) {
        return b % 2500 == 0 || (b >= kHour - 3 && b <= kHour + 3) || b >= 2 * kHour + 4990;
    });
}

TEST(GatedIntegrator, NonFinitePowersAreForgottenOnReset)
{
    Accumulators hit(8), clean(8);
    for (double p : {double(NAN), double(INFINITY), -double(INFINITY), 1e300, -1.0, 1e300, double(INFINITY), 1e-3,
                     double(NAN), 1e308})
        hit.Feed(p, 3);
    hit.g.Reset();
    hit.r.Reset();
    BlockStream stream(5);
    for (int b = 0; b < 200; ++b)
    {
        const double p = stream.Next();
        hit.Feed(p);
        clean.Feed(p);
        ASSERT_EQ(hit.g.IntegratedLoudness(), clean.g.IntegratedLoudness()) << "block " << b;
        ASSERT_EQ(hit.r.Range(), clean.r.Range()) << "block " << b;
    }
}

}  // namespace
