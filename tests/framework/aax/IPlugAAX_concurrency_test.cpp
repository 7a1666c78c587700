// The host's threads against the audio thread: one thread renders and
// publishes the output parameter while another sets parameters by ID, gets
// and sets chunks and reads the output parameter. No race, no value lost,
// chunks round-trip exactly.

#include "framework/aax/ParamID.h"
#include "framework/core/ByteOrder.h"
#include "support/TestPlugAAX.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

constexpr int kRounds = 300;
constexpr int32_t kFrames = 256;
constexpr size_t kSettingsBytes = 8 * kTestOutLevel;  // the chunk without the output parameter

using Bytes = std::vector<uint8_t>;

Bytes Settings(const Bytes& chunk) { return Bytes(chunk.begin(), chunk.begin() + kSettingsBytes); }

// Renders blocks on a thread of its own until it goes out of scope (or a
// bound is reached).
class AudioThread
{
public:
    explicit AudioThread(HostInstance& instance)
        : thread([this, &instance] {
              TestAudio in(2, kFrames, 0.5f);
              TestAudio out(2, kFrames);
              for (int i = 0; i < 20000 && !stop.load(); ++i)
              {
                  instance.Render(in.Buffers(), out.Buffers(), kFrames);
                  ++blocks;
                  // A host's audio thread waits between its calls.
                  std::this_thread::sleep_for(std::chrono::microseconds(20));
              }
          })
    {
    }
    ~AudioThread() { Stop(); }

    // Whether the host thread has more to do: its own rounds, then until the
    // audio thread has rendered enough blocks to overlap with them (within a
    // bound of time). The host thread waits a little between its rounds too,
    // so neither thread keeps the plug-in lock to itself.
    bool Overlapping(int round, int rounds) const
    {
        std::this_thread::sleep_for(std::chrono::microseconds(5));
        return round < rounds || (blocks.load() < kOverlapBlocks && std::chrono::steady_clock::now() < deadline);
    }

    static constexpr int kOverlapBlocks = 100;

    // The number of blocks rendered.
    int Stop()
    {
        stop = true;
        if (thread.joinable())
            thread.join();
        return blocks.load();
    }

private:
    const std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::atomic<bool> stop{false};
    std::atomic<int> blocks{0};
    std::thread thread;
};

TEST(IPlugAAXConcurrency, ValuesAndChunksFromAHostThreadWhileTheAudioThreadRenders)
{
    TestSession session;
    auto instance = session.NewInstance();
    ASSERT_NE(instance, nullptr);
    TestPlugAAX& plug = PlugOf(*instance);
    AudioThread audio(*instance);

    const char* ids[] = {"2", "4", "5"};
    for (int round = 0; audio.Overlapping(round, kRounds); ++round)
    {
        // Values by ID: each is there when read back, on the host's side and in the state.
        const double position = (round % 97) / 96.0;
        const char* id = ids[round % 3];
        ASSERT_EQ(instance->SetNormalized(id, position), 0);
        double normalized = -1.0;
        ASSERT_EQ(instance->Normalized(id, &normalized), 0);
        ASSERT_NEAR(normalized, position, 1e-12) << id;
        if (id[0] == '2')
        {
            Bytes chunk;
            ASSERT_EQ(instance->GetChunk(TestPlugAAX::kUniqueID, &chunk), 0);
            ASSERT_EQ(LoadDoubleLE(chunk.data() + 8 * kTestGain), -60.0 + 72.0 * position);
        }

        // The output parameter, as the host reads it.
        ASSERT_EQ(instance->Normalized("6", &normalized), 0);
        ASSERT_TRUE(normalized >= 0.0 && normalized <= 1.0);
        std::string text;
        ASSERT_EQ(instance->Text("6", &text), 0);
        ASSERT_FALSE(text.empty());

        // A chunk round trip, with other values set in between and the host's answers after.
        if (round % 10 == 0)
        {
            Bytes saved;
            ASSERT_EQ(instance->GetChunk(TestPlugAAX::kUniqueID, &saved), 0);
            ASSERT_EQ(instance->SetNormalized("3", (round % 11) / 10.0), 0);
            ASSERT_EQ(instance->SetNormalized("1", round % 2), 0);
            ASSERT_EQ(instance->SetChunk(TestPlugAAX::kUniqueID, saved), 0);
            instance->DeliverRequests();
            Bytes restored;
            ASSERT_EQ(instance->GetChunk(TestPlugAAX::kUniqueID, &restored), 0);
            ASSERT_EQ(Settings(restored), Settings(saved)) << round;
            bool equal = false;
            ASSERT_EQ(instance->CompareChunk(TestPlugAAX::kUniqueID, restored, &equal), 0);
        }
        instance->DeliverRequests();  // the published values
    }
    EXPECT_GE(audio.Stop(), AudioThread::kOverlapBlocks);

    // The host's values and the plug-in's agree.
    for (int32_t idx = 0; idx < kTestOutLevel; ++idx)
    {
        double normalized = 0.0;
        ASSERT_EQ(instance->Normalized(ParamIDOfIndex(idx), &normalized), 0);
        EXPECT_NEAR(normalized, plug.GetParam(idx)->GetUnitValue(), 1e-9) << idx;
    }
}

TEST(IPlugAAXConcurrency, AttachingAgainWhileTheAudioThreadRendersIsSafe)
{
    TestSession session;
    auto instance = session.NewInstance();
    ASSERT_NE(instance, nullptr);
    ASSERT_EQ(instance->SetNormalized("MasterBypassID", 1.0), 0);
    AudioThread audio(*instance);
    for (int round = 0; audio.Overlapping(round, 50); ++round)
    {
        AAX_IACFEffectParameters& effect = instance->Effect();
        ASSERT_EQ(effect.DetachFromHost(), 0);
        // Detached, the instance reads as not bypassed and still renders.
        ASSERT_EQ(effect.AttachToHost(session.host.RunTime()), 0);
        ASSERT_EQ(instance->SetNormalized("MasterBypassID", round % 2), 0);
    }
    EXPECT_GE(audio.Stop(), AudioThread::kOverlapBlocks);
}

}  // namespace
