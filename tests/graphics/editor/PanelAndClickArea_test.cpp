// The colour panel and the invisible click area on the surface.
#include "graphics/editor/IInvisibleClickControl_SVG1.h"
#include "graphics/editor/IPanelControlSVG.h"
#include "graphics/raster/LICE_SysBitmap.h"
#include "support/WindowFixture.h"

namespace {

using Panels = WindowFixture;

TEST_F(Panels, APanelFillsItsAreaAsItsBlendSaysAndAClickAreaDrawsNothing)
{
    surface->AppendControl(new IPanelControlSVG(plug.get(), {0, 0, 0, 0, 200, 0, 100, 0}, IArgb{255, 240, 145, 53}));
    surface->AppendControl(new IPanelControlSVG(plug.get(), {10, 0, 10, 0, 20, 0, 20, 0}, IArgb{128, 0, 0, 255}));
    auto* greyed = new IPanelControlSVG(plug.get(), {50, 0, 10, 0, 20, 0, 20, 0}, IArgb{255, 0, 0, 255});
    surface->AppendControl(greyed);
    greyed->SetGreyed(true);
    surface->AppendControl(new IInvisibleClickControl_SVG1(plug.get(), {0, 0, 0, 0, 200, 0, 100, 0}, 30));
    surface->Draw({0, 0, 200, 100});
    const uint32_t* px = surface->BackBuffer()->PixelData();
    const int32_t span = surface->BackBuffer()->RowPixels();
    EXPECT_EQ(px[0], 0xFFF09135u);
    EXPECT_EQ(px[99 * span + 199], 0xFFF09135u);
    EXPECT_NEAR(static_cast<int>(px[15 * span + 15] & 0xFF), (53 + 255) / 2, 2) << "half blue";
    EXPECT_NEAR(static_cast<int>(px[15 * span + 55] & 0xFF), 53 + (255 - 53) / 4, 2) << "greyed: a quarter";
}

TEST_F(Panels, AClickAreaSendsItsCommandOnAnyPressButNotOnADoubleClick)
{
    surface->AppendControl(new IInvisibleClickControl_SVG1(plug.get(), {10, 0, 10, 0, 40, 0, 20, 0}, 39));
    surface->AppendControl(new IInvisibleClickControl_SVG1(plug.get(), {100, 0, 10, 0, 40, 0, 20, 0}, -1));
    Open();
    desktop.Click(MouseButton::Left, SX(20), SY(15), kControlKey);
    desktop.RunFor(1000);
    desktop.Click(MouseButton::Right, SX(20), SY(15));
    desktop.RunFor(1000);
    desktop.DoubleClick(SX(20), SY(15));
    desktop.Click(MouseButton::Left, SX(110), SY(15));
    EXPECT_EQ(plug->commands, (std::vector<int32_t>{39, 39, 39})) << "the double-click's first press only";
    EXPECT_TRUE(plug->sent.empty());
}

}  // namespace
