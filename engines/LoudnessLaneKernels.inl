// The block path's lane kernel (LoudnessLanes.h) over vector types (see
// SimdLanes.inl), compiled once per kernel set (KernelSets.inl). V holds the
// K-weighting lanes, G of them covering the weighted channels; the
// ballistics run in pairs of lanes (V2), the width at which a division costs
// least per lane.

// How far ahead the kernel asks for its channels' samples: two chunks of 512
// frames of the caller (each starts a fresh page of each channel, where the
// processor's own prefetching stops; one chunk ahead comes too late).
// Asking beyond the end of a buffer is harmless: a prefetch never faults.
constexpr int32_t kPrefetchFrames = 1024;

// Frame i of channels g·L .. g·L + L − 1 in lanes (0.0 beyond those in use).
template <class V, int InUse, std::size_t... J>
inline V FrameLanes(const double* const* input, int g, int32_t i, std::index_sequence<J...>)
{
    constexpr int L = sizeof...(J);
    return V{(g * L + static_cast<int>(J) < InUse ? input[g * L + J][i] : 0.0)...};
}

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

    // One frame, its samples x[g] in lanes: the K-weighting
    // (KWeightingSection::Step twice), the weighted squares into t[g] and the
    // ballistics (PeakBallistics::Step) of each channel in use.
    const auto step = [&](V(&x)[G], int32_t i, V(&t)[G]) {
        for (int g = 0; g < G; ++g)
        {
            V in = x[g];
            for (int st = 0; st < 2; ++st)
            {
                const V u = in + tiny;
                const V y = b0[st][g] * u + b1[st][g] * x1[st][g] + b2[st][g] * x2[st][g] - a1[st][g] * y1[st][g] -
                            a2[st][g] * y2[st][g] + tiny;
                x2[st][g] = x1[st][g];
                x1[st][g] = u;
                y2[st][g] = y1[st][g];
                y1[st][g] = y;
                in = y;
            }
            t[g] = w[g] * (in * in);
        }
        for (int p = 0; p < P; ++p)
        {
            const V2 a = {currents[2 * p][i], 2 * p + 1 < InUse ? currents[2 * p + 1][i] : 0.0};
            held[p] = a > held[p] ? a : held[p];
            falling[p] = a > falling[p] ? a : falling[p] / release[p];
        }
    };

    // Squares of L frames: each channel's samples come in as a vector and the
    // squares go out as one, through transposes.
    int32_t i = 0;
    for (; i + L <= frames; i += L)
    {
        if ((i & 7) == 0)
        {
            for (int k = 0; k < InUse; ++k)
                __builtin_prefetch(input[k] + i + kPrefetchFrames);
        }
        V rows[G][L];
        for (int g = 0; g < G; ++g)
        {
            for (int r = 0; r < L; ++r)
            {
                const V v = g * L + r < InUse ? Load<V>(input[g * L + r] + i) : V{};
                rows[g][r] = Abs(v) <= largest ? v : V{};  // FiniteOrZero
            }
            Transpose(rows[g]);
        }
        V terms[G][L];
        for (int f = 0; f < L; ++f)
        {
            V x[G], t[G];
            for (int g = 0; g < G; ++g)
                x[g] = rows[g][f];
            step(x, i + f, t);
            for (int g = 0; g < G; ++g)
                terms[g][f] = t[g];
        }
        // MeanSquareWindow::WeightedSquareSum in channel order, from 0.0;
        // the channels beyond the weighted ones would add exactly 0.0.
        V sum = V{};
        for (int g = 0; g < G; ++g)
        {
            Transpose(terms[g]);
            for (int r = 0; r < L; ++r)
                if (g * L + r < Weighted)
                    sum = sum + terms[g][r];
        }
        Store(squareSums + i, sum);
    }
    // The rest frame by frame.
    for (; i < frames; ++i)
    {
        V x[G], t[G];
        for (int g = 0; g < G; ++g)
        {
            x[g] = FrameLanes<V, InUse>(input, g, i, std::make_index_sequence<L>{});
            x[g] = Abs(x[g]) <= largest ? x[g] : V{};
        }
        step(x, i, t);
        double sum = 0.0;
        for (int k = 0; k < Weighted; ++k)
            sum += t[k / L][k % L];
        squareSums[i] = sum;
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
