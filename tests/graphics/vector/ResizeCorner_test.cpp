// The resize corner on the meter plug-in: the editor reads the corner's drag
// distances for the plug-in's command, which rescales the editor.
#include "graphics/vector/ISVGResizeControl.h"
#include "plugin/MeterCommand.h"
#include "plugin/MeterParamIndex.h"
#include "support/ControlRig.h"
#include "support/SonvarekRig.h"

#include <cmath>

namespace {

using Corner = SonvarekRig;

TEST_F(Corner, DraggingItRescalesTheEditorWithinItsRange)
{
    surface->corner = new ISVGResizeControl(plug.get(), {-16, 1, -16, 2, 16, 0, 16, 0}, kResizeByDrag, nullptr);
    surface->AppendControl(surface->corner);
    surface->ApplyScaledLayout(616, 352, 1.0, 1.0);
    ASSERT_EQ(surface->corner->DrawArea(), (IBounds{600, 336, 616, 352}));

    desktop.RunFor(kApartMs);
    desktop.ButtonDown(MouseButton::Left, kHostX + 605, kHostY + 340);
    desktop.MouseMove(kHostX + 605 + 308, kHostY + 340);
    EXPECT_EQ(plug->commands, (std::vector<int32_t>{kResizeByDrag}));
    EXPECT_NEAR(plug->GetGuiScale(), std::sqrt(1.5), 1e-12);
    EXPECT_TRUE(plug->ResizePending());

    desktop.MouseMove(kHostX + 20000, kHostY + 20000);
    EXPECT_EQ(plug->GetGuiScale(), 3.0);
    // Twice the editor's width to the left (1848 pixels wide at scale 3): no
    // size at all, so the smallest scale.
    desktop.MouseMove(kHostX + 20000 - 2 * 1848, kHostY + 20000);
    EXPECT_EQ(plug->GetGuiScale(), 1.0);
    desktop.ButtonUp(MouseButton::Left, kHostX + 20000 - 2 * 1848, kHostY + 20000);
    EXPECT_TRUE(std::isfinite(plug->GetParam(kGUIScale)->Value()));
    EXPECT_EQ(plug->commands.size(), 3u);
}

}  // namespace
