// Lane helpers over GCC vector types of doubles. Included once per
// instruction set, inside a namespace of its own (and, for the wider set,
// under a target pragma), so that each copy is compiled for its own set.
// Every lane does exactly the scalar arithmetic: no fused multiply-add.

template <class V>
constexpr int kLanes = sizeof(V) / sizeof(double);

template <class V>
inline V Load(const double* p)
{
    V v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}

template <class V>
inline void Store(double* p, V v)
{
    __builtin_memcpy(p, &v, sizeof v);
}

// s in every lane (one broadcast; the file that includes this one includes
// <utility> first).
template <class V, std::size_t... I>
inline V SplatLanes(double s, std::index_sequence<I...>)
{
    return V{(static_cast<void>(I), s)...};
}

template <class V>
inline V Splat(double s)
{
    return SplatLanes<V>(s, std::make_index_sequence<kLanes<V>>{});
}

// |v|: the sign bit cleared, as fabs does.
template <class V>
inline V Abs(V v)
{
    typedef long long Bits __attribute__((vector_size(sizeof(V))));
    return (V)((Bits)v & (Bits{} + 0x7FFFFFFFFFFFFFFFLL));
}

// a where a > b, else b: `if (a > b) b = a` per lane (a NaN in a never wins).
template <class V>
inline V Larger(V a, V b)
{
    return a > b ? a : b;
}

// Lanes of a and b for a transpose step over blocks of B lanes: the low
// result takes a's even blocks and b's even blocks between them, the high
// one their odd blocks.
template <class V, int B, std::size_t... J>
inline V EvenBlocks(V a, V b, std::index_sequence<J...>)
{
    constexpr int L = sizeof...(J);
    return __builtin_shufflevector(a, b, ((J & B) ? static_cast<int>(J) - B + L : static_cast<int>(J))...);
}

template <class V, int B, std::size_t... J>
inline V OddBlocks(V a, V b, std::index_sequence<J...>)
{
    constexpr int L = sizeof...(J);
    return __builtin_shufflevector(a, b, ((J & B) ? static_cast<int>(J) + L : static_cast<int>(J) + B)...);
}

template <class V, int B>
inline void TransposeStep(V (&rows)[kLanes<V>])
{
    constexpr auto lanes = std::make_index_sequence<kLanes<V>>{};
    for (int r = 0; r < kLanes<V>; ++r)
    {
        if ((r & B) == 0)
        {
            const V even = EvenBlocks<V, B>(rows[r], rows[r + B], lanes);
            const V odd = OddBlocks<V, B>(rows[r], rows[r + B], lanes);
            rows[r] = even;
            rows[r + B] = odd;
        }
    }
}

// A square of vectors transposed in place: rows[r][c] becomes rows[c][r].
template <class V>
inline void Transpose(V (&rows)[kLanes<V>])
{
    TransposeStep<V, 1>(rows);
    if constexpr (kLanes<V> > 2)
        TransposeStep<V, 2>(rows);
    if constexpr (kLanes<V> > 4)
        TransposeStep<V, 4>(rows);
}
