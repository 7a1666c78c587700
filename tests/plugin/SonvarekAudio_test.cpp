// The audio path: gain, channel activity, transport, timers, publication and
// hostile input.
#include "support/TestSonvarek.h"

#include <cmath>
#include <limits>
#include <vector>

namespace {

using Audio = SonvarekTest;

constexpr double kRate = 48000.0;

// The values the host received for one parameter, in order, as plain values.
std::vector<double> SentValues(const TestSonvarek& plug, int32_t idx)
{
    std::vector<double> values;
    for (const HostValue& v : plug.sent)
        if (v.idx == idx)
            values.push_back(plug.GetParam(idx)->MapFromUnit(v.unit));
    return values;
}

double Noise(int32_t k, int64_t i)
{
    const uint32_t h = static_cast<uint32_t>(i * 2654435761u) ^ static_cast<uint32_t>(k * 40503u);
    return (static_cast<double>(h % 20001u) - 10000.0) / 20000.0;
}

TEST_F(Audio, GainScalesTheActiveChannelsInPlaceAndOnToTheOutputs)
{
    auto plug = Make();
    plug->SetUpStream(kRate);
    plug->RunSignal(Noise, 1000);
    for (int32_t k = 0; k < 6; ++k)
        for (int32_t i = 0; i < 488; ++i)
            ASSERT_EQ(plug->out[k][i], Noise(k, 512 + i)) << "0 dB passes every sample unchanged";

    plug->SetFromHost(kRMSGain, -6.0);
    plug->RunSignal(Noise, 100);
    const double g = std::exp(-6.0 * 0.11512925464970228);
    for (int32_t i = 0; i < 100; ++i)
    {
        EXPECT_EQ(plug->out[0][i], Noise(0, i) * g);
        EXPECT_EQ(plug->in[1][i], Noise(1, i) * g) << "scaled in place";
        EXPECT_EQ(plug->out[2][i], Noise(2, i)) << "\"Stereo\" leaves channel 3 unscaled";
    }

    plug->SetFromHost(kType, kMeterTypeEbu);
    plug->SetFromHost(kEBUChannelConfig, kEbuSurround);
    plug->SetFromHost(kEBUGain, -60.0);
    plug->RunSignal(Noise, 100);
    for (int32_t k = 0; k < 6; ++k)
        EXPECT_EQ(plug->out[k][7], Noise(k, 7) * std::exp(-60.0 * 0.11512925464970228)) << "EBU Gain on 5.1";
}

TEST_F(Audio, InactiveChannelsPassUnscaledAndFeedSilence)
{
    auto plug = Make();
    plug->SetUpStream(kRate);
    plug->SetFromHost(kRMSChannelConfig, 1);  // "Left"
    plug->SetFromHost(kRMSGain, 6.0);
    auto rightOnly = [](int32_t k, int64_t i) { return k == 1 ? Noise(k, i) : 0.0; };
    plug->RunSignal(rightOnly, 4800);
    EXPECT_EQ(plug->out[1][5], Noise(1, 4608 + 5)) << "channel 2 reaches the output unscaled";
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), -144.0) << "and feeds the engine 0.0";
    EXPECT_EQ(plug->GetPeakRmsEngine().GetTruePeakMaxDb(), -144.0);

    plug->SetFromHost(kRMSChannelConfig, 2);  // "Right"
    plug->RunSignal(rightOnly, 4800);
    EXPECT_GT(plug->GetPeakRmsEngine().GetPeakMaxDb(), -1.0);
}

TEST_F(Audio, MissingInputsReadSilenceAndOnlyMatchedChannelsAreCopied)
{
    auto plug = Make();
    plug->SetFromHost(kRMSChannelConfig, 4);  // "6 Ch."
    plug->SetUpStream(kRate, 512, 2, 6);
    auto loudAbove2 = [](int32_t k, int64_t) { return k >= 2 ? 0.9 : 0.0; };
    plug->RunSignal(loudAbove2, 4800);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetPeakMaxDb(), -144.0) << "channels 3-6 have no input";
    for (int32_t k = 2; k < 6; ++k)
        EXPECT_EQ(plug->out[k][0], 0.0) << "only min(inputs, outputs) channels are copied";

    // Every pairing of one to six connected inputs and outputs.
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

TEST_F(Audio, PublishesEvery2400FramesAt48kHzOnlyWhileWriteAutomationDataIsOn)
{
    auto plug = Make();
    plug->SetUpStream(kRate);
    plug->RunSignal(Sine(0.5, 1000.0, kRate), 4800);
    EXPECT_TRUE(plug->sent.empty()) << "off: the host receives nothing";
    EXPECT_TRUE(plug->BarsDue()) << "the editor still refreshes";
    EXPECT_EQ(plug->GetParam(kOutRMSPeakMax)->Value(), -144.0);

    plug->SetFromHost(kWriteAutomationData, 1);
    plug->SetUpStream(44100.0);
    plug->SetUpStream(kRate);  // timers from 0
    plug->RunSignal(Sine(0.5, 1000.0, kRate), 2399, 1);
    EXPECT_TRUE(plug->sent.empty()) << "not before frame 2400";
    plug->RunSignal(Sine(0.5, 1000.0, kRate), 1, 1);
    ASSERT_EQ(plug->sent.size(), 6u);
    const int32_t order[] = {kOutRMSIL, kOutRMSML, kOutRMSMLMax, kOutRMSPeakMax, kOutRMSTPMax, kOutRMSCrest};
    for (int32_t i = 0; i < 6; ++i)
        EXPECT_EQ(plug->sent[i].idx, order[i]);

    // Values are those after exactly frame 2400, however the block runs.
    auto a = Make();
    auto b = Make();
    for (auto* p : {a.get(), b.get()})
    {
        p->SetFromHost(kWriteAutomationData, 1);
        p->SetUpStream(kRate);
    }
    a->RunSignal(Noise, 2400, 2400);
    b->RunSignal(Noise, 4096, 4096);
    ASSERT_EQ(a->sent.size(), 6u);
    ASSERT_EQ(b->sent.size(), 6u);
    for (int32_t i = 0; i < 6; ++i)
        EXPECT_EQ(a->sent[i].unit, b->sent[i].unit);

    b->sent.clear();
    b->RunSignal(Noise, 51200, 512);
    EXPECT_EQ(b->sent.size(), 6u * 22) << "frames 4800, 7200, ... 55200; a 512-frame block publishes at most once";
}

TEST_F(Audio, RmsValuesFollowTheOffsetAndTheCrestIsNeverNegative)
{
    auto plug = Make();
    plug->SetFromHost(kWriteAutomationData, 1);
    plug->SetUpStream(kRate);
    plug->RunSilence(2400);
    EXPECT_EQ(SentValues(*plug, kOutRMSCrest), std::vector<double>{0.0}) << "no signal: crest 0.0";
    EXPECT_EQ(SentValues(*plug, kOutRMSIL), std::vector<double>{-144.0});

    plug->RunSignal(Sine(0.5, 1000.0, kRate), 48000);
    const PeakRmsEngine& e = plug->GetPeakRmsEngine();
    EXPECT_NEAR(plug->GetParam(kOutRMSIL)->Value(), e.GetRmsIntegratedDb(), 0.05);
    EXPECT_NEAR(plug->GetParam(kOutRMSPeakMax)->Value(), -6.0, 0.05);
    EXPECT_GE(plug->GetParam(kOutRMSCrest)->Value(), 0.0);

    plug->SetFromHost(kRMSDelta, 1);
    plug->RunSignal(Sine(0.5, 1000.0, kRate), 2400);
    EXPECT_NEAR(plug->GetParam(kOutRMSIL)->Value(), e.GetRmsIntegratedDb() + 18.0, 1e-9);
    EXPECT_NEAR(plug->GetParam(kOutRMSPeakMax)->Value(), e.GetPeakMaxDb(), 1e-9) << "peaks stay absolute";
}

TEST_F(Audio, EbuIntegratedIsPublishedRelativeToTheReferenceLevel)
{
    auto plug = Make();
    plug->SetFromHost(kType, kMeterTypeEbu);
    plug->SetFromHost(kEBUDelta, 1);
    plug->SetFromHost(kWriteAutomationData, 1);
    plug->SetUpStream(kRate);
    plug->RunSilence(2400);
    EXPECT_EQ(SentValues(*plug, kOutEBUIL), std::vector<double>{-70.0}) << "no loudness yet: clamped to the range";
    EXPECT_EQ(SentValues(*plug, kOutEBULRA), std::vector<double>{0.0});
    const int32_t order[] = {kOutEBUIL, kOutEBUML, kOutEBUMLMax, kOutEBUSL, kOutEBUSLMax, kOutEBUTPMax, kOutEBULRA};
    ASSERT_EQ(plug->sent.size(), 7u);
    for (int32_t i = 0; i < 7; ++i)
        EXPECT_EQ(plug->sent[i].idx, order[i]);

    // A stereo 997 Hz tone at -20 dBFS per channel reads about -20 LUFS.
    plug->RunSignal(Sine(0.1, 997.0, kRate), 5 * 48000);
    const double integrated = plug->GetLoudnessEngine().integrator.GetIntegratedLoudness();
    ASSERT_NEAR(integrated, -20.0, 0.2);
    EXPECT_NEAR(plug->GetParam(kOutEBUIL)->Value(), integrated + 23.0, 1e-9);
    EXPECT_NEAR(plug->GetParam(kOutEBUTPMax)->Value(), plug->GetLoudnessEngine().GetTruePeakMaxDb(), 1e-9);
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
    EXPECT_GT(plug->transportQueries, 0);

    plug->playing = true;
    plug->RunSignal(Sine(0.5, 1000.0, kRate), 9600);
    const double level = plug->GetPeakRmsEngine().GetRmsIntegratedDb();
    EXPECT_GT(level, -10.0);

    plug->playing = false;
    plug->RunSignal(Sine(0.05, 1000.0, kRate), 9600);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetRmsIntegratedDb(), level) << "stopped again: the level stays";

    plug->playing = true;
    plug->RunSignal(Sine(0.05, 1000.0, kRate), 9600);
    EXPECT_NEAR(plug->GetPeakRmsEngine().GetRmsIntegratedDb(), level - 20.0, 0.3) << "restarted at the start";

    const int queries = plug->transportQueries;
    plug->SetFromHost(kSync, 0);
    plug->playing = false;
    plug->RunSignal(Sine(0.5, 1000.0, kRate), 4800);
    EXPECT_EQ(plug->transportQueries, queries) << "without Sync the transport is not asked";
    EXPECT_GT(plug->GetPeakRmsEngine().GetRmsIntegratedDb(), level - 20.0);
}

TEST_F(Audio, NonFiniteSamplesAndOddBlockSizesCrashNothingAndAResetRecovers)
{
    for (const int32_t type : {kMeterTypeRms, kMeterTypeEbu})
    {
        SCOPED_TRACE(type);
        auto plug = Make();
        plug->SetFromHost(kType, type);
        plug->SetFromHost(kRMSChannelConfig, 4);
        plug->SetFromHost(kEBUChannelConfig, kEbuSurround);
        plug->SetFromHost(kRMSWFilterMode, 2);
        plug->SetFromHost(kWriteAutomationData, 1);
        plug->SetUpStream(kRate);
        auto hostile = [](int32_t k, int64_t i) {
            const double special[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                      -std::numeric_limits<double>::infinity(), 1e308, -1e308};
            return i % 7 == 0 ? special[(i / 7 + k) % 5] : Noise(k, i);
        };
        plug->RunSignal(hostile, 9600);
        plug->RunSignal(hostile, 0);
        plug->RunSignal(hostile, 100, 1);
        {
            PlatformLockGuard guard(plug->GetLock());
            plug->RunAudioBlock(nullptr, nullptr, 64);
            plug->RunAudioBlock(nullptr, nullptr, -5);
        }
        for (int32_t p = 0; p < kMeterParamCount; ++p)
            EXPECT_FALSE(std::isnan(plug->GetParam(p)->Value())) << p;

        auto clean = Make();
        for (auto* p : {plug.get(), clean.get()})
        {
            p->SetFromHost(kType, type);
            p->SetFromHost(kRMSChannelConfig, 4);
            p->SetFromHost(kEBUChannelConfig, kEbuSurround);
            p->SetFromHost(kRMSWFilterMode, 2);
        }
        clean->SetUpStream(kRate);
        plug->HandleParamChange(kResetMeters);
        plug->RunSignal(Noise, 4 * 48000);
        clean->RunSignal(Noise, 4 * 48000);
        MeterSnapshot a;
        MeterSnapshot b;
        ASSERT_TRUE(plug->TakeDueMeterValues(&a));
        ASSERT_TRUE(clean->TakeDueMeterValues(&b));
        EXPECT_EQ(a.rmsIntegratedDb, b.rmsIntegratedDb);
        EXPECT_EQ(a.rmsMaxDb, b.rmsMaxDb);
        EXPECT_EQ(a.peakMaxDb, b.peakMaxDb);
        EXPECT_EQ(a.rmsTruePeakMaxDb, b.rmsTruePeakMaxDb);
        EXPECT_EQ(a.integratedLufs, b.integratedLufs);
        EXPECT_EQ(a.shortTermMaxLufs, b.shortTermMaxLufs);
        EXPECT_EQ(a.ebuTruePeakMaxDb, b.ebuTruePeakMaxDb);
        EXPECT_EQ(a.rangeLu, b.rangeLu);
        EXPECT_EQ(a.barHeld[5], b.barHeld[5]);
    }
}

// The float path of the base, as the binding drives it: a host block longer
// than the declared block size is run in pieces, with the same result.
TEST_F(Audio, HostBlocksLongerThanTheBlockSizeAreSplitWithTheSameResult)
{
    constexpr int32_t kFrames = 3000;
    std::vector<std::vector<float>> hostIn(6, std::vector<float>(kFrames));
    std::vector<std::vector<float>> hostOut(6, std::vector<float>(kFrames));
    for (int32_t k = 0; k < 6; ++k)
        for (int32_t i = 0; i < kFrames; ++i)
            hostIn[k][i] = static_cast<float>(Noise(k, i));
    std::vector<const float*> inPtrs;
    std::vector<float*> outPtrs;
    for (int32_t k = 0; k < 6; ++k)
    {
        inPtrs.push_back(hostIn[k].data());
        outPtrs.push_back(hostOut[k].data());
    }

    auto plug = Make();
    plug->SetFromHost(kRMSGain, -6.0);
    plug->SetFromHost(kWriteAutomationData, 1);
    plug->SetUpStream(kRate, 1024);
    {
        PlatformLockGuard guard(plug->GetLock());
        plug->AttachInputBuffers(0, 6, inPtrs.data(), kFrames);
        plug->AttachOutputBuffers(0, 6, outPtrs.data());
        plug->ProcessBuffersFloat(kFrames);
    }
    const float g = static_cast<float>(std::exp(-6.0 * 0.11512925464970228));
    for (int32_t i = 0; i < kFrames; i += 331)
    {
        EXPECT_FLOAT_EQ(hostOut[0][i], hostIn[0][i] * g);
        EXPECT_EQ(hostOut[4][i], hostIn[4][i]);
    }

    auto whole = Make();
    whole->SetFromHost(kRMSGain, -6.0);
    whole->SetFromHost(kWriteAutomationData, 1);
    whole->SetUpStream(kRate, kFrames);
    whole->RunSignal([&](int32_t k, int64_t i) { return static_cast<double>(hostIn[k][i]); }, kFrames, kFrames);
    EXPECT_EQ(plug->GetPeakRmsEngine().GetRmsIntegratedDb(), whole->GetPeakRmsEngine().GetRmsIntegratedDb());
    EXPECT_EQ(plug->GetPeakRmsEngine().GetTruePeakMaxDb(), whole->GetPeakRmsEngine().GetTruePeakMaxDb());
    ASSERT_EQ(plug->sent.size(), 6u);
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(plug->sent[i].unit, whole->sent[i].unit);
}

TEST_F(Audio, EveryRateAndWeightingMeasuresATone)
{
    for (const double rate : {8000.0, 22050.0, 44100.0, 48000.0, 96000.0, 192000.0, 384000.0})
    {
        auto plug = Make();
        plug->SetFromHost(kWriteAutomationData, 1);
        plug->SetUpStream(rate);
        for (int32_t mode = 0; mode <= 6; ++mode)
        {
            SCOPED_TRACE(testing::Message() << rate << " Hz, mode " << mode);
            plug->SetFromHost(kRMSWFilterMode, mode);
            plug->sent.clear();
            const auto frames = static_cast<int64_t>(rate * 0.7);
            plug->RunSignal(Sine(0.5, 1000.0, rate), frames);
            const auto period = static_cast<size_t>(rate * 0.05);
            EXPECT_GE(plug->sent.size(), 6 * (frames / period));
            EXPECT_LE(plug->sent.size(), 6 * (frames / period + 1));
            EXPECT_NEAR(plug->GetPeakRmsEngine().GetPeakMaxDb(), -6.0, 0.15);
            const double rms = plug->GetPeakRmsEngine().GetRmsIntegratedDb();
            EXPECT_GT(rms, -20.0);
            EXPECT_LT(rms, 0.0);
        }
        plug->SetFromHost(kType, kMeterTypeEbu);
        plug->RunSignal(Sine(0.5, 1000.0, rate), static_cast<int64_t>(rate * 0.7));
        EXPECT_NEAR(plug->GetLoudnessEngine().momentary.GetLoudness(), -6.0, 0.3) << rate << " Hz";
    }
}

}  // namespace
