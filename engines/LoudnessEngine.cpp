#include "engines/LoudnessEngine.h"

#include "engines/Decibels.h"
#include "engines/FiniteSample.h"
#include "engines/LoudnessLanes.h"

#include <algorithm>

namespace {

constexpr double kShortTermOverlap = 0.9666666666666667;  // 29/30
constexpr int32_t kChunkFrames = 512;
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
    kernels = ChosenKernelSet();
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

    // The sections and ballistics side by side for the lane kernel.
    LoudnessLanes lanes;
    for (int32_t k = 0; k < LoudnessLanes::kLanes; ++k)
    {
        const int32_t c = k < kEbuChannels ? k : kEbuChannels - 1;  // spare lanes: any valid values
        const KWeightingSection* stages[2] = {&shelf[c], &highPass[c]};
        for (int32_t st = 0; st < 2; ++st)
        {
            lanes.b0[st][k] = stages[st]->b0;
            lanes.b1[st][k] = stages[st]->b1;
            lanes.b2[st][k] = stages[st]->b2;
            lanes.a1[st][k] = stages[st]->a1;
            lanes.a2[st][k] = stages[st]->a2;
            lanes.x1[st][k] = stages[st]->x1;
            lanes.x2[st][k] = stages[st]->x2;
            lanes.y1[st][k] = stages[st]->y1;
            lanes.y2[st][k] = stages[st]->y2;
        }
        lanes.weight[k] = kEbuChannelWeights[cfg][c];
        lanes.held[k] = ballistics[c].held;
        lanes.falling[k] = ballistics[c].falling;
        lanes.releaseFactor[k] = ballistics[c].releaseFactor;
    }
    const LaneChunkFn laneChunk = SelectLaneChunk(kernels, cfg);

    double current[kEbuChannels][kChunkFrames];
    double squareSums[kChunkFrames];
    for (int32_t start = 0; start < frames; start += kChunkFrames)
    {
        const int32_t n = std::min(kChunkFrames, frames - start);
        const double* in[kEbuChannels];
        const double* currents[kEbuChannels];
        for (int32_t k = 0; k < kEbuChannels; ++k)
        {
            in[k] = channels && k < inUse && k < channelCount && channels[k] ? channels[k] + start : kSilence;
            currents[k] = current[k];
        }
        // True peak, then the lanes (ballistics from its values, K-weighting),
        // then the windows: each touches state of its own. The detectors
        // guard their own input, as the lane kernel does.
        for (int32_t k = 0; k < inUse; ++k)
            truePeak[k].ProcessBlock(in[k], n, current[k]);
        laneChunk(lanes, in, currents, n, squareSums);
        FeedWindows(squareSums, n, measure);
    }

    for (int32_t k = 0; k < weighted; ++k)
    {
        KWeightingSection* stages[2] = {&shelf[k], &highPass[k]};
        for (int32_t st = 0; st < 2; ++st)
        {
            stages[st]->x1 = lanes.x1[st][k];
            stages[st]->x2 = lanes.x2[st][k];
            stages[st]->y1 = lanes.y1[st][k];
            stages[st]->y2 = lanes.y2[st][k];
        }
    }
    for (int32_t k = 0; k < inUse; ++k)
    {
        ballistics[k].held = lanes.held[k];
        ballistics[k].falling = lanes.falling[k];
    }
}

void LoudnessEngine::FeedWindows(const double* squareSums, int32_t frames, int32_t measure)
{
    for (int32_t i = 0; i < frames;)
    {
        // The frames before either window wraps its ring or completes a
        // block run through both at once; that frame goes through Push.
        const int32_t quiet = std::min({momentary.QuietFrames(), shortTerm.QuietFrames(), frames - i});
        MeanSquareWindow::PushQuietPair(momentary, shortTerm, squareSums + i, quiet);
        i += quiet;
        if (i < frames)
            FeedBlocks(squareSums[i++], measure);
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
