#include "support/TestPlug.h"

#include "framework/core/CopyChannelBuffers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Host-side float buffers of one render call.
struct HostBlock
{
    HostBlock(int32_t nIn, int32_t nOut, int32_t nFrames)
        : in(nIn, std::vector<float>(nFrames)), out(nOut, std::vector<float>(nFrames, -7.0f))
    {
        for (int32_t c = 0; c < nIn; ++c)
        {
            for (int32_t f = 0; f < nFrames; ++f)
                in[c][f] = static_cast<float>(100 * (c + 1) + f);
            inPtrs.push_back(in[c].data());
        }
        for (auto& o : out)
            outPtrs.push_back(o.data());
    }

    std::vector<std::vector<float>> in, out;
    std::vector<const float*> inPtrs;
    std::vector<float*> outPtrs;
};

// What a binding's render path does: connect, attach, process, all under the lock.
void Render(TestPlug& plug, HostBlock& block, int32_t nFrames, bool bypass = false)
{
    PlatformLockGuard guard(plug.GetLock());
    plug.SetInputChannelConnections(0, plug.NInChannels(), true);
    plug.SetOutputChannelConnections(0, plug.NOutChannels(), true);
    plug.AttachInputBuffers(0, plug.NInChannels(), block.inPtrs.data(), nFrames);
    plug.AttachOutputBuffers(0, plug.NOutChannels(), block.outPtrs.data());
    if (bypass)
        plug.PassThroughBuffersFloat(nFrames);
    else
        plug.ProcessBuffersFloat(nFrames);
}

TEST(IPlugBaseAudio, BaseBlockCopiesMatchingChannelsAndClearsTheRest)
{
    TestPlug plug("2-6", 0, 0);
    plug.ChangeBlockSize(8);
    HostBlock block(2, 6, 8);
    Render(plug, block, 8, true);
    EXPECT_TRUE(plug.blocks.empty()) << "bypass without latency skips the plug-in";
    EXPECT_EQ(block.out[0], block.in[0]);
    EXPECT_EQ(block.out[1], block.in[1]);
    for (int c = 2; c < 6; ++c)
        EXPECT_EQ(block.out[c], std::vector<float>(8, 0.0f)) << "output " << c;
}

// A host block larger than the prepared size must not run past the scratch
// buffers: it is processed in sub-blocks of at most that size.
TEST(IPlugBaseAudio, LongerHostBlockRunsAsSubBlocks)
{
    TestPlug plug("2-2", 0, 0);
    plug.ChangeBlockSize(64);
    HostBlock block(2, 2, 200);
    Render(plug, block, 200);
    EXPECT_EQ(plug.blocks, (std::vector<int32_t>{64, 64, 64, 8}));
    for (int c = 0; c < 2; ++c)
        for (int f = 0; f < 200; ++f)
            ASSERT_EQ(block.out[c][f], 2.0f * block.in[c][f]) << "channel " << c << " frame " << f;
}

TEST(IPlugBaseAudio, FrameCountsAtTheEdges)
{
    TestPlug plug("1-1", 0, 0);
    plug.ChangeBlockSize(32);
    HostBlock block(1, 1, 32);
    Render(plug, block, 0);
    EXPECT_EQ(plug.blocks, std::vector<int32_t>{0}) << "an empty block still runs";
    Render(plug, block, -5);
    EXPECT_EQ(plug.blocks.size(), 1u) << "a negative count processes nothing";
    EXPECT_EQ(block.out[0][0], -7.0f);

    TestPlug unprepared("1-1", 0, 0);
    Render(unprepared, block, 32);
    EXPECT_TRUE(unprepared.blocks.empty());
    EXPECT_EQ(block.out[0], std::vector<float>(32, 0.0f)) << "silence, not the old buffer";
}

TEST(IPlugBaseAudio, BypassWithLatencyDelaysByExactlyTheLatency)
{
    constexpr int32_t kLatency = 5;
    TestPlug plug("2-2", 0, 0, kLatency);
    plug.CreateDelayLine();
    plug.ChangeBlockSize(16);
    std::vector<float> heard;
    std::vector<float> sent;
    for (int call = 0; call < 3; ++call)
    {
        HostBlock block(2, 2, 16);
        for (int f = 0; f < 16; ++f)
            block.in[0][f] = static_cast<float>(call * 16 + f + 1);
        Render(plug, block, 16, true);
        sent.insert(sent.end(), block.in[0].begin(), block.in[0].end());
        heard.insert(heard.end(), block.out[0].begin(), block.out[0].end());
    }
    EXPECT_EQ(plug.blocks.size(), 3u) << "the plug-in still runs while bypassed";
    for (int f = 0; f < kLatency; ++f)
        EXPECT_EQ(heard[f], 0.0f);
    for (size_t f = kLatency; f < heard.size(); ++f)
        ASSERT_EQ(heard[f], sent[f - kLatency]) << "frame " << f;
}

TEST(IPlugBaseAudio, DelayLineRecordsWhileProcessingSoBypassContinuesTheStream)
{
    TestPlug plug("1-1", 0, 0, 3);
    plug.CreateDelayLine();
    plug.ChangeBlockSize(8);
    HostBlock first(1, 1, 8);
    Render(plug, first, 8);
    HostBlock second(1, 1, 8);
    Render(plug, second, 8, true);
    EXPECT_EQ(second.out[0][0], first.in[0][5]);
    EXPECT_EQ(second.out[0][3], second.in[0][0]);

    plug.ChangeLatency(0);
    HostBlock third(1, 1, 8);
    Render(plug, third, 8, true);
    EXPECT_EQ(third.out[0], third.in[0]) << "no latency: plain copy";
}

TEST(IPlugBaseAudio, ConnectedInputsTakeHostBuffersInOrder)
{
    TestPlug plug("3-3", 0, 0);
    plug.ChangeBlockSize(4);
    HostBlock block(2, 3, 4);
    PlatformLockGuard guard(plug.GetLock());
    plug.SetInputChannelConnections(0, 3, true);
    plug.SetInputChannelConnections(1, 1, false);
    EXPECT_TRUE(plug.IsInputConnected(2));
    EXPECT_FALSE(plug.IsInputConnected(1));
    EXPECT_FALSE(plug.IsInputConnected(3));
    EXPECT_FALSE(plug.IsInputConnected(-1));
    plug.SetOutputChannelConnections(0, 100, true);  // clamped to the channels
    plug.AttachInputBuffers(0, 3, block.inPtrs.data(), 4);
    plug.AttachOutputBuffers(0, 3, block.outPtrs.data());
    plug.ProcessBuffersFloat(4);
    EXPECT_EQ(plug.lastInputs[0][1], block.in[0][1]);
    EXPECT_EQ(plug.lastInputs[1][1], 0.0) << "disconnected: its own silent scratch";
    EXPECT_EQ(plug.lastInputs[2][1], block.in[1][1]) << "host buffer 1";
}

TEST(IPlugBaseAudio, DisconnectingPointsAtTheChannelsClearedScratch)
{
    TestPlug plug("1-1", 0, 0);
    plug.ChangeBlockSize(4);
    HostBlock block(1, 1, 4);
    Render(plug, block, 4);
    double* scratch = plug.lastInputs[0];
    ASSERT_NE(scratch, nullptr);
    plug.ChangeBlockSize(4);
    EXPECT_EQ(scratch[3], block.in[0][3]) << "the same block size keeps the buffers' contents";

    PlatformLockGuard guard(plug.GetLock());
    plug.SetInputChannelConnections(0, 1, false);
    plug.ProcessBuffers(4);
    EXPECT_EQ(plug.lastInputs[0], scratch);
    EXPECT_EQ(scratch[0], 0.0) << "the last block's audio is gone";
}

TEST(CopyChannelBuffers, CopiesChannelsWithBothBuffersAtTheOffset)
{
    double a[4] = {1, 2, 3, 4};
    double b[4] = {5, 6, 7, 8};
    double outA[6] = {};
    double outC[6] = {};
    double* src[3] = {a, b, nullptr};
    double* dst[3] = {outA, nullptr, outC};
    CopyChannelBuffers(src, dst, 4, 3, 2);
    EXPECT_EQ(outA[1], 0.0);
    EXPECT_EQ(outA[2], 1.0);
    EXPECT_EQ(outA[5], 4.0);
    EXPECT_EQ(outC[2], 0.0);
}

}  // namespace
