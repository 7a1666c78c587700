#include "engines/TruePeakDetector.h"

#include "platform/CpuFeatures.h"
#include "engines/FiniteSample.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

#define SONVAREK_KERNELS "engines/TruePeakKernels.inl"
#include "engines/KernelSets.inl"

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

// The block kernels of each kernel set, by KernelSet.
struct BlockKernels
{
    int32_t lanes;
    void (*prepare)(const double*, int, double, double*, double*);
    int (*quadPeaks)(const double*, const double*, int, const double (*)[24], double, double*, double&);
    int (*doublePeaks)(const double*, const double*, int, const double (*)[24], double, double*, double&);
};

constexpr BlockKernels kBlockKernels[] = {
    {2, base::Prepare, base::QuadBlockPeaks, base::DoubleBlockPeaks},
#ifdef SONVAREK_WIDE_KERNELS
    {4, wide::Prepare, wide::QuadBlockPeaks, wide::DoubleBlockPeaks},
    {8, widest::Prepare, widest::QuadBlockPeaks, widest::DoubleBlockPeaks},
#endif
};

}  // namespace

const double* TruePeakDetector::QuadTaps() { return kQuad.taps; }
const double* TruePeakDetector::DoubleTaps() { return kDouble.taps; }

void TruePeakDetector::Init(double sampleRate)
{
    // trunc(rate) ≤ 48000 exactly when rate < 48001: compared as doubles, no
    // rate (NaN and infinities included) needs a conversion to an integer.
    const double* taps = kDouble.taps;
    if (sampleRate < 48001.0)
    {
        factor = 4;
        taps = kQuad.taps;
    }
    else if (sampleRate < 96001.0)
        factor = 2;
    else
        factor = 1;

    tapsPerPhase = kTapCount / factor;
    kernels = ChosenKernelSet();
    if (factor > 1)
    {
        tapSum = 0.0;
        for (int32_t k = 0; k < kTapCount; ++k)
            tapSum += taps[k];
        normaliser = 1.0 / tapSum;
        for (int32_t p = 0; p < factor; ++p)
        {
            for (int32_t m = 0; m < tapsPerPhase; ++m)
            {
                phaseTaps[p][m] = taps[kTapCount - 1 - p - m * factor];
                laneTaps[m * factor + p] = phaseTaps[p][m];
            }
        }
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

const double* TruePeakDetector::Push(double x)
{
    pos = (pos == 0 ? tapsPerPhase : pos) - 1;
    const double s = factor * x;
    history[pos] = s;
    history[pos + tapsPerPhase] = s;
    return history + pos;
}

void TruePeakDetector::Finish(double x, double peak)
{
    // The interpolated values are normalised; the sample itself is a point
    // of the waveform as it stands, so the estimate never reads below it.
    const double interpolated = normaliser * peak;
    const double ax = std::fabs(x);
    current = interpolated > ax ? interpolated : ax;
    if (current > maximum)
        maximum = current;
}

void TruePeakDetector::Process(double x)
{
    ProcessFrame(this, 1, &x);
}

void TruePeakDetector::ProcessFrame(TruePeakDetector* detectors, int32_t count, const double* x)
{
    constexpr int32_t kMaxDetectors = 6;
    for (int32_t first = 0; first < count; first += kMaxDetectors)
    {
        TruePeakDetector* d = detectors + first;
        const int32_t n = std::min(kMaxDetectors, count - first);
        const int32_t factor = d[0].factor;
        bool alike = true;
        for (int32_t k = 1; k < n; ++k)
            alike = alike && d[k].factor == factor && d[k].kernels == d[0].kernels;
        if (!alike)
        {
            for (int32_t k = 0; k < n; ++k)
                ProcessFrame(d + k, 1, x + first + k);
            continue;
        }

        double clean[kMaxDetectors];
        for (int32_t k = 0; k < n; ++k)
            clean[k] = FiniteOrZero(x[first + k]);
        double peaks[kMaxDetectors];
        if (factor == 1)
        {
            for (int32_t k = 0; k < n; ++k)
                peaks[k] = std::fabs(clean[k]);
        }
        else
        {
            const double* windows[kMaxDetectors];
            for (int32_t k = 0; k < n; ++k)
                windows[k] = d[k].Push(clean[k]);
            // The taps depend on the factor only, so the first detector's serve all.
            if (factor == 2)
                base::kPhasePeaks<V2, 2>[n](windows, d[0].laneTaps, peaks);
#ifdef SONVAREK_WIDE_KERNELS
            else if (d[0].kernels != KernelSet::Base)
                wide::kPhasePeaks<V4, 4>[n](windows, d[0].laneTaps, peaks);
#endif
            else
                base::kPhasePeaks<V2, 4>[n](windows, d[0].laneTaps, peaks);
        }
        for (int32_t k = 0; k < n; ++k)
            d[k].Finish(clean[k], peaks[k]);
    }
}

void TruePeakDetector::ProcessBlock(const double* x, int32_t n, double* currents)
{
    constexpr int32_t kChunk = base::kMaxBlock;
    const int32_t t = tapsPerPhase;
    // The block kernels take whole groups of their lanes (two, four or eight
    // samples): at least one group, so that the history below is defined.
    const int32_t group = kBlockKernels[static_cast<int32_t>(kernels)].lanes;
    int32_t i = 0;
    while (factor > 1 && n - i >= group)
    {
        // The inputs (guarded) and the scaled inputs in time order, these
        // preceded by the t − 1 of the history.
        double clean[kChunk];
        double line[kMaxTapsPerPhase + kChunk];
        double* scaled = line + t - 1;
        const int32_t count = std::min(kChunk, n - i);
        for (int32_t q = 1; q < t; ++q)
            scaled[-q] = history[pos + q - 1];
        const BlockKernels& run = kBlockKernels[static_cast<int32_t>(kernels)];
        run.prepare(x + i, count, factor, clean, scaled);

        const int32_t done = (factor == 4 ? run.quadPeaks : run.doublePeaks)(scaled, clean, count, phaseTaps,
                                                                           normaliser, currents + i, maximum);

        // The history as Process would leave it after the last sample done.
        pos = 0;
        for (int32_t m = 0; m < t; ++m)
            history[m] = history[m + t] = scaled[done - 1 - m];
        current = currents[i + done - 1];
        i += done;
        if (done < count)
            break;
    }
    // The rest (and every sample when nothing is oversampled) one by one.
    for (; i < n; ++i)
    {
        Process(x[i]);
        currents[i] = current;
    }
}
