#pragma once
// The meter plug-in as it is made, with a data folder of its own, driving a
// 616 x 352 editor surface opened in a host window of the test desktop. The
// surface reports the resize corner's drag distances as the editor does,
// once a test names the corner.

#include "graphics/editor/IGraphicsWin.h"
#include "graphics/vector/ISVGResizeControl.h"
#include "plugin/Sonvarek.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class Desktop;

// The plug-in with the commands, host values and announcements it saw.
class WatchedSonvarek final : public Sonvarek
{
public:
    void HandleParamChange(int32_t idx) override;
    void SendParamToHost(int32_t idx, double unit) override;
    void AnnounceProgramLoaded() override { ++announced; }

    std::vector<int32_t> commands;    // indices beyond the parameters
    std::vector<bool> heldAtCommand;  // whether a button was held on the editor then
    int sentToHost = 0;
    int announced = 0;
};

class CornerSurface final : public IGraphicsWin
{
public:
    using IGraphicsWin::IGraphicsWin;
    void ResizeDragDistance(int32_t* dx, int32_t* dy) const override;

    ISVGResizeControl* corner = nullptr;  // owned by the surface's list
};

class SonvarekRig : public ::testing::Test
{
protected:
    static constexpr int kHostX = 20;
    static constexpr int kHostY = 20;

    SonvarekRig();
    ~SonvarekRig() override;

    std::string UserFolder() const { return data.Path() + "Sonvarek/"; }
    std::string DefaultFxp() const { return data.Path() + "Sonvarek/AAX/default.fxp"; }
    // A left click at editor pixels, apart in time from the last.
    void Click(int x, int y);

    Desktop& desktop;
    TempFolder data;
    TempFolder home;
    DataHomeOverride env;
    std::unique_ptr<WatchedSonvarek> plug;
    HWND host = nullptr;
    CornerSurface* surface = nullptr;  // owned by the plug-in
    HWND window = nullptr;
};
