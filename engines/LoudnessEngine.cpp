#include "engines/LoudnessEngine.h"

#include "engines/Decibels.h"
#include "engines/FiniteSample.h"

#include <algorithm>

namespace {

constexpr double kShortTermOverlap = 0.9666666666666667;  // 29/30
constexpr int32_t kChunkFrames = 256;
const double kSilence[kChunkFrames] = {};

// K-weights one frame: the first `weighted` channels run their two sections
// (a non-finite sample entering as 0.0), the others pass 0.0. The channel
// count is a template argument so that the twelve independent recursions
// come out as straight-line code.
template <int32_t weighted>
void KWeightFrame(KWeightingSection* shelf, KWeightingSection* highPass, const double* x,
                  double (&y)[kEbuChannels])
{
    for (int32_t k = 0; k < kEbuChannels; ++k)
        y[k] = k < weighted ? highPass[k].Step(shelf[k].Step(FiniteOrZero(x[k]))) : 0.0;
}

typedef void (*KWeightFrameFn)(KWeightingSection*, KWeightingSection*, const double*, double (&)[kEbuChannels]);
constexpr KWeightFrameFn kKWeightFrame[kEbuChannels + 1] = {
    KWeightFrame<0>, KWeightFrame<1>, KWeightFrame<2>, KWeightFrame<3>,
    KWeightFrame<4>, KWeightFrame<5>, KWeightFrame<6>};

}  // namespace

void LoudnessEngine::Init(double sampleRate)
{
    for (int32_t k = 0; k < kEbuChannels; ++k)
    {
        shelf[k].DesignShelf(sampleRate);
        highPass[k].DesignHighPass(sampleRate);
        truePeak[k].Init(sampleRate);
        ballistics[k].Init(sampleRate);
    }
    momentary.Init(400.0, 0.75, sampleRate);
    shortTerm.Init(3000.0, kShortTermOverlap, sampleRate);
    integrator.Init(kBlockCapacity);
    range.Init(kBlockCapacity);
    Reset();
}

void LoudnessEngine::Reset()
{
    for (int32_t k = 0; k < kEbuChannels; ++k)
    {
        truePeak[k].Reset();
        shelf[k].Clear();
        highPass[k].Clear();
        ballistics[k].Reset();
    }
    momentary.Reset();
    shortTerm.Reset();
    integrator.Reset();
    range.Reset();
}

void LoudnessEngine::ProcessPeak(double x1, double x2, double x3, double x4, double x5, double x6,
                                 int32_t config)
{
    const double x[kEbuChannels] = {x1, x2, x3, x4, x5, x6};
    const int32_t inUse = kEbuChannelsInUse[ClampEbuConfig(config)];
    TruePeakDetector::ProcessFrame(truePeak, inUse, x);
    for (int32_t k = 0; k < inUse; ++k)
        ballistics[k].Step(truePeak[k].current);
}

void LoudnessEngine::ProcessLoudness(double x1, double x2, double x3, double x4, double x5, double x6,
                                     int32_t config, int32_t measure)
{
    const int32_t cfg = ClampEbuConfig(config);
    double x[kEbuChannels] = {x1, x2, x3, x4, x5, x6};
    for (int32_t k = kEbuChannelsInUse[cfg]; k < kEbuChannels; ++k)
        x[k] = 0.0;
    double y[kEbuChannels];
    kKWeightFrame[kEbuChannelsWeighted[cfg]](shelf, highPass, x, y);
    FeedBlocks(MeanSquareWindow::WeightedSquareSum(y, cfg), measure);
}

void LoudnessEngine::ProcessBlock(const double* const* channels, int32_t channelCount, int32_t frames,
                                  int32_t config, int32_t measure)
{
    const int32_t cfg = ClampEbuConfig(config);
    const int32_t inUse = kEbuChannelsInUse[cfg];
    const int32_t weighted = kEbuChannelsWeighted[cfg];
    double current[kEbuChannels][kChunkFrames];

    for (int32_t start = 0; start < frames; start += kChunkFrames)
    {
        const int32_t n = std::min(kChunkFrames, frames - start);
        const double* in[kEbuChannels];
        for (int32_t k = 0; k < kEbuChannels; ++k)
            in[k] = channels && k < inUse && k < channelCount && channels[k] ? channels[k] + start : kSilence;

        // Peak and loudness touch separate state, so each can run over the
        // whole chunk in turn. The detectors guard their own input.
        for (int32_t k = 0; k < inUse; ++k)
            truePeak[k].ProcessBlock(in[k], n, current[k]);
        for (int32_t i = 0; i < n; ++i)
            for (int32_t k = 0; k < inUse; ++k)
                ballistics[k].Step(current[k][i]);

        const KWeightFrameFn kWeight = kKWeightFrame[weighted];
        for (int32_t i = 0; i < n; ++i)
        {
            const double x[kEbuChannels] = {in[0][i], in[1][i], in[2][i], in[3][i], in[4][i], in[5][i]};
            double y[kEbuChannels];
            kWeight(shelf, highPass, x, y);
            FeedBlocks(MeanSquareWindow::WeightedSquareSum(y, cfg), measure);
        }
    }
}

int32_t LoudnessEngine::HasData() const
{
    return integrator.Full() || integrator.WriteIndex() > 0 ? 1 : 0;
}

double LoudnessEngine::GetTruePeakMaxDb() const
{
    double m = 0.0;
    for (const TruePeakDetector& d : truePeak)
        m = std::max(m, d.maximum);
    return AmplitudeToDb(m);
}
