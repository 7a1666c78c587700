// The colour panel and the invisible click area on the surface.
#include "graphics/editor/IInvisibleClickControl_SVG1.h"
#include "graphics/editor/IPanelControlSVG.h"
#include "graphics/raster/LICE_SysBitmap.h"
#include "support/WindowFixture.h"

namespace {

class Panels : public WindowFixture
{
protected:
    uint32_t Pixel(int x, int y) const
    {
        const LICE_SysBitmap* b = surface->BackBuffer();
        return b->PixelData()[static_cast<size_t>(y) * b->RowPixels() + x];
    }
    // The commands (indices beyond the parameters) the plug-in was handed.
    std::vector<int32_t> Commands() const
    {
        std::vector<int32_t> out;
        for (int32_t idx : plug->changes)
            if (idx >= kSurfaceParams)
                out.push_back(idx);
        return out;
    }
};

TEST_F(Panels, APanelFillsItsAreaCombinedAsItsBlendSays)
{
    surface->AppendControl(new IPanelControlSVG(plug.get(), {0, 0, 0, 0, 200, 0, 100, 0}, IArgb{255, 240, 145, 53}));
    auto* veil = new IPanelControlSVG(plug.get(), {10, 0, 10, 0, 20, 0, 20, 0}, IArgb{128, 0, 0, 255});
    surface->AppendControl(veil);
    auto* greyed = new IPanelControlSVG(plug.get(), {50, 0, 10, 0, 20, 0, 20, 0}, IArgb{255, 0, 0, 255});
    surface->AppendControl(greyed);
    greyed->SetGreyed(true);
    surface->Draw({0, 0, 200, 100});

    EXPECT_EQ(Pixel(0, 0), 0xFFF09135u);
    EXPECT_EQ(Pixel(199, 99), 0xFFF09135u);
    const uint32_t half = Pixel(15, 15);
    EXPECT_NEAR(static_cast<int>(half & 0xFF), (53 + 255) / 2, 2);
    EXPECT_NEAR(static_cast<int>((half >> 16) & 0xFF), 240 / 2, 2);
    const uint32_t quarter = Pixel(55, 15);
    EXPECT_NEAR(static_cast<int>(quarter & 0xFF), 53 + (255 - 53) / 4, 2) << "greyed: a quarter";
    EXPECT_EQ(Pixel(30, 15), 0xFFF09135u);
    EXPECT_EQ(veil->Colour(), (IArgb{128, 0, 0, 255}));
}

TEST_F(Panels, AClickAreaSendsItsCommandOnAnyPressButNotOnADoubleClick)
{
    surface->AppendControl(new IInvisibleClickControl_SVG1(plug.get(), {10, 0, 10, 0, 40, 0, 20, 0}, 39));
    surface->AppendControl(new IInvisibleClickControl_SVG1(plug.get(), {100, 0, 10, 0, 40, 0, 20, 0}, -1));
    Open();
    desktop.Click(MouseButton::Left, SX(20), SY(15), kControlKey);
    desktop.RunFor(1000);
    desktop.Click(MouseButton::Right, SX(20), SY(15));
    EXPECT_EQ(Commands(), (std::vector<int32_t>{39, 39}));
    desktop.RunFor(1000);
    desktop.DoubleClick(SX(20), SY(15));
    EXPECT_EQ(Commands().size(), 3u) << "the first press of the double-click only";
    desktop.Click(MouseButton::Left, SX(110), SY(15));
    EXPECT_EQ(Commands().size(), 3u) << "no command";
    EXPECT_TRUE(plug->sent.empty());
}

TEST_F(Panels, AClickAreaDrawsNothing)
{
    auto* area = new IInvisibleClickControl_SVG1(plug.get(), {0, 0, 0, 0, 200, 0, 100, 0}, 30);
    surface->AppendControl(area);
    LICE_SysBitmap* b = surface->BackBuffer();
    b->PixelData()[0] = 0xFF123456u;
    surface->Draw({0, 0, 200, 100});
    EXPECT_EQ(Pixel(0, 0), 0xFF123456u);
    EXPECT_EQ(area->Command(), 30);
}

}  // namespace
