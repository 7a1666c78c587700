// The meter's editor through the real module boundary: its GUI object made
// by the registered procedure, shown in a host window of the test desktop,
// driven by a click, and gone without a trace when closed.

#include "host/HostEditor.h"
#include "host/HostInstance.h"
#include "host/HostModule.h"
#include "host/StandInHost.h"
#include "platform/win32/Win32.h"
#include "tests/support/CairoStaticData.h"
#include "tests/support/SharedDesktop.h"
#include "tests/support/TempFolder.h"

#include "tests/support/AutomationKinds.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr uint32_t kRmsFace = 0xFFF09135;
constexpr uint32_t kEbuFace = 0xFF4E79A3;

class SonvarekEditor : public ::testing::Test
{
protected:
    SonvarekEditor() : desktop(SharedDesktop()), env(data.Path().c_str(), home.Path().c_str()) {}

    void SetUp() override
    {
        desktop.Services() = ScriptedServices();
        ASSERT_TRUE(module.Load(SONVAREK_MODULE_PATH)) << module.Error();
        ASSERT_EQ(module.startup(host.Unknown()), 0);
        IACFUnknown* definition = nullptr;
        ASSERT_EQ(module.registerPlugin(host.Unknown(), &definition), 0);
        definition->Relinquish();
        effect = host.Record().description.effects.at(0);
        view = desktop.CreateHostWindow(0, 0, 1300, 800);
        bare = desktop.Counts();
        std::string error;
        instance = HostInstance::Create(host, effect, HostStreamState(), &error);
        ASSERT_NE(instance, nullptr) << error;
        gui = HostEditor::Create(host, effect, *instance, &error);
        ASSERT_NE(gui, nullptr) << error;
    }

    void TearDown() override
    {
        gui.reset();
        instance.reset();
        DestroyWindow(view);
        if (module.Loaded())
        {
            EXPECT_EQ(module.canUnloadNow(host.Unknown()), 0);
            EXPECT_EQ(module.shutdown(host.Unknown()), 0);
        }
        EXPECT_EQ(host.LiveObjects(), 0);
    }

    void Tick(int periods = 1) { desktop.RunFor(33 * static_cast<uint64_t>(periods)); }
    uint32_t PixelAt(int x, int y) const { return desktop.WindowImage(view).At(x, y); }
    std::string Kinds(const char* id) const { return AutomationKinds(instance->Automation(), id); }

    Desktop& desktop;
    TempFolder data;
    TempFolder home;
    DataHomeOverride env;
    StandInHost host;
    HostModule module;
    RecordedEffect effect;
    LiveCounts bare;  // before the instance
    std::unique_ptr<HostInstance> instance;
    std::unique_ptr<HostEditor> gui;
    HWND view = nullptr;
};

TEST_F(SonvarekEditor, OpensClosesAndOpensAgainLeavingNoWindowOrGdiObjectBehind)
{
    const LiveCounts closed = desktop.Counts();
    ASSERT_EQ(gui->GiveView(view), 0);
    Tick(2);
    EXPECT_EQ(PixelAt(5, 95), kRmsFace);
    EXPECT_EQ(desktop.Counts().windows, closed.windows + 1);
    ASSERT_EQ(gui->RemoveView(), 0);
    // The editor's fonts stay in its process-wide cache once made.
    const LiveCounts afterFirst = desktop.Counts();
    EXPECT_EQ(afterFirst.windows, closed.windows);
    EXPECT_EQ(afterFirst.dcs, closed.dcs);
    EXPECT_EQ(afterFirst.bitmaps, closed.bitmaps);
    EXPECT_EQ(afterFirst.brushes, closed.brushes);
    EXPECT_EQ(afterFirst.menus, closed.menus);

    ASSERT_EQ(gui->GiveView(view), 0);
    Tick(2);
    EXPECT_EQ(PixelAt(5, 95), kRmsFace);
    ASSERT_EQ(gui->RemoveView(), 0);
    EXPECT_EQ(desktop.Counts(), afterFirst);

    gui.reset();
    instance.reset();
    const LiveCounts gone = desktop.Counts();
    EXPECT_EQ(gone.bitmaps, bare.bitmaps) << "the editor's bitmaps go with the instance";
    EXPECT_EQ(gone.dcs, bare.dcs);
    EXPECT_EQ(gone.windows, bare.windows);
}

TEST_F(SonvarekEditor, AClickOnTheTypeFieldChangesTheFaceAndTheHostParameter)
{
    gui->GiveView(view);
    Tick();
    desktop.Services().chooseMenuItem = [](const MenuRequest& menu) { return FindMenuItem(menu.items, "EBU"); };
    instance->ClearAutomation();
    desktop.Click(MouseButton::Left, 29, 74);
    EXPECT_EQ(Kinds("3"), "TTQRR");
    EXPECT_EQ(instance->DeliverRequests(), 1);
    double type = -1.0;
    EXPECT_EQ(instance->Normalized("3", &type), 0);
    EXPECT_EQ(type, 1.0);
    Tick();
    EXPECT_EQ(PixelAt(5, 95), kEbuFace);

    // Dismissed, the menu changes nothing (a second press long enough after
    // the first: a double-click would bring back the default).
    desktop.Services().chooseMenuItem = nullptr;
    Tick(30);
    instance->ClearAutomation();
    desktop.Click(MouseButton::Left, 29, 74);
    EXPECT_EQ(instance->DeliverRequests(), 0);
    Tick();
    EXPECT_EQ(PixelAt(5, 95), kEbuFace);
}

}  // namespace
