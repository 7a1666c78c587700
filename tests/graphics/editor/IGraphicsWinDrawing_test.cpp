#include "support/WindowFixture.h"

#include "platform/win32/Win32Gdi.h"

#include <cstring>

namespace {

// A control that draws a labelled panel: a fill in its colour with a
// darker frame and its name, centred, in the block face.
class LabelControl : public TestControl
{
public:
    LabelControl(IPlugBase* plug, const ILayoutBox& box, IArgb colour, const char* label)
        : TestControl(plug, box, -1, colour), label(label)
    {
        std::strcpy(Style().face, kBlockFaceName);
        Style().colour = {255, 255, 255, 255};
    }
    void Paint(IGraphics* graphics) override
    {
        ++paints;
        const IBounds& a = DrawArea();
        graphics->FillBounds({255, colour.R / 2, colour.G / 2, colour.B / 2}, a, nullptr);
        graphics->FillBounds(colour, {a.L + 2, a.T + 2, a.R - 2, a.B - 2}, nullptr);
        if (Style().size != (a.B - a.T) / 2)
        {
            Style().size = (a.B - a.T) / 2;
            Style().font = nullptr;  // the cached font was for the old size
        }
        Style().verticalPlacement = 3;
        IBounds text = a;
        graphics->DrawStyledText(Style(), label, text, false);
    }
    const char* label;
};

class Drawing : public WindowFixture
{
protected:
    LabelControl* AddLabel(const ILayoutBox& box, IArgb colour, const char* label)
    {
        auto* control = new LabelControl(plug.get(), box, colour, label);
        surface->AppendControl(control);
        return control;
    }
    uint32_t At(int x, int y) const { return desktop.WindowImage(window).At(x, y); }
};

TEST_F(Drawing, ATickRedrawsOnlyWhatChanged)
{
    TestControl* back = Add({0, 0, 0, 0, 200, 0, 100, 0}, -1, {255, 30, 30, 30});
    TestControl* left = Add({10, 0, 10, 0, 40, 0, 40, 0}, -1, {255, 200, 0, 0});
    TestControl* right = Add({120, 0, 10, 0, 40, 0, 40, 0}, -1, {255, 0, 0, 200});
    Open();
    Tick();
    EXPECT_EQ(At(20, 20), 0xFFC80000u);
    EXPECT_EQ(At(130, 20), 0xFF0000C8u);
    EXPECT_EQ(At(90, 70), 0xFF1E1E1Eu);

    // Both change colour, only the left one says so.
    left->colour = {255, 0, 200, 0};
    right->colour = {255, 200, 200, 0};
    left->AcceptPlugValue(0.1);
    left->AcceptPlugValue(0.2);
    const int32_t backPaints = back->paints;
    Tick();
    EXPECT_EQ(At(20, 20), 0xFF00C800u);
    EXPECT_EQ(At(130, 20), 0xFF0000C8u) << "an unchanged control is not redrawn";
    EXPECT_EQ(right->paints, 1);
    EXPECT_EQ(back->paints, backPaints + 1) << "what lies below the changed area repaints";
    Tick();  // the redraw the change asked for
    const int32_t settled = back->paints;
    for (int i = 0; i < 5; ++i)
        Tick();
    EXPECT_EQ(back->paints, settled) << "quiet ticks draw nothing";

    // Hiding a control repaints what lies below it.
    left->SetHidden(true);
    Tick();
    EXPECT_EQ(At(20, 20), 0xFF1E1E1Eu);
}

TEST_F(Drawing, APaintRequestWithNoControlsIsAnswered)
{
    Open();
    InvalidateRect(window, nullptr, FALSE);
    EXPECT_LT(desktop.Pump(10), 10) << "the paint is not asked for again and again";
    RECT r;
    EXPECT_FALSE(GetUpdateRect(window, &r, FALSE));
}

TEST_F(Drawing, TheLayoutScalesWithTheEditor)
{
    AddLabel({0, 0, 0, 0, 0, 1, 0, 2}, {255, 40, 60, 90}, "");
    AddLabel({10, 3, 10, 3, 60, 3, 30, 3}, {255, 220, 120, 40}, "GAIN");
    AddLabel({-70, 1, 10, 3, 60, 0, 30, 3}, {255, 60, 160, 90}, "EBU");
    AddLabel({10, 3, -30, 2, 180, 3, 20, 0}, {255, 120, 120, 120}, "-23.0 LUFS");
    surface->ApplyScaledLayout(200, 100, 1.0, 1.0);
    Open();
    Tick();
    EXPECT_EQ(At(11, 11), 0xFF6E3C14u) << "the frame of GAIN at scale 1";
    EXPECT_EQ(At(190, 90), 0xFF283C5Au) << "the background reaches the corner";
    for (double scale : {1.5, 3.0})
    {
        surface->SetEditorSize(static_cast<int32_t>(200 * scale), static_cast<int32_t>(100 * scale), true);
        surface->ApplyScaledLayout(200, 100, scale, scale);
        Tick();
        const DesktopImage image = desktop.WindowImage(window);
        ASSERT_EQ(image.width, static_cast<int>(200 * scale));
        const int frame = static_cast<int>(10 * scale) + 1;  // inside the 2-pixel frame
        EXPECT_EQ(image.At(frame, frame), 0xFF6E3C14u) << scale;
        EXPECT_EQ(image.At(image.width - 5, image.height - 5), 0xFF283C5Au) << scale;
        // The right-anchored label moved with the right edge: 70 from it at every scale.
        EXPECT_EQ(image.At(image.width - 70 + 1, frame), 0xFF1E502Du) << scale;
    }
}

}  // namespace
