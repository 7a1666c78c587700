#pragma once
// An editor window on the test desktop: a host window at (100, 50) of the
// screen, the plug-in owning a 200 x 100 surface at 30 frames per second,
// and helpers to place controls and reach them in screen coordinates.

#include "graphics/editor/IGraphicsWin.h"
#include "platform/win32/Desktop.h"
#include "tests/support/SurfacePlug.h"
#include "support/TestControl.h"

#include <gtest/gtest.h>

#include <memory>

class WindowFixture : public ::testing::Test
{
protected:
    static constexpr int kHostX = 100;
    static constexpr int kHostY = 50;

    explicit WindowFixture(int32_t plugApi = 4) : plug(new SurfacePlug(plugApi))
    {
        host = desktop.CreateHostWindow(kHostX, kHostY, 400, 300);
        surface = new IGraphicsWin(plug.get(), 200, 100, 30);
        surface->SetModuleInstance(reinterpret_cast<HINSTANCE>(&desktop));
        plug->AttachEditor(surface);
    }
    ~WindowFixture() override
    {
        surface->CloseEditorWindow();
        plug.reset();
    }

    HWND Open()
    {
        window = static_cast<HWND>(surface->OpenEditorWindow(host));
        return window;
    }
    TestControl* Add(const ILayoutBox& box, int32_t paramIdx = -1, IArgb colour = {255, 200, 0, 0})
    {
        auto* control = new TestControl(plug.get(), box, paramIdx, colour);
        surface->AppendControl(control);
        return control;
    }
    // One timer period of virtual time: a tick and what it paints.
    void Tick() { desktop.RunFor(IGraphicsWin::TimerPeriodMs(surface->FrameRate())); }

    // Editor coordinates on the screen.
    static int SX(int x) { return kHostX + x; }
    static int SY(int y) { return kHostY + y; }

    Desktop desktop;
    std::unique_ptr<SurfacePlug> plug;
    HWND host = nullptr;
    IGraphicsWin* surface = nullptr;  // owned by the plug-in
    HWND window = nullptr;
};
