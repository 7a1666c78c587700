// The source-alpha copy in vector lanes, included once per instruction set
// inside a namespace that defines `Lanes` (a vector type V of
// Lanes::kPixels pixels and its operations). Per pixel it computes what
// LICE_CopySourceAlphaPixel does:
//   colour byte: s + q or s - q with q = (|d - s| x (256 - w)) >> 8, the
//     quotient truncated toward s (every product fits 16 bits);
//   alpha byte: dA + gain with unsigned saturation at 255;
//   source alpha 0: d unchanged.

// Steps over the whole groups of Lanes::kPixels pixels of a row and answers
// how many pixels it did; the rest is the caller's. kFull: ia = 256, where
// w = sa + 1, 256 - w = 255 - sa and the gain is sa.
template <bool kFull>
int32_t CopySourceAlphaSteps(uint32_t* d, const uint32_t* s, int32_t n, int ia)
{
    using V = Lanes::V;
    const V zero = Lanes::Zero();
    const V ones = Lanes::Ones();
    const V alphaBytes = Lanes::AlphaBytes();
    const V weight = Lanes::Words(static_cast<int16_t>(ia));
    const V one = Lanes::Words(1);
    const V full = Lanes::Words(256);
    int32_t i = 0;
    for (; i + Lanes::kPixels <= n; i += Lanes::kPixels)
    {
        const V src = Lanes::Load(s + i);
        // Each pixel's source alpha in all four of its bytes.
        V sa = Lanes::ShiftRight32(src, 24);
        sa = Lanes::Or(sa, Lanes::ShiftLeft32(sa, 8));
        sa = Lanes::Or(sa, Lanes::ShiftLeft32(sa, 16));
        const V transparent = Lanes::EqualBytes(sa, zero);
        if (Lanes::AllSet(transparent))
            continue;
        if (kFull && Lanes::AllSet(Lanes::EqualBytes(sa, ones)))
        {
            Lanes::Store(d + i, src);  // opaque at full weight: the source itself
            continue;
        }
        const V dst = Lanes::Load(d + i);
        V keepLo;  // 256 - w per byte, in 16-bit lanes
        V keepHi;
        V gain;    // what the alpha byte gains
        if (kFull)
        {
            const V keep = Lanes::Xor(sa, ones);  // 255 - sa
            keepLo = Lanes::LowWords(keep);
            keepHi = Lanes::HighWords(keep);
            gain = sa;
        }
        else
        {
            const V wLo = Lanes::ShiftRight16(Lanes::MulWords(Lanes::AddWords(Lanes::LowWords(sa), one), weight), 8);
            const V wHi = Lanes::ShiftRight16(Lanes::MulWords(Lanes::AddWords(Lanes::HighWords(sa), one), weight), 8);
            keepLo = Lanes::SubWords(full, wLo);
            keepHi = Lanes::SubWords(full, wHi);
            gain = Lanes::PackWords(wLo, wHi);  // w <= 255 below full weight
        }
        const V hi = Lanes::MaxBytes(dst, src);
        const V diff = Lanes::SubBytes(hi, Lanes::MinBytes(dst, src));
        const V q = Lanes::PackWords(Lanes::ShiftRight16(Lanes::MulWords(Lanes::LowWords(diff), keepLo), 8),
                                     Lanes::ShiftRight16(Lanes::MulWords(Lanes::HighWords(diff), keepHi), 8));
        const V colour = Lanes::Select(Lanes::EqualBytes(hi, dst), Lanes::AddBytes(src, q), Lanes::SubBytes(src, q));
        const V blended = Lanes::Select(alphaBytes, Lanes::AddBytesSaturated(dst, gain), colour);
        Lanes::Store(d + i, Lanes::Select(transparent, dst, blended));
    }
    return i;
}
