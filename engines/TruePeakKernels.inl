// The true-peak filter over a vector type V (see SimdLanes.inl), compiled once
// per kernel set (KernelSets.inl). F is the oversampling factor (4 or 2),
// T = 48 / F the taps of each phase; every lane sums its taps in the order of
// the ring form.

// Phases in lanes, for one sample of each of N detectors at once, so that
// their chains of additions overlap: peaks[c] is the largest |interpolated
// value| of the F phases for windows[c] (0.0 when all are 0 or NaN).
// windows[c][m] is the scaled input m samples back; laneTaps[m * F + p] is
// tap m of phase p.
template <class V, int F, int N>
inline void PhasePeaks(const double* const* windows, const double* laneTaps, double* peaks)
{
    constexpr int T = 48 / F;
    constexpr int L = kLanes<V>;
    constexpr int G = F / L;
    V acc[N][G];
    for (int c = 0; c < N; ++c)
        for (int g = 0; g < G; ++g)
            acc[c][g] = V{};
    for (int m = 0; m < T; ++m)
    {
        for (int g = 0; g < G; ++g)
        {
            const V taps = Load<V>(laneTaps + m * F + g * L);
            for (int c = 0; c < N; ++c)
                acc[c][g] = acc[c][g] + Splat<V>(windows[c][m]) * taps;
        }
    }
    for (int c = 0; c < N; ++c)
    {
        V peak = V{};
        for (int g = 0; g < G; ++g)
            peak = Larger(Abs(acc[c][g]), peak);
        double result = 0.0;
        for (int i = 0; i < L; ++i)
            result = peak[i] > result ? peak[i] : result;
        peaks[c] = result;
    }
}

// The kernels for one to six detectors, indexed by their number.
typedef void (*PhasePeaksFn)(const double* const*, const double*, double*);
template <class V, int F>
constexpr PhasePeaksFn kPhasePeaks[7] = {nullptr,
                                         PhasePeaks<V, F, 1>,
                                         PhasePeaks<V, F, 2>,
                                         PhasePeaks<V, F, 3>,
                                         PhasePeaks<V, F, 4>,
                                         PhasePeaks<V, F, 5>,
                                         PhasePeaks<V, F, 6>};

// The inputs of a block as BlockPeaks takes them: clean[j] is x[j] when it
// is finite, else 0.0 (FiniteOrZero), scaled[j] is factor × clean[j].
template <class V>
inline void GuardAndScale(const double* x, int n, double factor, double* clean, double* scaled)
{
    constexpr int L = kLanes<V>;
    const V largest = Splat<V>(DBL_MAX);
    const V f = Splat<V>(factor);
    int j = 0;
    for (; j + L <= n; j += L)
    {
        V v = Load<V>(x + j);
        v = Abs(v) <= largest ? v : V{};
        Store(clean + j, v);
        Store(scaled + j, f * v);
    }
    for (; j < n; ++j)
    {
        clean[j] = FiniteOrZero(x[j]);
        scaled[j] = factor * clean[j];
    }
}

// Samples in lanes, for whole groups of L samples of x[0..n-1] (n at most
// kMaxBlock): writes each sample's current and raises maximum; returns how
// many samples it did. scaled[j - m] is the scaled input m samples before
// sample j (so scaled[-1] down to scaled[1 - T] hold the inputs before x[0]);
// phaseTaps[p][m] is tap m of phase p. One phase at a time, so that its taps
// stay in registers.
constexpr int kMaxBlock = 512;

template <class V, int F>
inline int BlockPeaks(const double* scaled, const double* x, int n, const double (*phaseTaps)[24],
                      double normaliser, double* currents, double& maximum)
{
    constexpr int T = 48 / F;
    constexpr int L = kLanes<V>;
    const int groups = n / L;
    V peaks[kMaxBlock / L];
    for (int g = 0; g < groups; ++g)
        peaks[g] = V{};
    for (int p = 0; p < F; ++p)
    {
        V taps[T];
        for (int m = 0; m < T; ++m)
            taps[m] = Splat<V>(phaseTaps[p][m]);
        // Two groups at a time, each tap serving both (and no more, so that
        // the taps keep their registers). The ring form starts from 0.0 +
        // the first product, which can differ from the product only in the
        // sign of a zero, and Abs drops that.
        int g = 0;
#pragma GCC unroll 1
        for (; g + 2 <= groups; g += 2)
        {
            const double* newest = scaled + g * L;
            V acc0 = Load<V>(newest) * taps[0];
            V acc1 = Load<V>(newest + L) * taps[0];
            for (int m = 1; m < T; ++m)
            {
                acc0 = acc0 + Load<V>(newest - m) * taps[m];
                acc1 = acc1 + Load<V>(newest + L - m) * taps[m];
            }
            peaks[g] = Larger(Abs(acc0), peaks[g]);
            peaks[g + 1] = Larger(Abs(acc1), peaks[g + 1]);
        }
        for (; g < groups; ++g)
        {
            const double* newest = scaled + g * L;
            V acc = Load<V>(newest) * taps[0];
            for (int m = 1; m < T; ++m)
                acc = acc + Load<V>(newest - m) * taps[m];
            peaks[g] = Larger(Abs(acc), peaks[g]);
        }
    }
    const V norm = Splat<V>(normaliser);
    V most = Splat<V>(maximum);
    for (int g = 0; g < groups; ++g)
    {
        const V current = Larger(norm * peaks[g], Abs(Load<V>(x + g * L)));
        Store(currents + g * L, current);
        most = Larger(current, most);
    }
    for (int i = 0; i < L; ++i)
        maximum = most[i] > maximum ? most[i] : maximum;
    return groups * L;
}

// The entries of this kernel set: the blocks in its widest lanes.
void Prepare(const double* x, int n, double factor, double* clean, double* scaled)
{
    GuardAndScale<Upto8>(x, n, factor, clean, scaled);
}

int QuadBlockPeaks(const double* scaled, const double* x, int n, const double (*phaseTaps)[24], double normaliser,
                   double* currents, double& maximum)
{
    return BlockPeaks<Upto8, 4>(scaled, x, n, phaseTaps, normaliser, currents, maximum);
}

int DoubleBlockPeaks(const double* scaled, const double* x, int n, const double (*phaseTaps)[24], double normaliser,
                     double* currents, double& maximum)
{
    return BlockPeaks<Upto8, 2>(scaled, x, n, phaseTaps, normaliser, currents, maximum);
}
