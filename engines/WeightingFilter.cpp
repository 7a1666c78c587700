#include "engines/WeightingFilter.h"

#include "engines/Decibels.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Multiplier of the band section's bandwidth as the centre frequency nears
// Nyquist (r = f / fs), so that the section keeps its shape there. Each later
// test overrides the earlier ones.
double NyquistCorrection(double r)
{
    double k = 1.0;
    if (r > 0.125)
        k = (r - 0.125) * 0.8000000000000007 + 1.0;
    if (r > 0.25)
        k = (r - 0.25) * 2.7272727272727257 + 1.1;
    if (r > 0.294)
        k = 1.22 - (r - 0.294) * 5.0;
    if (r > 0.306)
        k = 1.16 - (r - 0.306) * 3.3333333333333335;
    if (r > 0.312)
        k = 1.14 - (r - 0.312) * 3.8095238095238075;
    if (r > 0.375)
        k = 0.9 - (r - 0.375) * 1.3333333333333328;
    if (r > 0.45)
        k = 0.8 - (r - 0.45) * 1.000000000000001;
    if (r > 0.5)
        k = 0.75;
    return k;
}

// Resonant band section with peak gain 1, band-edge gain √0.5 and reference
// gain 0, its gain at Nyquist prescribed from the analogue prototype so that
// the digital response does not cramp near fs / 2.
void DesignResonantBand(Biquad& s, double f, double q, double fs)
{
    const double g = 1.0;
    const double gb = std::sqrt(0.5);
    const double g0 = 0.0;
    const double pi2 = kPi * kPi;

    const double w0 = 2.0 * kPi * f / fs;
    double dw = 2.0 * std::atan(std::sin(w0 / 2.0) / q);
    dw = NyquistCorrection(f / fs) * dw;
    const double dw2 = dw * dw;

    double d = std::fabs(g * g - gb * gb);
    if (d < 0.001)
        d = 1.0;
    const double e = std::fabs(gb * gb - g0 * g0);
    const double w0pi = w0 * w0 - pi2;
    const double p = w0pi * w0pi;

    const double g1 = std::sqrt((g * g * e * pi2 * dw2 / d + p * g0 * g0) / (pi2 * e * dw2 / d + p));

    const double ff = std::fabs(g * g - g1 * g1);
    const double f00 = std::fabs(g * g - g0 * g0);
    const double f01 = std::fabs(gb * gb - g1 * g1);
    const double tanHalfW0 = std::tan(w0 / 2.0);
    const double w2 = std::sqrt(ff / f00) * (tanHalfW0 * tanHalfW0);

    const double cFactor = std::tan(dw / 2.0) * (1.0 + w2 * std::sqrt(e / f01));
    const double cc = f01 * (cFactor * cFactor);
    const double dd = cc - 2.0 * w2 * (std::fabs(gb * gb - g0 * g1) - std::sqrt(f01 * e));
    const double aa = 2.0 * w2 * (std::fabs(g * g - g0 * g1) - std::sqrt(ff * f00));

    const double a = std::sqrt((aa + dd) / d);
    const double b = std::sqrt((g * g * dd + gb * gb * aa) / d);
    const double n = 1.0 + w2 + a;

    s.b0 = (g1 + g0 * w2 + b) / n;
    s.b1 = -2.0 * (g1 - g0 * w2) / n;
    s.b2 = (g1 - b + g0 * w2) / n;
    s.a1 = -2.0 * (1.0 - w2) / n;
    s.a2 = (1.0 + w2 - a) / n;
    s.a0 = 1.0;
}

// The shelves and the low-pass that tame the top octave of the Leq(A/B/C)
// curves, by sample-rate class.
void DesignHighFrequencySet(Biquad (&s)[WeightingFilter::kSectionCount], double fs)
{
    double gain3 = 0.0, gain4 = 0.0, f5 = 12400.0, q5 = 0.48;
    if (fs <= 44100.0)
    {
        gain4 = -1.2;
    }
    else if (fs <= 48000.0)
    {
        gain3 = 0.5;
        gain4 = -1.0;
        f5 = 12600.0;
    }
    else if (fs <= 96000.0)
    {
        gain3 = 8.0;
        gain4 = -3.0;
        q5 = 0.5;
    }
    else if (fs <= 192000.0)
    {
        gain3 = 10.0;
        gain4 = 2.0;
        q5 = 0.5;
    }
    WeightingFilter::DesignBiquad(s[3], BiquadType::HighShelf, fs * 0.5 - fs * 0.083333, 0.5, gain3, fs);
    WeightingFilter::DesignBiquad(s[4], BiquadType::HighShelf, fs * 0.5 - fs * 0.083333 * 0.5, 0.5, gain4, fs);
    WeightingFilter::DesignBiquad(s[5], BiquadType::LowPassDoubleRate, f5, q5, 0.0, fs);
}

// "Leq(M)"; rates above 192 kHz take the 96–192 kHz design. Returns the make-up dB.
double DesignLeqM(Biquad (&s)[WeightingFilter::kSectionCount], double fs)
{
    if (fs <= 48000.0)
    {
        WeightingFilter::DesignBiquad(s[1], BiquadType::ResonantBand, 7100.0, 0.5, 0.0, fs);
        WeightingFilter::DesignBiquad(s[2], BiquadType::LowPassDoubleRate, 10800.0, 0.82, 0.0, fs);
        WeightingFilter::DesignBiquad(s[3], BiquadType::LowPassDoubleRate, 10800.0, 0.82, 0.0, fs);
        WeightingFilter::DesignBiquad(s[4], BiquadType::HighShelfAlt, 12300.0, 0.7, -6.0, fs);
        WeightingFilter::DesignBiquad(s[5], BiquadType::HighShelf, 19000.0, 0.64, 8.0, fs);
        return 6.2;
    }
    const double topGain = fs <= 96000.0 ? 24.0 : 12.0;
    WeightingFilter::DesignBiquad(s[1], BiquadType::ResonantBand, 7700.0, 0.5, 0.0, fs);
    WeightingFilter::DesignBiquad(s[2], BiquadType::LowPassDoubleRate, 10700.0, 0.8, 0.0, fs);
    WeightingFilter::DesignBiquad(s[3], BiquadType::LowPassDoubleRate, 10700.0, 0.8, 0.0, fs);
    WeightingFilter::DesignBiquad(s[4], BiquadType::LowPassDoubleRate, 10700.0, 0.8, 0.0, fs);
    WeightingFilter::DesignBiquad(s[5], BiquadType::HighShelf, 30000.0, 0.7, topGain, fs);
    return 6.300000000000001;
}

}  // namespace

void WeightingFilter::Setup(WeightingMode newMode, double fs, double lowHz, int32_t lowOrder, double highHz,
                            int32_t highOrder)
{
    mode = newMode;
    makeupDb = 0.0;
    switch (mode)
    {
    case WeightingMode::Bs1770:
        DesignBilinear(kHighPass, 38.13547087611304, 0.0, 0.0, 1.00499489871469, 0.50032703732504, fs);
        DesignBilinear(kShelf, 1681.974450955532, 1.25872093023256, 1.0, 1.58486470113086, 0.70717523695542,
                       fs);
        makeupDb = -0.671;
        break;
    case WeightingMode::LeqA:
    case WeightingMode::LeqAPlus3:
        DesignBiquad(sections[0], BiquadType::LowShelf, 30.0, 0.6, 2.0, fs);
        DesignBiquad(sections[1], BiquadType::HighPass, 30.0, 0.4, 0.0, fs);
        DesignBiquad(sections[2], BiquadType::HighPass, 239.0, 0.29, 0.0, fs);
        DesignHighFrequencySet(sections, fs);
        makeupDb = mode == WeightingMode::LeqA ? 1.99 : 4.99;
        break;
    case WeightingMode::LeqB:
        DesignBiquad(sections[1], BiquadType::HighPass, 74.0, 0.39, 0.0, fs);
        DesignHighFrequencySet(sections, fs);
        makeupDb = 0.2;
        break;
    case WeightingMode::LeqC:
        DesignBiquad(sections[0], BiquadType::LowShelf, 10.0, 0.6, -4.0, fs);
        DesignBiquad(sections[1], BiquadType::HighPass, 15.0, 0.41, 0.0, fs);
        DesignHighFrequencySet(sections, fs);
        makeupDb = 0.1;
        break;
    case WeightingMode::LeqM:
        makeupDb = DesignLeqM(sections, fs);
        break;
    case WeightingMode::BandPass:
        DesignBiquad(sections[6], BiquadType::HighPass, lowHz, 0.7, 0.0, fs);
        DesignBiquad(sections[7], BiquadType::HighPass, lowHz, 0.7, 0.0, fs);
        DesignBiquad(sections[8], BiquadType::LowPassDoubleRate, highHz, 0.7, 0.0, fs);
        DesignBiquad(sections[9], BiquadType::LowPassDoubleRate, highHz, 0.7, 0.0, fs);
        lowSecond = lowOrder;
        highSecond = highOrder;
        break;
    default:
        break;
    }
    makeupGain = DbToGain(makeupDb);
}

void WeightingFilter::Clear()
{
    kShelf.Clear();
    kHighPass.Clear();
    for (Biquad& s : sections)
        s.Clear();
}

void WeightingFilter::DesignBiquad(Biquad& s, BiquadType type, double f, double q, double gainDb, double fs)
{
    s.Clear();
    s.type = type;
    if (f > fs * 0.5)
        f = fs * 0.5 - 1.0;

    // The double-rate low-pass is designed at half the normalised frequency.
    const double w = type == BiquadType::LowPassDoubleRate ? 2.0 * kPi * f / fs * 0.5 : 2.0 * kPi * f / fs;
    const double alpha = std::sin(w) / (2.0 * q);
    const double c = std::cos(w);
    const double a = std::pow(10.0, gainDb / 40.0);
    const double sqrtA2Alpha = 2.0 * std::sqrt(a) * alpha;

    switch (type)
    {
    case BiquadType::HighPass:
        s.b0 = (1.0 + c) / 2.0;
        s.b1 = -(1.0 + c);
        s.b2 = (1.0 + c) / 2.0;
        s.a0 = 1.0 + alpha;
        s.a1 = -2.0 * c;
        s.a2 = 1.0 - alpha;
        break;
    case BiquadType::LowPassDoubleRate:
    case BiquadType::LowPass:
        s.b0 = (1.0 - c) / 2.0;
        s.b1 = 1.0 - c;
        s.b2 = (1.0 - c) / 2.0;
        s.a0 = 1.0 + alpha;
        s.a1 = -2.0 * c;
        s.a2 = 1.0 - alpha;
        break;
    case BiquadType::LowShelf:
        s.b0 = a * ((a + 1.0) - (a - 1.0) * c + sqrtA2Alpha);
        s.b1 = 2.0 * a * ((a - 1.0) - (a + 1.0) * c);
        s.b2 = a * ((a + 1.0) - (a - 1.0) * c - sqrtA2Alpha);
        s.a0 = (a + 1.0) + (a - 1.0) * c + sqrtA2Alpha;
        s.a1 = -2.0 * ((a - 1.0) + (a + 1.0) * c);
        s.a2 = (a + 1.0) + (a - 1.0) * c - sqrtA2Alpha;
        break;
    case BiquadType::HighShelf:
    case BiquadType::HighShelfAlt:
        s.b0 = a * ((a + 1.0) + (a - 1.0) * c + sqrtA2Alpha);
        s.b1 = -2.0 * a * ((a - 1.0) + (a + 1.0) * c);
        s.b2 = a * ((a + 1.0) + (a - 1.0) * c - sqrtA2Alpha);
        s.a0 = (a + 1.0) - (a - 1.0) * c + sqrtA2Alpha;
        s.a1 = 2.0 * ((a - 1.0) - (a + 1.0) * c);
        s.a2 = (a + 1.0) - (a - 1.0) * c - sqrtA2Alpha;
        break;
    case BiquadType::ResonantBand:
        DesignResonantBand(s, f, q, fs);
        break;
    default:
        break;
    }
}

void WeightingFilter::DesignBilinear(BilinearSection& s, double f0, double bandGain, double squareGain,
                                     double constGain, double q, double fs)
{
    s.Clear();
    s.sampleRate = fs;
    s.f0 = f0;
    s.bandGain = bandGain;
    s.squareGain = squareGain;
    s.constGain = constGain;
    s.q = q;
    const double k = std::tan(f0 * kPi / fs);
    const double k2 = k * k;
    const double a0 = 1.0 + k / q + k2;
    s.k = k;
    s.kSquared = k2;
    s.a0Unnormalised = a0;
    s.b0 = (squareGain * k2 + bandGain * k / q + constGain) / a0;
    s.b1 = 2.0 * (squareGain * k2 - constGain) / a0;
    s.b2 = (squareGain * k2 - bandGain * k / q + constGain) / a0;
    s.a1 = 2.0 * (k2 - 1.0) / a0;
    s.a2 = (1.0 - k / q + k2) / a0;
    s.a0 = 1.0;
}
