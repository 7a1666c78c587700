#include "engines/OrderedPowers.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>
#include <utility>
#include <vector>

namespace {

// The same contents kept plainly: a value per slot, sorted when asked.
struct Reference
{
    explicit Reference(int32_t capacity) : values(capacity), present(capacity, 0) {}

    void Assign(int32_t slot, double value)
    {
        values[slot] = value;
        present[slot] = 1;
    }
    void Clear() { std::fill(present.begin(), present.end(), 0); }

    std::vector<double> Sorted() const
    {
        std::vector<double> sorted;
        for (size_t i = 0; i < values.size(); ++i)
            if (present[i])
                sorted.push_back(values[i]);
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }

    std::vector<double> values;
    std::vector<char> present;
};

// Count and sum of the sorted values at or above threshold.
OrderedPowers::Tail TailOf(const std::vector<double>& sorted, double threshold)
{
    const auto from = std::lower_bound(sorted.begin(), sorted.end(), threshold);
    return {static_cast<int32_t>(sorted.end() - from), std::accumulate(from, sorted.end(), 0.0)};
}

OrderedPowers::Tail UpperSet(const OrderedPowers& o, double threshold)
{
    return o.UpperSet([threshold](double v) { return v >= threshold; });
}

// Runs f on a thread with a 64 KiB stack, far less than a recursion as deep
// as the structure is large would need.
void RunOnSmallStack(const std::function<void()>& f)
{
    pthread_attr_t attr;
    ASSERT_EQ(pthread_attr_init(&attr), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attr, 64 * 1024), 0);
    pthread_t thread;
    auto body = [](void* arg) -> void* {
        (*static_cast<const std::function<void()>*>(arg))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, body, const_cast<std::function<void()>*>(&f)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

}  // namespace

// Integer values (many equal) keep every sum exact, whatever the tree shape.
TEST(OrderedPowers, MatchesASortedCopyUnderRandomAssignsAndClears)
{
    constexpr int32_t kCapacity = 40;
    OrderedPowers o;
    o.Init(kCapacity);
    Reference ref(kCapacity);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int32_t> slotOf(0, kCapacity - 1), valueOf(-5, 25), action(0, 199);
    for (int32_t step = 0; step < 20000; ++step)
    {
        if (action(rng) == 0)
        {
            o.Clear();
            ref.Clear();
        }
        else
        {
            const int32_t slot = slotOf(rng);
            const double value = valueOf(rng);
            o.Assign(slot, value);
            ref.Assign(slot, value);
            ASSERT_EQ(o.ValueAt(slot), value);
        }
        const std::vector<double> sorted = ref.Sorted();
        ASSERT_EQ(o.Size(), static_cast<int32_t>(sorted.size())) << "step " << step;
        for (int32_t r = 0; r < o.Size(); ++r)
            ASSERT_EQ(o.Select(r), sorted[r]) << "step " << step << ", rank " << r;
        const double threshold = valueOf(rng) + 0.5 * (step % 2);
        const OrderedPowers::Tail tail = UpperSet(o, threshold), expected = TailOf(sorted, threshold);
        ASSERT_EQ(tail.count, expected.count) << "step " << step;
        ASSERT_EQ(tail.sum, expected.sum) << "step " << step;
    }
}

// Values that follow the slots' priorities make the treap as deep as it is
// large: rising with priority above a middle value and falling below it, two
// chains meet at the root. Filling in ascending priority costs O(1) per
// assign until the root's value splits the whole zigzag; replacing the lowest
// priority slot searches to the bottom twice; replacing the root merges the
// two chains. None of it may need stack in proportion to the depth.
TEST(OrderedPowers, AnHourOfBlocksInPriorityOrderRunsOnASmallStack)
{
    constexpr int32_t kHour = 36000;
    std::vector<int32_t> order(kHour);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [](int32_t a, int32_t b) {
        return OrderedPowers::SlotPriority(a) < OrderedPowers::SlotPriority(b);
    });
    constexpr double kMiddle = kHour;
    std::vector<std::vector<std::pair<int32_t, double>>> stages(3);
    for (int32_t k = 0; k + 1 < kHour; ++k)
        stages[0].emplace_back(order[k], k % 2 == 0 ? kMiddle + (k + 1) : kMiddle - (k + 1));
    stages[0].emplace_back(order[kHour - 1], kMiddle);
    stages[1].emplace_back(order[0], kMiddle + 0.5);
    stages[2].emplace_back(order[kHour - 1], 0.5);

    const std::vector<int32_t> ranks = {0, 1, kHour / 2, kHour - 2, kHour - 1};
    const std::vector<double> thresholds = {0.0, kMiddle, kMiddle + 0.5, kMiddle + kHour / 2.0, 2.0 * kHour};
    struct Snapshot
    {
        int32_t size = 0;
        std::vector<double> selected;
        std::vector<OrderedPowers::Tail> tails;
    };
    std::vector<Snapshot> seen(stages.size());
    for (Snapshot& s : seen)
    {
        s.selected.resize(ranks.size());
        s.tails.resize(thresholds.size());
    }

    OrderedPowers o;
    o.Init(kHour);
    RunOnSmallStack([&] {
        for (size_t i = 0; i < stages.size(); ++i)
        {
            for (const auto& [slot, value] : stages[i])
                o.Assign(slot, value);
            seen[i].size = o.Size();
            for (size_t r = 0; r < ranks.size(); ++r)
                seen[i].selected[r] = o.Select(ranks[r]);
            for (size_t t = 0; t < thresholds.size(); ++t)
                seen[i].tails[t] = UpperSet(o, thresholds[t]);
        }
    });

    Reference ref(kHour);
    for (size_t i = 0; i < stages.size(); ++i)
    {
        for (const auto& [slot, value] : stages[i])
            ref.Assign(slot, value);
        const std::vector<double> sorted = ref.Sorted();
        ASSERT_EQ(seen[i].size, kHour) << "stage " << i;
        for (size_t r = 0; r < ranks.size(); ++r)
            EXPECT_EQ(seen[i].selected[r], sorted[ranks[r]]) << "stage " << i << ", rank " << ranks[r];
        for (size_t t = 0; t < thresholds.size(); ++t)
        {
            const OrderedPowers::Tail expected = TailOf(sorted, thresholds[t]);
            EXPECT_EQ(seen[i].tails[t].count, expected.count) << "stage " << i << ", from " << thresholds[t];
            EXPECT_EQ(seen[i].tails[t].sum, expected.sum) << "stage " << i << ", from " << thresholds[t];
        }
    }
}
