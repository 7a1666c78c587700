#pragma once
// The integrator and the loudness range written out literally: a pass over
// the whole store per block, gating and sorting a copy. The optimised
// accumulators must give the same range bit for bit and the same integrated
// loudness up to the order of summation. Storing a block is O(1); the O(n)
// result is computed only when asked for, so long streams can be checked at
// sampled blocks.

#include <cstdint>
#include <vector>

class LiteralIntegrator
{
public:
    explicit LiteralIntegrator(int32_t capacity);
    void Add(double p);      // stores, then Evaluate
    void Store(double p);    // the storing half of Add (the wrap included)
    void Evaluate();         // recomputes both loudnesses from the store
    double integratedLoudness = -141.0;
    double ungatedLoudness = -141.0;
    int32_t writeIndex = 0;
    int32_t full = 0;

private:
    std::vector<double> store;
    int32_t capacity;
    double runningSum = 0.0;
};

class LiteralRange
{
public:
    explicit LiteralRange(int32_t capacity);
    void Compute(double p);  // stores, then Evaluate
    void Store(double p);
    void Evaluate();
    double range = 0.0;
    double ungatedLoudness = -141.0;
    int32_t gatedCount = 0;
    int32_t writeIndex = 0;
    int32_t full = 0;

private:
    std::vector<double> store;
    std::vector<double> work;
    std::vector<int32_t> lowStack;
    std::vector<int32_t> highStack;
    int32_t capacity;
    double runningSum = 0.0;
};
