// The meter in the real module, rendered on one thread while another sets
// its settings by ID, reads its output parameters and round-trips its state.

#include "host/HostInstance.h"
#include "host/HostModule.h"
#include "host/StandInHost.h"
#include "platform/AAXDescriptionCodes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kQZ17 = AAXFourCharCode("QZ17");
constexpr int32_t kFrames = 512;

// The settings' bytes of a state chunk: indices 0-11 and 18-21 (the others
// are the meter values the audio thread publishes).
Bytes Settings(const Bytes& chunk)
{
    Bytes settings;
    for (size_t i = 0; i < chunk.size(); ++i)
    {
        const size_t index = i / 8;
        if (index < 12 || (index >= 18 && index < 22))
            settings.push_back(chunk[i]);
    }
    return settings;
}

TEST(SonvarekModuleConcurrency, SettingsAndStateFromAHostThreadWhileTheAudioThreadRenders)
{
    TempFolder data;
    TempFolder home;
    DataHomeOverride env(data.Path().c_str(), home.Path().c_str());
    StandInHost host;
    HostModule module;
    ASSERT_TRUE(module.Load(SONVAREK_MODULE_PATH)) << module.Error();
    IACFUnknown* definition = nullptr;
    ASSERT_EQ(module.registerPlugin(host.Unknown(), &definition), 0);
    definition->Relinquish();
    auto instance = HostInstance::Create(host, host.Record().description.effects.at(0), HostStreamState());
    ASSERT_NE(instance, nullptr);
    ASSERT_EQ(instance->SetText("5", "1.00"), 0);  // WriteAutomationData: the audio thread publishes

    std::atomic<bool> stop{false};
    std::atomic<int> blocks{0};
    std::thread audio([&] {
        std::vector<std::vector<float>> in(2, std::vector<float>(kFrames));
        std::vector<std::vector<float>> out(2, std::vector<float>(kFrames));
        float* inputs[] = {in[0].data(), in[1].data()};
        float* outputs[] = {out[0].data(), out[1].data()};
        for (int b = 0; b < 20000 && !stop.load(); ++b)
        {
            for (int32_t i = 0; i < kFrames; ++i)
                in[0][i] = in[1][i] = static_cast<float>(0.25 * std::sin(0.03 * (b * kFrames + i)));
            instance->Render(inputs, outputs, kFrames);
            ++blocks;
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        }
    });

    const char* texts[][2] = {{"7", "-3.50dB"}, {"3", "EBU"}, {"21", "-16.00LUFS"}, {"12", "Leq(A)"},
                              {"10", "300.00ms"}, {"3", "RMS"}, {"20", "2.00LU"}, {"6", "Left"}};
    for (int round = 0; round < 120 || (blocks.load() < 50 && round < 12000); ++round)
    {
        const char* id = texts[round % 8][0];
        ASSERT_EQ(instance->SetText(id, texts[round % 8][1]), 0);
        std::string text;
        ASSERT_EQ(instance->Text(id, &text), 0);
        ASSERT_EQ(text, texts[round % 8][1]);
        ASSERT_EQ(instance->Text("16", &text), 0);  // OUT:RMS Peak Max
        if (round % 8 == 0)
        {
            Bytes saved;
            ASSERT_EQ(instance->GetChunk(kQZ17, &saved), 0);
            ASSERT_EQ(instance->SetText("8", "-9.00dBFS"), 0);
            ASSERT_EQ(instance->SetChunk(kQZ17, saved), 0);
            instance->DeliverRequests();
            Bytes restored;
            ASSERT_EQ(instance->GetChunk(kQZ17, &restored), 0);
            ASSERT_EQ(Settings(restored), Settings(saved)) << round;
        }
        instance->DeliverRequests();
        std::this_thread::sleep_for(std::chrono::microseconds(5));
    }
    stop = true;
    audio.join();
    EXPECT_GE(blocks.load(), 50);
    instance.reset();
    EXPECT_EQ(module.canUnloadNow(host.Unknown()), 0);
}

}  // namespace
