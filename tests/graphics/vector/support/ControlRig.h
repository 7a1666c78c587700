#pragma once
// The vector controls on the test desktop: one desktop for the program (the
// editor's font cache outlives a desktop), per test a host window and a
// SurfacePlug owning a 240 x 160 IGraphicsWin opened in it; groups that show
// which frame and text they drew; input and back-buffer reads in editor pixels.

#include "graphics/editor/IGraphicsWin.h"
#include "graphics/vector/ShapeGroup.h"
#include "platform/win32/Desktop.h"
#include "tests/support/SurfacePlug.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

Desktop& TheDesktop();
// Presses this far apart are never a double-click.
constexpr uint64_t kApartMs = 600;

constexpr IArgb kRed{255, 255, 0, 0};
constexpr IArgb kGreen{255, 0, 255, 0};
constexpr IArgb kBlue{255, 0, 0, 255};
constexpr uint32_t kBackground = 0xFF404040u;

class ControlRig : public ::testing::Test
{
protected:
    static constexpr int kHostX = 100;
    static constexpr int kHostY = 50;
    static constexpr int32_t kWidth = 240;
    static constexpr int32_t kHeight = 160;

    ControlRig();
    ~ControlRig() override;

    // Appended to the surface, then every control takes the plug-in's values.
    template <class C>
    C* Add(C* control)
    {
        surface->AppendControl(control);
        plug->RefreshParamControls();
        return control;
    }
    // One layer of solid rectangles: frame i has colours[i].
    ShapeGroup* Frames(std::vector<IArgb> colours);
    // A transparent body layer and a text layer (kind 11, red, size 12,
    // centred) whose text the controls set.
    ShapeGroup* TextGroup();
    const char* GroupText(const ShapeGroup* group) const;

    static int SX(int x) { return kHostX + x; }
    static int SY(int y) { return kHostY + y; }
    void Click(int x, int y, unsigned mods = kNoModifiers, MouseButton button = MouseButton::Left);
    void DoubleClick(int x, int y);
    // Press at (x, y), move by (dx, dy), release there.
    void Drag(int x, int y, int dx, int dy, unsigned mods = kNoModifiers);
    void Wheel(int x, int y, int notches, unsigned mods = kNoModifiers);
    // The change scan and the paint of what changed.
    void Tick() { desktop.RunFor(IGraphicsWin::TimerPeriodMs(surface->FrameRate())); }
    // The whole editor painted over the background now.
    void Redraw();
    uint32_t Pixel(int x, int y) const;
    // Pixels of area that differ from the background.
    int Inked(const IBounds& area) const;

    Desktop& desktop;
    std::unique_ptr<SurfacePlug> plug;
    HWND host = nullptr;
    IGraphicsWin* surface = nullptr;  // owned by the plug-in
    std::vector<std::unique_ptr<ShapeGroup>> groups;
};
