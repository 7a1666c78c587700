// The block path's lane kernel (LoudnessLanes.h) over vector types (see
// SimdLanes.inl), compiled once per kernel set (KernelSets.inl). V holds the K-weighting
// lanes, G of them covering the weighted channels; the ballistics run in
// pairs of lanes (V2), the width at which a division costs least per lane.

// How far ahead the kernel asks for its channels' samples: one chunk of the
// caller, whose samples start a fresh page of each channel, where the
// processor's own prefetching stops.
constexpr int32_t kPrefetchFrames = 512;

template <class V, int InUse, int Weighted>
void LaneChunk(LoudnessLanes& s, const double* const* input, const double* const* currents, int32_t frames,
               double* squareSums)
{
    constexpr int L = kLanes<V>;
    constexpr int G = (Weighted + L - 1) / L;
    constexpr int P = (InUse + 1) / 2;

    V b0[2][G], b1[2][G], b2[2][G], a1[2][G], a2[2][G], x1[2][G], x2[2][G], y1[2][G], y2[2][G], w[G];
    for (int st = 0; st < 2; ++st)
    {
        for (int g = 0; g < G; ++g)
        {
            b0[st][g] = Load<V>(s.b0[st] + g * L);
            b1[st][g] = Load<V>(s.b1[st] + g * L);
            b2[st][g] = Load<V>(s.b2[st] + g * L);
            a1[st][g] = Load<V>(s.a1[st] + g * L);
            a2[st][g] = Load<V>(s.a2[st] + g * L);
            x1[st][g] = Load<V>(s.x1[st] + g * L);
            x2[st][g] = Load<V>(s.x2[st] + g * L);
            y1[st][g] = Load<V>(s.y1[st] + g * L);
            y2[st][g] = Load<V>(s.y2[st] + g * L);
        }
    }
    for (int g = 0; g < G; ++g)
        w[g] = Load<V>(s.weight + g * L);
    V2 held[P], falling[P], release[P];
    for (int p = 0; p < P; ++p)
    {
        held[p] = Load<V2>(s.held + 2 * p);
        falling[p] = Load<V2>(s.falling + 2 * p);
        release[p] = Load<V2>(s.releaseFactor + 2 * p);
    }
    const V tiny = Splat<V>(1e-25);
    const V largest = Splat<V>(DBL_MAX);

    for (int32_t i = 0; i < frames; ++i)
    {
        if ((i & 7) == 0)
        {
            for (int k = 0; k < InUse; ++k)
                __builtin_prefetch(input[k] + i + kPrefetchFrames);
        }
        V terms[G];
        for (int g = 0; g < G; ++g)
        {
            V x;
            for (int j = 0; j < L; ++j)
                x[j] = g * L + j < InUse ? input[g * L + j][i] : 0.0;
            x = Abs(x) <= largest ? x : V{};  // FiniteOrZero
            for (int st = 0; st < 2; ++st)
            {
                // KWeightingSection::Step
                const V u = x + tiny;
                const V y = b0[st][g] * u + b1[st][g] * x1[st][g] + b2[st][g] * x2[st][g] - a1[st][g] * y1[st][g] -
                            a2[st][g] * y2[st][g] + tiny;
                x2[st][g] = x1[st][g];
                x1[st][g] = u;
                y2[st][g] = y1[st][g];
                y1[st][g] = y;
                x = y;
            }
            terms[g] = w[g] * (x * x);
        }
        // MeanSquareWindow::WeightedSquareSum in channel order; the channels
        // beyond the weighted ones would add exactly 0.0.
        double sum = 0.0;
        for (int k = 0; k < Weighted; ++k)
            sum += terms[k / L][k % L];
        squareSums[i] = sum;

        // PeakBallistics::Step of each channel in use.
        for (int p = 0; p < P; ++p)
        {
            const V2 a = {currents[2 * p][i], 2 * p + 1 < InUse ? currents[2 * p + 1][i] : 0.0};
            held[p] = a > held[p] ? a : held[p];
            falling[p] = a > falling[p] ? a : falling[p] / release[p];
        }
    }

    for (int st = 0; st < 2; ++st)
    {
        for (int g = 0; g < G; ++g)
        {
            Store(s.x1[st] + g * L, x1[st][g]);
            Store(s.x2[st] + g * L, x2[st][g]);
            Store(s.y1[st] + g * L, y1[st][g]);
            Store(s.y2[st] + g * L, y2[st][g]);
        }
    }
    for (int p = 0; p < P; ++p)
    {
        Store(s.held + 2 * p, held[p]);
        Store(s.falling + 2 * p, falling[p]);
    }
}

// The configurations' kernels, K-weighting lanes in vectors of up to four
// lanes for "1.0" and "2.0" (two and four weighted channels; "1.0" in two:
// V2), of up to eight beyond (five or six).
constexpr LaneChunkFn kLaneChunks[kEbuConfigCount] = {LaneChunk<V2, 1, 2>, LaneChunk<Upto4, 2, 4>,
                                                      LaneChunk<Upto8, 4, 5>, LaneChunk<Upto8, 5, 6>,
                                                      LaneChunk<Upto8, 6, 6>};
