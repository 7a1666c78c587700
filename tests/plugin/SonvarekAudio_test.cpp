// The audio path: gain, channel activity, transport, publication and hostile input.
#include "support/TestSonvarek.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

using Audio = SonvarekTest;

constexpr double kRate = 48000.0;

double Factor(double db) { return std::exp(db * 0.11512925464970228); }

TEST_F(Audio, GainScalesTheActiveChannelsInPlaceAndTheOthersPassAndFeedSilence)
{
    auto plug = Make();
    plug->SetUpStream(kRate);
    plug->RunSignal(Noise, 600);
    for (int32_t k = 0; k < 6; ++k)
        EXPECT_EQ(plug->out[k][9], Noise(k, 512 + 9)) << "0 dB passes every sample unchanged";

    plug->SetFromHost(kRMSGain, -6.0);
    plug->RunSignal(Noise, 10);
    EXPECT_EQ(plug->in[1][3], Noise(1, 3) * Factor(-6.0)) << "scaled in place";
    EXPECT_EQ(plug->out[1][3], Noise(1, 3) * Factor(-6.0));
    EXPECT_EQ(plug->out[2][3], Noise(2, 3)) << "\"Stereo\" leaves channel 3 unscaled";

    plug->SetFromHost(kRMSChannelConfig, 1);  // "Left"
    plug->RunSignal([](int32_t k, int64_t i) { return k == 1 ? Noise(k, i) : 0.0; }, 4800);
    EXPECT_EQ(plug->out[1][5], Noise(1, 4608 + 5)) << "channel 2 passes unscaled";
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), -144.0) << "and feeds the engine 0.0";

    plug->SetFromHost(kType, kMeterTypeEbu);
    plug->SetFromHost(kEBUChannelConfig, kEbuSurround);
    plug->SetFromHost(kEBUGain, -60.0);
    plug->RunSignal(Noise, 10);
    EXPECT_EQ(plug->out[5][7], Noise(5, 7) * Factor(-60.0)) << "EBU Gain on every channel of 5.1";
}

TEST_F(Audio, MissingInputsReadSilenceAndOnlyMatchedChannelsAreCopied)
{
    auto plug = Make();
    plug->SetFromHost(kRMSChannelConfig, 4);  // "6 Ch."
    plug->SetUpStream(kRate, 512, 2, 6);
    plug->RunSignal([](int32_t k, int64_t) { return k >= 2 ? 0.9 : 0.0; }, 4800);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), -144.0) << "channels 3-6 have no input";

    for (int32_t nIn = 1; nIn <= 6; ++nIn)
        for (int32_t nOut = 1; nOut <= 6; ++nOut)
        {
            plug->SetUpStream(kRate, 512, nIn, nOut);
            plug->RunSignal(Noise, 600);
            for (int32_t k = 0; k < 6; ++k)
                EXPECT_EQ(plug->out[k][3], k < std::min(nIn, nOut) ? Noise(k, 512 + 3) : 0.0)
                    << nIn << " in, " << nOut << " out, channel " << k;
        }
}

TEST_F(Audio, OutputsWithoutAnInputAreSilencedNotLeftAsTheyWere)
{
    // The host's output buffers still hold an earlier block (7.0 here).
    auto plug = Make();
    for (int32_t nIn = 0; nIn <= 6; ++nIn)
        for (const bool noInputs : {false, true})
        {
            plug->SetUpStream(kRate, 512, nIn, 6);
            ChannelBuffers in(64);
            ChannelBuffers out(64);
            for (int32_t k = 0; k < 6; ++k)
                for (int32_t i = 0; i < 64; ++i)
                {
                    in[k][i] = Noise(k, i);
                    out[k][i] = 7.0;
                }
            {
                PlatformLockGuard guard(plug->GetLock());
                plug->RunAudioBlock(noInputs ? nullptr : in.ptrs, out.ptrs, 64);
            }
            for (int32_t k = 0; k < 6; ++k)
                for (int32_t i = 0; i < 64; ++i)
                    ASSERT_EQ(out[k][i], k < nIn && !noInputs ? Noise(k, i) : 0.0)
                        << nIn << " in" << (noInputs ? " (none given)" : "") << ", channel " << k << ", frame " << i;
        }
}

TEST_F(Audio, PublishesAtFrame2400AndEvery2400AfterOnlyWhileWriteAutomationDataIsOn)
{
    auto plug = Make();
    plug->SetUpStream(kRate);
    plug->RunSignal(Sine(0.5, 1000.0, kRate), 4800);
    EXPECT_TRUE(plug->sent.empty()) << "off: the host receives nothing";
    EXPECT_TRUE(plug->BarsDue()) << "the editor still refreshes";

    plug->SetFromHost(kWriteAutomationData, 1);
    plug->SetUpStream(44100.0);
    plug->SetUpStream(kRate);
    plug->RunSilence(2399, 1);
    EXPECT_TRUE(plug->sent.empty()) << "not before frame 2400";
    plug->RunSilence(1, 1);
    const int32_t order[] = {kOutRMSIL, kOutRMSML, kOutRMSMLMax, kOutRMSPeakMax, kOutRMSTPMax, kOutRMSCrest};
    ASSERT_EQ(plug->sent.size(), 6u);
    for (int32_t i = 0; i < 6; ++i)
        EXPECT_EQ(plug->sent[i].idx, order[i]);
    EXPECT_EQ(plug->GetParam(kOutRMSCrest)->Value(), 0.0) << "crest before any signal";

    // The values are those after exactly frame 2400, however the blocks
    // fall: each output its read-out, the levels relative to -18 dBFS with
    // "RMS Offset" on, the peaks absolute.
    auto other = Make();
    for (auto* p : {plug.get(), other.get()})
    {
        p->SetFromHost(kWriteAutomationData, 1);
        p->SetFromHost(kRMSDelta, 1);
    }
    other->SetUpStream(kRate, 4096);
    plug->SetUpStream(kRate, 2400);  // a new block size: measurements and timers restart
    plug->sent.clear();
    plug->RunSignal(Noise, 2400, 2400);
    other->RunSignal(Noise, 4096, 4096);
    ASSERT_EQ(other->sent.size(), 6u);
    for (int32_t i = 0; i < 6; ++i)
        EXPECT_EQ(plug->sent[i].value, other->sent[i].value) << i;
    plug->RunSilence(48000, 2400);  // the window's level falls below its maximum
    const PeakRmsEngine& e = plug->GetPeakRmsEngine();
    const double expected[] = {e.GetRmsIntegratedDb() + 18.0, e.GetRmsDb() + 18.0, e.GetRmsMaxDb() + 18.0,
                               e.GetPeakMaxDb(), e.GetTruePeakMaxDb(), e.GetCrestDb()};
    for (int32_t i = 0; i < 6; ++i)
        EXPECT_NEAR(plug->GetParam(kOutRMSIL + i)->Value(), expected[i], 1e-9) << i;

    other->sent.clear();
    other->RunSignal(Noise, 51200, 512);
    EXPECT_EQ(other->sent.size(), 6u * 22) << "frames 4800 to 55200; a 512-frame block publishes at most once";
}

TEST_F(Audio, EbuIntegratedIsPublishedRelativeToTheReferenceLevel)
{
    auto plug = Make();
    plug->SetFromHost(kType, kMeterTypeEbu);
    plug->SetFromHost(kEBUDelta, 1);
    plug->SetFromHost(kWriteAutomationData, 1);
    plug->SetUpStream(kRate);
    plug->RunSilence(2400);
    ASSERT_EQ(plug->sent.size(), 7u);
    EXPECT_EQ(plug->sent[0].idx, kOutEBUIL);
    EXPECT_EQ(plug->sent[6].idx, kOutEBULRA);
    EXPECT_EQ(plug->GetParam(kOutEBUIL)->Value(), -70.0) << "no loudness yet, clamped";

    // Stereo 997 Hz at -20 dBFS per channel reads about -20 LUFS.
    plug->RunSignal(Sine(0.1, 997.0, kRate), 5 * 48000);
    const double integrated = plug->GetLoudnessEngine().integrator.GetIntegratedLoudness();
    ASSERT_NEAR(integrated, -20.0, 0.2);
    const LoudnessEngine& e = plug->GetLoudnessEngine();
    const double expected[] = {integrated + 23.0,
                               e.momentary.GetLoudness() + 23.0,
                               e.momentary.GetMaxLoudness() + 23.0,
                               e.shortTerm.GetLoudness() + 23.0,
                               e.shortTerm.GetMaxLoudness() + 23.0,
                               e.GetTruePeakMaxDb(),
                               e.range.GetRange()};
    for (int32_t i = 0; i < 7; ++i)
        EXPECT_NEAR(plug->GetParam(kOutEBUIL + i)->Value(), expected[i], 1e-9) << i;
    EXPECT_EQ(plug->GetParam(kOutRMSIL)->Value(), -144.0) << "the RMS outputs stand still";
}

TEST_F(Audio, SyncMeasuresOnlyWhileTheTransportPlays)
{
    auto plug = Make();
    plug->SetFromHost(kSync, 1);
    plug->SetUpStream(kRate);
    plug->RunSignal(Sine(0.5, 1000.0, kRate), 9600);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetRmsIntegratedDb(), -144.0) << "stopped: nothing accumulates";
    EXPECT_GT(plug->GetPeakRmsEngine().ballistics[0].held, 0.4) << "the bars keep moving";

    plug->playing = true;
    plug->RunSignal(Sine(0.5, 1000.0, kRate), 9600);
    const double level = plug->GetPeakRmsEngine().GetRmsIntegratedDb();
    plug->RunSignal(Sine(0.05, 1000.0, kRate), 9600);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), -6.0) << "playing on: the measurements accumulate";
    const double stopped = plug->GetPeakRmsEngine().GetRmsIntegratedDb();
    plug->playing = false;
    plug->RunSignal(Sine(0.05, 1000.0, kRate), 9600);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetRmsIntegratedDb(), stopped) << "stopped again: the level stays";
    plug->playing = true;
    plug->RunSignal(Sine(0.05, 1000.0, kRate), 9600);
    EXPECT_NEAR(plug->GetPeakRmsEngine().GetRmsIntegratedDb(), level - 20.0, 0.3) << "restarted at the start";
}

TEST_F(Audio, NonFiniteSamplesAndOddBlocksCrashNothingAndAResetRecovers)
{
    auto hostile = [](int32_t k, int64_t i) {
        const double special[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(), 1e308};
        return i % 7 == 0 ? special[(i / 7 + k) % 4] : Noise(k, i);
    };
    for (const int32_t type : {kMeterTypeRms, kMeterTypeEbu})
    {
        SCOPED_TRACE(type);
        auto plug = Make();
        auto clean = Make();
        for (auto* p : {plug.get(), clean.get()})
        {
            p->SetFromHost(kType, type);
            p->SetFromHost(kRMSChannelConfig, 4);
            p->SetFromHost(kEBUChannelConfig, kEbuSurround);
            p->SetFromHost(kRMSWFilterMode, 2);
            p->SetFromHost(kWriteAutomationData, 1);
            p->SetUpStream(kRate);
        }
        plug->RunSignal(hostile, 9600);
        plug->RunSignal(hostile, 0);
        plug->RunSignal(hostile, 100, 1);
        {
            PlatformLockGuard guard(plug->GetLock());
            plug->RunAudioBlock(nullptr, nullptr, 64);
        }
        for (int32_t p = 0; p < kMeterParamCount; ++p)
            EXPECT_FALSE(std::isnan(plug->GetParam(p)->Value())) << p;

        plug->HandleParamChange(kResetMeters);
        plug->RunSignal(Noise, 4 * 48000);
        clean->RunSignal(Noise, 4 * 48000);
        MeterSnapshot a;
        MeterSnapshot b;
        ASSERT_TRUE(plug->TakeDueMeterValues(&a));
        ASSERT_TRUE(clean->TakeDueMeterValues(&b));
        EXPECT_EQ((std::vector<double>{a.rmsIntegratedDb, a.rmsMaxDb, a.rmsTruePeakMaxDb, a.integratedLufs, a.rangeLu,
                                       a.ebuTruePeakMaxDb, a.barHeld[5]}),
                  (std::vector<double>{b.rmsIntegratedDb, b.rmsMaxDb, b.rmsTruePeakMaxDb, b.integratedLufs, b.rangeLu,
                                       b.ebuTruePeakMaxDb, b.barHeld[5]}));
    }
}

TEST_F(Audio, ANonFiniteSampleIsMeasuredAsSilenceAndPassesToTheOutput)
{
    // One bad sample early in channel 1 and one in the last block of channel
    // 2; everything published (every 50 ms) and every read-out equals what
    // the same programme with 0.0 there gives.
    constexpr int64_t kFrames = 96000;
    constexpr int64_t kLate = kFrames - 100;
    auto programme = [](double bad) {
        return [bad](int32_t k, int64_t i) { return (k == 0 && i == 1000) || (k == 1 && i == kLate) ? bad : Noise(k, i); };
    };
    auto readings = [](TestSonvarek& p) {
        std::vector<double> r;
        for (const ParamValue& v : p.sent)
            r.insert(r.end(), {double(v.idx), v.value});
        MeterSnapshot m;
        p.TakeDueMeterValues(&m);
        r.insert(r.end(), {m.rmsIntegratedDb, m.rmsDb, m.rmsMaxDb, m.peakMaxDb, m.rmsTruePeakMaxDb, m.crestDb,
                           m.integratedLufs, m.shortTermLufs, m.momentaryMaxLufs, m.ebuTruePeakMaxDb, m.rangeLu});
        r.insert(r.end(), m.barHeld, m.barHeld + 6);
        r.insert(r.end(), m.barFalling, m.barFalling + 6);
        return r;
    };
    const std::pair<int32_t, int32_t> settings[] = {
        {kMeterTypeRms, 0}, {kMeterTypeRms, 1}, {kMeterTypeRms, 5}, {kMeterTypeEbu, 0}};
    for (const auto& [type, weighting] : settings)
    {
        std::vector<double> silent;
        for (const double bad : {0.0, double(NAN), double(INFINITY), -double(INFINITY)})
        {
            SCOPED_TRACE(testing::Message() << "type " << type << ", weighting " << weighting << ", sample " << bad);
            auto plug = Make();
            plug->SetFromHost(kType, type);
            plug->SetFromHost(kRMSWFilterMode, weighting);
            plug->SetFromHost(kWriteAutomationData, 1);
            plug->SetUpStream(kRate);
            plug->RunSignal(programme(bad), kFrames);
            const double passed = plug->out[1][static_cast<size_t>(kLate % 512)];
            EXPECT_TRUE(passed == bad || (std::isnan(bad) && std::isnan(passed))) << "passes unchanged: " << passed;
            if (bad == 0.0)
                silent = readings(*plug);
            else
                EXPECT_EQ(readings(*plug), silent);
        }
    }
}

TEST_F(Audio, EveryRateAndWeightingMeasuresATone)
{
    // A stereo 1 kHz sine of peak 0.5 reads -6.0 dB in "SUM" where the curve
    // reads 0 dB: every curve but "Leq(A)+3" (+3 dB) and "Leq(M)" (-5.6 dB,
    // less at rates too low for its shape).
    const double expected[] = {-6.0, -6.0, -6.0, -6.0, -6.0, -9.0, -3.0};
    for (const double rate : {8000.0, 22050.0, 44100.0, 48000.0, 96000.0, 192000.0, 384000.0})
    {
        auto plug = Make();
        plug->SetUpStream(rate);
        for (int32_t mode = 0; mode <= 6; ++mode)
        {
            SCOPED_TRACE(testing::Message() << rate << " Hz, mode " << mode);
            plug->SetFromHost(kRMSWFilterMode, mode);
            plug->RunSignal(Sine(0.5, 1000.0, rate), static_cast<int64_t>(rate * 0.7));
            EXPECT_NEAR(plug->GetPeakRmsEngine().GetPeakMaxDb(), -6.0, 0.15);
            EXPECT_NEAR(plug->GetPeakRmsEngine().GetRmsIntegratedDb(), expected[mode], mode == 5 ? 3.0 : 0.3);
        }
        plug->SetFromHost(kType, kMeterTypeEbu);
        plug->RunSignal(Sine(0.5, 1000.0, rate), static_cast<int64_t>(rate * 0.7));
        EXPECT_NEAR(plug->GetLoudnessEngine().momentary.GetLoudness(), -6.0, 0.3) << rate << " Hz";
    }
}

}  // namespace
