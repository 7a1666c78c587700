#include "engines/TruePeakDetector.h"

#include <cmath>

namespace {

constexpr int32_t kHalf = TruePeakDetector::kTapCount / 2;

// Taps 0..23 of the 4-phase, 12-taps-per-phase interpolator of ITU-R BS.1770-4
// Annex 2, interleaved by phase (tap 4j + p is coefficient j of phase p).
constexpr double kQuadHalf[kHalf] = {
    0.001708984375,    -0.0291748046875, -0.0189208984375, -0.00830078125,
    0.010986328125,    0.029296875,      0.0330810546875,  0.014892578125,
    -0.0196533203125,  -0.0517578125,    -0.0582275390625, -0.026611328125,
    0.033203125,       0.089111328125,   0.1015625,        0.047607421875,
    -0.0594482421875,  -0.16650390625,   -0.2003173828125, -0.102294921875,
    0.1373291015625,   0.465087890625,   0.77978515625,    0.97216796875,
};

// Taps 0..23 of the 2× interpolator.
constexpr double kDoubleHalf[kHalf] = {
    -0.012421945913447892, -0.024823832091983064, 0.019434940547226703,
    0.014052821368491314,  -0.018333256940687492, -0.022660521518825905,
    0.02611513759705972,   0.0296900702193718,    -0.03435201828784526,
    -0.03925865005387791,  0.045167818431985335,  0.05151163332103437,
    -0.05926649498744107,  -0.06787615144145479,  0.07859318044406559,
    0.0910219580947544,    -0.10695736031990728,  -0.12683668373336432,
    0.1539508183818843,    0.19181534789583438,   -0.25100243289004,
    -0.35544951153620047,  0.5975877215058337,    1.7995978372665244,
};

struct TapTable
{
    double taps[TruePeakDetector::kTapCount];
};

constexpr TapTable Mirror(const double (&half)[kHalf])
{
    TapTable t{};
    for (int32_t k = 0; k < kHalf; ++k)
    {
        t.taps[k] = half[k];
        t.taps[TruePeakDetector::kTapCount - 1 - k] = half[k];
    }
    return t;
}

constexpr TapTable kQuad = Mirror(kQuadHalf);
constexpr TapTable kDouble = Mirror(kDoubleHalf);

}  // namespace

const double* TruePeakDetector::QuadTaps() { return kQuad.taps; }
const double* TruePeakDetector::DoubleTaps() { return kDouble.taps; }

void TruePeakDetector::Init(double sampleRate)
{
    const auto f = static_cast<int64_t>(sampleRate);
    const double* taps = kDouble.taps;
    if (f <= 48000)
    {
        factor = 4;
        taps = kQuad.taps;
    }
    else if (f <= 96000)
        factor = 2;
    else
        factor = 1;

    tapsPerPhase = kTapCount / factor;
    if (factor > 1)
    {
        tapSum = 0.0;
        for (int32_t k = 0; k < kTapCount; ++k)
            tapSum += taps[k];
        normaliser = 1.0 / tapSum;
        for (int32_t p = 0; p < factor; ++p)
            for (int32_t m = 0; m < tapsPerPhase; ++m)
                phaseTaps[p][m] = taps[kTapCount - 1 - p - m * factor];
    }
    else
    {
        tapSum = 1.0;
        normaliser = 1.0;
    }
    Reset();
}

void TruePeakDetector::Reset()
{
    for (double& h : history)
        h = 0.0;
    pos = 0;
    current = 0.0;
    maximum = 0.0;
}

void TruePeakDetector::Process(double x)
{
    const double ax = std::fabs(x);
    double peak = 0.0;
    if (factor == 1)
        peak = ax;
    else
    {
        pos = (pos == 0 ? tapsPerPhase : pos) - 1;
        const double s = factor * x;
        history[pos] = s;
        history[pos + tapsPerPhase] = s;
        const double* window = history + pos;
        for (int32_t p = 0; p < factor; ++p)
        {
            double acc = 0.0;
            for (int32_t m = 0; m < tapsPerPhase; ++m)
                acc += window[m] * phaseTaps[p][m];
            if (std::fabs(acc) > peak)
                peak = std::fabs(acc);
        }
    }
    current = normaliser * (ax > peak ? ax : peak);
    if (current > maximum)
        maximum = current;
}

void TruePeakDetector::ProcessBlock(const double* x, int32_t n, double* currents)
{
    for (int32_t i = 0; i < n; ++i)
    {
        Process(x[i]);
        currents[i] = current;
    }
}
