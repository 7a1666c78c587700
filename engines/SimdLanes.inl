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
