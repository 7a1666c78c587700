// The audio path allocates nothing, and stream changes do not pile engines
// up: every allocation of this program is counted.
#include "support/TestSonvarek.h"

#include "tests/support/CountAllocations.h"

#include <limits>
#include <vector>

namespace {

using Allocation = SonvarekTest;

// Every type, transport state, weighting mode and channel configuration; NaN
// among the samples; blocks of the declared size, of 1 and of 0 frames, and a
// host block of three and a bit times the declared size through the base's
// render path.
TEST_F(Allocation, TheAudioPathAllocatesNothing)
{
    constexpr int32_t kBlock = 512;
    constexpr int32_t kHostFrames = 3 * kBlock + 7;
    auto plug = Make();
    plug->SetUpStream(48000.0, kBlock);
    plug->sent.reserve(1 << 16);

    ChannelBuffers in(kBlock);
    ChannelBuffers out(kBlock);
    std::vector<std::vector<float>> hostIn(6, std::vector<float>(kHostFrames, 0.25f));
    std::vector<std::vector<float>> hostOut(6, std::vector<float>(kHostFrames));
    const float* hostInPtrs[6];
    float* hostOutPtrs[6];
    for (int32_t k = 0; k < 6; ++k)
    {
        hostInPtrs[k] = hostIn[k].data();
        hostOutPtrs[k] = hostOut[k].data();
    }

    auto render = [&](int32_t n) {
        for (int32_t k = 0; k < 6; ++k)
            for (int32_t i = 0; i < n; ++i)
                in[k][i] = i % 97 == 0 ? std::numeric_limits<double>::quiet_NaN() : 0.001 * (i % 601) - 0.3;
        PlatformLockGuard guard(plug->GetLock());
        CountAllocations count;
        for (int32_t b = 0; b < 40; ++b)
            plug->RunAudioBlock(in.ptrs, out.ptrs, n);
        plug->AttachInputBuffers(0, 6, hostInPtrs, kHostFrames);
        plug->AttachOutputBuffers(0, 6, hostOutPtrs);
        plug->ProcessBuffersFloat(kHostFrames);
        return count.Count();
    };

    plug->SetFromHost(kWriteAutomationData, 1);
    for (int32_t type : {kMeterTypeRms, kMeterTypeEbu})
        for (int32_t sync : {0, 1})
            for (int32_t mode = 0; mode <= 6; ++mode)
            {
                plug->SetFromHost(kType, type);
                plug->SetFromHost(kSync, sync);
                plug->SetFromHost(kRMSWFilterMode, mode);
                plug->SetFromHost(kRMSChannelConfig, mode % 5);
                plug->SetFromHost(kEBUChannelConfig, mode % 5);
                plug->playing = mode % 2 == 0;
                for (int32_t n : {kBlock, 1, 0})
                    EXPECT_EQ(render(n), 0) << "type " << type << " sync " << sync << " mode " << mode << ", " << n;
            }
    EXPECT_GT(plug->sent.size(), 0u);

    MeterSnapshot snapshot;
    CountAllocations count;
    plug->TakeDueMeterValues(&snapshot);
    EXPECT_EQ(count.Count(), 0) << "nor does the editor's copy of the meter values";
}

TEST_F(Allocation, RepeatedStreamChangesKeepOneSetOfEngines)
{
    auto plug = Make();
    plug->SetUpStream(48000.0);
    plug->RunSilence(1000);  // the test's own buffers
    const long live = LiveAllocations();
    for (int i = 0; i < 10; ++i)
    {
        plug->SetUpStream(i % 2 ? 96000.0 : 44100.0);
        plug->RunSilence(1000);
    }
    plug->SetUpStream(48000.0);
    EXPECT_EQ(LiveAllocations(), live);
}

}  // namespace
