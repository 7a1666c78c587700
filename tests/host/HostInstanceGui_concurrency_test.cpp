// The stand-in host reports values to GUI objects on the thread that sets
// them, while the UI thread may remove and release a GUI object: removing it
// waits for a report that may still reach it.

#include "host/HostInstance.h"
#include "host/HostModule.h"
#include "host/StandInHost.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// A GUI object whose value reports wait until the test lets them end.
class HeldGui final : public AAX_IACFEffectGUI
{
public:
    int32_t LookupInterface(const ACFUID&, void** out) override
    {
        if (out)
            *out = nullptr;
        return -1;
    }
    uint32_t Retain() override { return 1; }
    uint32_t Relinquish() override { return 1; }
    int32_t AttachToHost(IACFUnknown*) override { return 0; }
    int32_t DetachFromHost() override { return 0; }
    int32_t Reserved1() override { return 0; }
    int32_t AttachViewContainer(IACFUnknown*) override { return 0; }
    int32_t ReportViewSize(AAXViewSize*) override { return 0; }
    int32_t Reserved2() override { return 0; }
    int32_t Reserved3() override { return 0; }
    int32_t ReflectParamValue(const char*) override
    {
        ++reports;
        while (held.load())
            std::this_thread::yield();
        return 0;
    }
    int32_t Reserved4() override { return 0; }
    int32_t Reserved5() override { return 0; }

    std::atomic<bool> held{true};
    std::atomic<int> reports{0};
};

TEST(HostInstanceGui, AGuiObjectIsRemovedOnlyOnceNoReportToItRuns)
{
    TempFolder data;
    TempFolder home;
    DataHomeOverride env(data.Path().c_str(), home.Path().c_str());
    StandInHost host;
    HostModule module;
    ASSERT_TRUE(module.Load(SONVAREK_MODULE_PATH)) << module.Error();
    ASSERT_EQ(module.startup(host.Unknown()), 0);
    IACFUnknown* definition = nullptr;
    ASSERT_EQ(module.registerPlugin(host.Unknown(), &definition), 0);
    definition->Relinquish();
    std::string error;
    auto instance = HostInstance::Create(host, host.Record().description.effects.at(0), HostStreamState(), &error);
    ASSERT_NE(instance, nullptr) << error;

    HeldGui gui;
    instance->AddGuiObserver(&gui);
    std::thread automation([&] { EXPECT_EQ(instance->SetNormalized("3", 1.0), 0); });
    while (gui.reports.load() == 0)
        std::this_thread::yield();
    std::atomic<bool> removed{false};
    std::thread ui([&] {
        instance->RemoveGuiObserver(&gui);
        removed = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(removed.load()) << "the report into it still runs";
    gui.held = false;
    automation.join();
    ui.join();
    EXPECT_TRUE(removed.load());

    EXPECT_EQ(instance->SetNormalized("3", 0.0), 0);
    EXPECT_EQ(gui.reports.load(), 1) << "nothing reaches it once removed";

    instance.reset();
    EXPECT_EQ(module.shutdown(host.Unknown()), 0);
}

}  // namespace
