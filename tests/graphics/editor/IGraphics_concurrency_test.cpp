// The host's thread pushes values (under the plug-in lock, as the binding
// does) while the UI thread rebuilds the control list: a push never meets a
// control being deleted.

#include "framework/core/IPlugBase.h"
#include "graphics/editor/IGraphicsWin.h"
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

}  // namespace
