// The host's thread pushes values (under the plug-in lock, as the binding
// does) while the UI thread rebuilds the control list: a push never meets a
// control being deleted.

#include "framework/core/IPlugBase.h"
#include "graphics/editor/IGraphicsWin.h"
#include "graphics/raster/LICE_SysBitmap.h"
#include "tests/support/SurfacePlug.h"
#include "support/TestControl.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(SurfaceConcurrency, HostPushesAndControlRebuildsDoNotMeet)
{
    SurfacePlug plug;
    IGraphicsWin surface(&plug, 50, 50, 30);
    std::atomic<bool> stop{false};
    std::thread hostThread([&] {
        double v = 0.0;
        while (!stop.load())
        {
            PlatformLockGuard guard(plug.GetLock());
            surface.PushParamToControls(kParamGain, v, true);
            v = v > 0.5 ? 0.1 : 0.9;
        }
    });
    for (int round = 0; round < 300; ++round)
    {
        for (int i = 0; i < 8; ++i)
            surface.AppendControl(new TestControl(&plug, {i, 0, 0, 0, 5, 0, 5, 0}, kParamGain));
        if (round % 2)
            surface.ResetControls();
        else
            surface.SetEditorSize(50, 50, false);
    }
    stop.store(true);
    hostThread.join();
    EXPECT_EQ(surface.ControlCount(), 0);
}

// Its red shows the value it read; while held it waits, after reading, for
// the host to push another.
class Shade final : public TestControl
{
public:
    using TestControl::TestControl;
    void Paint(IGraphics* graphics) override
    {
        const int32_t red = static_cast<int32_t>(CurrentValue() * 255.0 + 0.5);
        if (held.load())
        {
            reading.store(true);
            while (!pushed.load())
                std::this_thread::yield();
        }
        graphics->FillBounds(IArgb{255, red, 0, 0}, DrawArea(), nullptr);
    }

    std::atomic<bool> held{false};
    std::atomic<bool> reading{false};
    std::atomic<bool> pushed{false};
};

TEST(SurfaceConcurrency, AValuePushedWhileItsControlIsDrawnIsDrawnOnTheNextTick)
{
    SurfacePlug plug;
    IGraphicsWin surface(&plug, 20, 20, 30);
    surface.CreateDrawBitmaps();
    auto* shade = new Shade(&plug, {0, 0, 0, 0, 10, 0, 10, 0}, kParamGain);
    surface.AppendControl(shade);
    auto tick = [&surface] {
        IBounds area = {};
        if (surface.CollectChanges(area))
            surface.Draw(area);
    };
    auto red = [&surface] { return static_cast<int32_t>((surface.BackBuffer()->PixelData()[0] >> 16) & 0xFF); };
    surface.PushParamToControls(kParamGain, 10 / 255.0, true);
    tick();
    EXPECT_EQ(red(), 10);

    surface.PushParamToControls(kParamGain, 20 / 255.0, true);
    shade->held.store(true);
    std::thread hostThread([&] {
        while (!shade->reading.load())
            std::this_thread::yield();
        PlatformLockGuard guard(plug.GetLock());
        surface.PushParamToControls(kParamGain, 30 / 255.0, true);
        shade->pushed.store(true);
    });
    tick();
    hostThread.join();
    shade->held.store(false);
    EXPECT_EQ(red(), 20) << "what it read";
    tick();
    EXPECT_EQ(red(), 30) << "what came while it was drawn";
}

}  // namespace
