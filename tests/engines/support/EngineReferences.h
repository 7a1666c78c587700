#pragma once
// Reference outputs of the engines, which every way of running them must give
// bit for bit: programmes of the compliance, cross-check and random kinds at
// 44.1, 48, 96 and 192 kHz, through the loudness engine in every channel
// configuration and through the peak/RMS engine (with the channels' weighting
// filters, as the plug-in runs them) in every weighting mode. A run reads
// every measured value and filter state after each piece of a fixed pattern
// of pieces and hashes them into 64 bits. EngineReferenceTable.h holds the
// hashes of the per-frame calls, written by the engine_references tool; only
// a change meant to change the results writes it again.

#include "engines/LoudnessEngine.h"
#include "engines/PeakRmsEngine.h"
#include "engines/WeightingFilter.h"
#include "support/TestProgrammes.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

constexpr double kReferenceRates[] = {44100.0, 48000.0, 96000.0, 192000.0};

// FNV-1a over the bit patterns of the values.
class OutputHash
{
public:
    void Add(double v)
    {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        for (int i = 0; i < 8; ++i)
        {
            hash ^= (bits >> (8 * i)) & 0xFF;
            hash *= 0x100000001B3ull;
        }
    }
    uint64_t Value() const { return hash; }

private:
    uint64_t hash = 0xCBF29CE484222325ull;
};

using Planar = std::vector<std::vector<double>>;

inline Planar Render(const Programme& p)
{
    Planar ch(kEbuChannels, std::vector<double>(static_cast<size_t>(p.frames)));
    for (int64_t i = 0; i < p.frames; ++i)
    {
        double x[kEbuChannels] = {};
        p.sample(i, x);
        for (int32_t k = 0; k < kEbuChannels; ++k)
            ch[k][i] = x[k];
    }
    return ch;
}

// Noise and tones in every channel, the envelope changing every 0.23 s
// (moderate, 70 dB down, digital silence, full scale, quiet), with a sample
// of 1e8 and non-finite samples.
inline Programme RandomProgramme(double rate, double seconds)
{
    Programme p;
    p.rate = rate;
    p.frames = static_cast<int64_t>(seconds * rate);
    const auto at = [rate](double seconds) { return static_cast<int64_t>(seconds * rate); };
    p.sample = [rate, at](int64_t frame, double* x) {
        const auto part = static_cast<int64_t>(static_cast<double>(frame) / (0.23 * rate));
        for (int32_t k = 0; k < kEbuChannels; ++k)
        {
            const double envelope[5] = {0.3 / (k + 1), 1e-4, 0.0, 1.0, 0.05};
            x[k] = envelope[(part * 7 + k * 3) % 5] *
                   (0.5 * Noise(frame, k) + std::sin(0.05 * (k + 1) * static_cast<double>(frame)));
        }
        if (frame == at(0.5))
            x[0] = 1e8;
        if (frame == at(1.1))
            x[1] = INFINITY, x[5] = -INFINITY;
        if (frame == at(1.3))
            x[3] = NAN;
    };
    return p;
}

// The loudness engine's programmes at one rate, with signal in every channel;
// the stepped noise lasts until the short-term window has filled (at 3 s).
inline std::vector<std::pair<std::string, Programme>> LoudnessProgrammes(double rate)
{
    const ChannelDb spread = {0.0, -2.0, -4.0, -6.0, -8.0, -9.0};
    return {
        {"tones", SineProgramme(rate, 1000.0, {{0.2, -36.0}, {0.5, -23.0}, {0.3, -1000.0}, {0.1, -72.0}, {0.3, -20.0}},
                                spread)},
        {"quarter-rate tone", SineProgramme(rate, rate / 4.0, {{0.6, 20.0 * std::log10(0.5)}}, spread, kEbuStereo,
                                            0.0, 0.02)},
        {"stepped noise", SteppedNoise(rate, kEbuStereo, 3.2, 0.7, {-20.0, -26.0, -14.0, -35.0, -23.0, -75.0},
                                       {0.0, -3.0, -4.0, 6.0, -8.0, -9.0})},
        {"random", RandomProgramme(rate, 1.6)},
    };
}

// The pieces a run is fed in: mostly 0 to 1199 frames (under the 100 ms
// between blocks, so that every block is read), now and then 1 to 8;
// measuring off in every seventh piece.
struct Piece
{
    int32_t frames;
    int32_t measure;
};

inline std::vector<Piece> Pieces(int64_t total)
{
    std::vector<Piece> pieces;
    uint32_t seed = 12345u;
    for (int64_t done = 0; done < total;)
    {
        seed = seed * 1664525u + 1013904223u;
        const int32_t limit = (seed >> 28) < 3 ? 8 : 1199;
        const auto n = static_cast<int32_t>(std::min<int64_t>((seed >> 8) % (limit + 1), total - done));
        pieces.push_back({n, pieces.size() % 7 == 6 ? 0 : 1});
        done += n;
    }
    return pieces;
}

enum class FeedPath
{
    PerFrame,  // ProcessPeak then ProcessLoudness, frame by frame
    Block,     // ProcessBlock over each piece
};

// Every measured value and filter state of a loudness engine.
inline void HashLoudnessState(const LoudnessEngine& e, OutputHash& h)
{
    for (int32_t k = 0; k < kEbuChannels; ++k)
    {
        for (double v : {e.truePeak[k].current, e.truePeak[k].maximum, e.ballistics[k].held, e.ballistics[k].falling})
            h.Add(v);
        for (const KWeightingSection* s : {&e.shelf[k], &e.highPass[k]})
            for (double v : {s->x1, s->x2, s->y1, s->y2})
                h.Add(v);
    }
    for (const MeanSquareWindow* w : {&e.momentary, &e.shortTerm})
        for (double v : {w->BlockMeanSquare(), w->MaxMeanSquare(), double(w->BlockReady())})
            h.Add(v);
    for (double v : {e.integrator.IntegratedLoudness(), e.integrator.UngatedLoudness(),
                     double(e.integrator.WriteIndex()), e.range.Range(), e.range.UngatedLoudness(),
                     e.range.LowLoudness(), e.range.HighLoudness(), double(e.range.WriteIndex())})
        h.Add(v);
}

inline uint64_t LoudnessRunHash(const Planar& ch, double rate, int32_t config, FeedPath path)
{
    auto e = std::make_unique<LoudnessEngine>();
    e->Init(rate);
    OutputHash h;
    int32_t start = 0;
    for (const Piece& piece : Pieces(static_cast<int64_t>(ch[0].size())))
    {
        if (path == FeedPath::Block)
        {
            const double* p[kEbuChannels];
            for (int32_t k = 0; k < kEbuChannels; ++k)
                p[k] = ch[k].data() + start;
            e->ProcessBlock(p, kEbuChannels, piece.frames, config, piece.measure);
        }
        for (int32_t i = start; path == FeedPath::PerFrame && i < start + piece.frames; ++i)
        {
            e->ProcessPeak(ch[0][i], ch[1][i], ch[2][i], ch[3][i], ch[4][i], ch[5][i], config);
            e->ProcessLoudness(ch[0][i], ch[1][i], ch[2][i], ch[3][i], ch[4][i], ch[5][i], config, piece.measure);
        }
        start += piece.frames;
        HashLoudnessState(*e, h);
    }
    return h.Value();
}

// Calls run(name, channels, rate, config) for every loudness case whose rate
// `takeRate` accepts, rendering each programme once.
template <class TakeRate, class Run>
void ForEachLoudnessCase(TakeRate takeRate, Run run)
{
    const char* configNames[kEbuConfigCount] = {"1.0", "2.0", "4.0", "4.1", "5.1"};
    for (double rate : kReferenceRates)
    {
        if (!takeRate(rate))
            continue;
        for (const auto& [programmeName, programme] : LoudnessProgrammes(rate))
        {
            const Planar ch = Render(programme);
            for (int32_t config = kEbuMono; config <= kEbuSurround; ++config)
                run("loudness " + std::to_string(static_cast<int>(rate)) + " " + configNames[config] + " " +
                        programmeName,
                    ch, rate, config);
        }
    }
}

// A peak/RMS engine with six weighting filters as the plug-in sets them up
// (a 300 ms window stepping every 75 ms), fed the plug-in's way; read after
// every piece.
inline uint64_t PeakRmsRunHash(const Planar& ch, double rate, RmsChannelConfig config, WeightingMode mode,
                               RmsMeterMode meterMode)
{
    auto e = std::make_unique<PeakRmsEngine>();
    e->Init(10.0, 10000.0, rate);
    e->SetRmsWindow(300.0, 0.75);
    e->SetRmsMode(meterMode);
    WeightingFilter filters[PeakRmsEngine::kChannels];
    for (WeightingFilter& f : filters)
        f.Setup(mode, rate, 300.0, 0, 3400.0, 0);
    const int32_t weightCode = PeakRmsEngine::WeightCodeFor(mode);
    OutputHash h;
    int32_t start = 0;
    for (const Piece& piece : Pieces(static_cast<int64_t>(ch[0].size())))
    {
        for (int32_t i = start; i < start + piece.frames; ++i)
        {
            const double x[6] = {ch[0][i], ch[1][i], ch[2][i], ch[3][i], ch[4][i], ch[5][i]};
            e->ProcessBallistics(x[0], x[1], x[2], x[3], x[4], x[5], 1.0, config);
            e->ProcessPeak(x[0], x[1], x[2], x[3], x[4], x[5], 1.0, config);
            double w[6];
            for (int32_t k = 0; k < 6; ++k)
                w[k] = filters[k].Process(x[k]);
            e->ProcessRms(w[0], w[1], w[2], w[3], w[4], w[5], 1.0, config, weightCode);
        }
        start += piece.frames;
        for (double v : {e->GetRmsDb(), e->GetRmsMaxDb(), e->GetRmsIntegratedDb(), e->GetPeakMaxDb(),
                         e->GetTruePeakMaxDb(), e->GetCrestDb(), e->WindowMeanSquare(), e->SamplePeak()})
            h.Add(v);
        for (const PeakBallistics& b : e->ballistics)
            for (double v : {b.held, b.falling})
                h.Add(v);
    }
    return h.Value();
}

// Calls run(name, channels, rate, config, mode, meterMode) for every
// peak/RMS case: every weighting mode in every channel configuration at
// 48 kHz, every mode in "6 Ch." at the other rates; the meter mode changes
// with the weighting mode. 0.6 s of the random programme each.
template <class Run>
void ForEachPeakRmsCase(Run run)
{
    const char* configNames[5] = {"Stereo", "Left", "Right", "4 Ch.", "6 Ch."};
    for (double rate : kReferenceRates)
    {
        const Planar ch = Render(RandomProgramme(rate, 0.6));
        for (int32_t mode = 0; mode <= static_cast<int32_t>(WeightingMode::BandPass); ++mode)
        {
            for (int32_t config = 0; config < 5; ++config)
            {
                if (rate != 48000.0 && config != static_cast<int32_t>(RmsChannelConfig::Six))
                    continue;
                run("peak-rms " + std::to_string(static_cast<int>(rate)) + " " + configNames[config] + " mode " +
                        std::to_string(mode),
                    ch, rate, static_cast<RmsChannelConfig>(config), static_cast<WeightingMode>(mode),
                    static_cast<RmsMeterMode>(mode % 3));
            }
        }
    }
}
