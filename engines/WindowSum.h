#pragma once
// The running sum of a sliding window of non-negative values (per-frame
// squares), with a bound on its rounding error. Adding and subtracting keeps
// the rounding error of the largest sum the window ever held: once a value
// far above the rest (or loud programme before silence) has left, that
// residue can outweigh everything the window holds. The bound says when the
// sum must be taken afresh from the ring; on ordinary programmes it never
// does, so the running sum keeps its exact bits.

#include <cstdint>

struct WindowSum
{
    double sum = 0.0;
    // Σ of the values the sum took after each addition since it was last
    // taken afresh: its rounding error is at most 2^-52 times this (an
    // addition and a subtraction per frame, each within 2^-53 of its result,
    // which is at most the sum after the addition).
    double scale = 0.0;

    void Clear() { sum = scale = 0.0; }

    void Add(double v)
    {
        sum += v;
        scale += sum;
    }

    void Subtract(double v)
    {
        sum -= v;
        if (sum < 0.0)
            sum = 0.0;  // a residue below zero
    }

    // True when the rounding error may exceed 2^-12 of the sum (0.001 dB),
    // or the sum is not finite (a square beyond the range of a double).
    bool Stale() const { return !(scale * 0x1p-40 <= sum); }

    // The sum of values[0..count-1] in their order; the bound restarts from
    // that summation's own error, at most (count − 1) · 2^-53 · sum.
    void Resum(const double* values, int32_t count)
    {
        double s = 0.0;
        for (int32_t i = 0; i < count; ++i)
            s += values[i];
        sum = s;
        scale = 0.5 * count * s;
    }
};
