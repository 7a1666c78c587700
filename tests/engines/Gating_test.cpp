#include "engines/Decibels.h"
#include "engines/GatedIntegrator.h"
#include "engines/LoudnessRange.h"
#include "engines/OrderedPowers.h"
#include "support/LiteralGating.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int32_t kHour = 36000;  // the engine's capacity: an hour of blocks

// Mean square of a loudness in LUFS (the inverse of the loudness rule).
double Power(double lufs)
{
    return std::exp((lufs + 0.691) / 4.342944819);
}

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
        if (kind == 1 && !recent.empty())
            return recent[std::uniform_int_distribution<size_t>(0, recent.size() - 1)(rng)];
        if (kind == 2)
            return 0.0;
        // A level that wanders, so the relative gates move through the store.
        level += std::normal_distribution<double>(0.0, 1.5)(rng);
        level = std::clamp(level, -85.0, 5.0);
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

// The smallest power whose loudness reads at least lufs.
double SmallestPowerAtLeast(double lufs)
{
    double p = Power(lufs);
    while (MeanSquareToLoudness(p) < lufs)
        p = std::nextafter(p, 1.0);
    while (MeanSquareToLoudness(std::nextafter(p, 0.0)) >= lufs)
        p = std::nextafter(p, 0.0);
    return p;
}

TEST(OrderedPowers, MatchesASortedCopyUnderRandomAssignments)
{
    constexpr int32_t kSlots = 200;
    OrderedPowers ordered;
    ordered.Init(kSlots);
    std::vector<double> slot(kSlots);
    std::vector<bool> used(kSlots, false);
    std::mt19937 rng(7);
    for (int step = 0; step < 5000; ++step)
    {
        const auto s = std::uniform_int_distribution<int32_t>(0, kSlots - 1)(rng);
        const double v = std::uniform_int_distribution<int>(0, 40)(rng) * 0.25;  // many ties
        ordered.Assign(s, v);
        slot[s] = v;
        used[s] = true;

        std::vector<double> sorted;
        for (int32_t i = 0; i < kSlots; ++i)
            if (used[i])
                sorted.push_back(slot[i]);
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(ordered.Size(), static_cast<int32_t>(sorted.size()));
        const auto r = std::uniform_int_distribution<size_t>(0, sorted.size() - 1)(rng);
        ASSERT_EQ(ordered.Select(static_cast<int32_t>(r)), sorted[r]);
        const double gate = std::uniform_int_distribution<int>(0, 44)(rng) * 0.25;
        const auto tail = ordered.UpperSet([gate](double x) { return x >= gate; });
        const auto first = std::lower_bound(sorted.begin(), sorted.end(), gate);
        ASSERT_EQ(tail.count, sorted.end() - first);
        double sum = 0.0;
        for (auto it = first; it != sorted.end(); ++it)
            sum += *it;
        ASSERT_EQ(tail.sum, sum);  // quarters sum exactly in any order
    }
    ordered.Clear();
    EXPECT_EQ(ordered.Size(), 0);
}

TEST(GatedIntegrator, AbsoluteGateAndSingleBlock)
{
    GatedIntegrator g;
    g.Init(kHour);
    EXPECT_EQ(g.GetIntegratedLoudness(), -141.0);

    const double atGate = SmallestPowerAtLeast(-70.0);
    g.Add(std::nextafter(atGate, 0.0));
    g.Add(Power(-70.1));
    EXPECT_EQ(g.StoredCount(), 0);
    EXPECT_EQ(g.GetIntegratedLoudness(), -141.0);

    g.Add(atGate);
    EXPECT_EQ(g.StoredCount(), 1);
    EXPECT_EQ(g.IntegratedLoudness(), MeanSquareToLoudness(atGate));
    EXPECT_EQ(g.GetIntegratedLoudness(), -70.0);

    LoudnessRange r;
    r.Init(kHour);
    r.Compute(Power(-70.1));
    EXPECT_EQ(r.StoredCount(), 0);
    r.Compute(atGate);
    EXPECT_EQ(r.StoredCount(), 1);
    EXPECT_EQ(r.GetRange(), 0.0);
}

TEST(GatedIntegrator, TwentyAndFortyLufsInEqualNumbers)
{
    GatedIntegrator g;
    g.Init(kHour);
    LoudnessRange r;
    r.Init(kHour);
    for (int i = 0; i < 50; ++i)
    {
        for (double lufs : {-20.0, -40.0})
        {
            g.Add(Power(lufs));
            r.Compute(Power(lufs));
        }
    }
    EXPECT_NEAR(g.UngatedLoudness(), -22.97, 0.005);
    EXPECT_EQ(g.GetIntegratedLoudness(), -20.0);
    EXPECT_NEAR(r.RelativeThreshold(), -42.97, 0.005);
    EXPECT_EQ(r.GatedCount(), 100);
    EXPECT_NEAR(r.LowLoudness(), -40.0, 1e-9);
    EXPECT_NEAR(r.HighLoudness(), -20.0, 1e-9);
    EXPECT_EQ(r.GetRange(), 20.0);
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
    GatedIntegrator g;
    g.Init(kHour);
    LoudnessRange r;
    r.Init(kHour);
    auto feed = [&](double lufs, int blocks) {
        for (int i = 0; i < blocks; ++i)
        {
            g.Add(Power(lufs));
            r.Compute(Power(lufs));
        }
    };
    feed(-40.0, kHour);
    EXPECT_EQ(g.WriteIndex(), 0);
    EXPECT_EQ(g.Full(), 1);
    EXPECT_EQ(r.WriteIndex(), 0);
    EXPECT_EQ(r.Full(), 1);
    EXPECT_NEAR(g.IntegratedLoudness(), -40.0, 1e-9);

    // Every further block replaces the oldest: half an hour of -20 blocks
    // leaves half of each, a whole hour none of the -40 ones.
    feed(-20.0, kHour / 2);
    EXPECT_EQ(g.WriteIndex(), kHour / 2);
    EXPECT_EQ(r.GetRange(), 20.0);
    feed(-20.0, kHour / 2);
    EXPECT_EQ(g.WriteIndex(), 0);
    EXPECT_NEAR(g.IntegratedLoudness(), -20.0, 1e-9);
    EXPECT_EQ(r.GetRange(), 0.0);

    // A block below the gate stores nothing and changes nothing.
    g.Add(Power(-80.0));
    EXPECT_EQ(g.WriteIndex(), 0);
    EXPECT_NEAR(g.IntegratedLoudness(), -20.0, 1e-9);
}

// Runs the accumulators beside the literal algorithms and compares them after
// every block listed by `check`.
template <class Check>
void CompareWithLiteral(int32_t capacity, int blocks, unsigned seed, Check check)
{
    GatedIntegrator g;
    g.Init(capacity);
    LoudnessRange r;
    r.Init(capacity);
    LiteralIntegrator literalG(capacity);
    LiteralRange literalR(capacity);
    BlockStream stream(seed);
    for (int b = 0; b < blocks; ++b)
    {
        const double p = stream.Next();
        g.Add(p);
        r.Compute(p);
        literalG.Store(p);
        literalR.Store(p);
        if (!check(b))
            continue;
        literalG.Evaluate();
        literalR.Evaluate();
        ASSERT_EQ(g.WriteIndex(), literalG.writeIndex) << "block " << b;
        ASSERT_EQ(g.Full(), literalG.full) << "block " << b;
        ASSERT_EQ(g.UngatedLoudness(), literalG.ungatedLoudness) << "block " << b;
        ASSERT_NEAR(g.IntegratedLoudness(), literalG.integratedLoudness, 1e-9) << "block " << b;
        ASSERT_EQ(r.WriteIndex(), literalR.writeIndex) << "block " << b;
        ASSERT_EQ(r.UngatedLoudness(), literalR.ungatedLoudness) << "block " << b;
        if (literalR.writeIndex > 0 || literalR.full)
        {
            ASSERT_EQ(r.GatedCount(), literalR.gatedCount) << "block " << b;
        }
        ASSERT_EQ(r.Range(), literalR.range) << "block " << b;  // bit for bit
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
    GatedIntegrator g, cleanG;
    LoudnessRange r, cleanR;
    for (auto* x : {&g, &cleanG})
        x->Init(8);
    for (auto* x : {&r, &cleanR})
        x->Init(8);
    const double hostile[] = {NAN, INFINITY, -INFINITY, 1e300, -1.0, 1e300, INFINITY, 1e-3, NAN, 1e308};
    for (double p : hostile)
    {
        for (int i = 0; i < 3; ++i)
        {
            g.Add(p);
            r.Compute(p);
        }
    }
    g.Reset();
    r.Reset();
    BlockStream stream(5);
    for (int b = 0; b < 200; ++b)
    {
        const double p = stream.Next();
        g.Add(p);
        cleanG.Add(p);
        r.Compute(p);
        cleanR.Compute(p);
        ASSERT_EQ(g.IntegratedLoudness(), cleanG.IntegratedLoudness()) << "block " << b;
        ASSERT_EQ(r.Range(), cleanR.Range()) << "block " << b;
    }
}

}  // namespace
