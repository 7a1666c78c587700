#pragma once
// The vector controls on the test desktop: one desktop for the whole test
// program (the editor's font cache outlives a desktop), a host window per
// test, a ControlPlug owning a 240 x 160 IGraphicsWin opened in it, shape
// groups that show which frame and which text they drew, and helpers that
// press, drag and read the back buffer in editor coordinates.

#include "graphics/editor/IGraphicsWin.h"
#include "graphics/raster/LICE_SysBitmap.h"
#include "graphics/vector/ShapeGroup.h"
#include "platform/win32/Desktop.h"
#include "tests/support/StubPlug.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

enum ControlPlugParam : int32_t
{
    kGain,    // double -60 .. 0 dB, step 0.1, default -20
    kMode,    // choice "RMS" / "EBU" / "Peak", default "EBU"
    kSolo,    // choice of one text, "Only one choice to make"
    kCount,   // integer 0 .. 10, default 3, unit "x"; no display texts
    kControlParams,
};

// A plug-in that records what the controls ask of it. Indices from
// kControlParams on reach HandleParamChange as commands.
class ControlPlug final : public StubPlug
{
public:
    ControlPlug();

    void HandleParamChange(int32_t idx) override;
    void SendParamToHost(int32_t idx, double unit) override { sent.push_back({idx, unit}); }

    struct Sent
    {
        int32_t idx;
        double unit;
    };
    std::vector<Sent> sent;         // values pushed to the host
    std::vector<int32_t> changes;   // parameter changes
    std::vector<int32_t> commands;   // commands (indices from kControlParams on)
    std::vector<bool> heldAtCommand; // whether a button was held on the editor then
};

// The desktop of the test program, made on first use.
Desktop& TheDesktop();

// Longer than the double-click time: presses this far apart are single clicks.
constexpr uint64_t kApartMs = 600;

// Colours the test groups draw in.
constexpr IArgb kRed{255, 255, 0, 0};
constexpr IArgb kGreen{255, 0, 255, 0};
constexpr IArgb kBlue{255, 0, 0, 255};
constexpr IArgb kInk{255, 200, 0, 0};   // text
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

    // Takes ownership (the surface's); answers the control.
    template <class C>
    C* Add(C* control)
    {
        surface->AppendControl(control);
        return control;
    }
    // Groups the test keeps alive.
    // One layer of solid rectangles, one per colour: frame i fills its target.
    ShapeGroup* Frames(std::vector<IArgb> colours);
    // A body layer (colour body) and a text layer (kind 11, kInk, size 12,
    // centred both ways) whose text the controls set.
    ShapeGroup* TextGroup(IArgb body = {0, 0, 0, 0});

    // Editor pixels on the screen.
    static int SX(int x) { return kHostX + x; }
    static int SY(int y) { return kHostY + y; }
    // A click well apart in time from the last one, so never a double-click.
    void Click(int x, int y, unsigned mods = kNoModifiers, MouseButton button = MouseButton::Left)
    {
        desktop.RunFor(kApartMs);
        desktop.Click(button, SX(x), SY(y), mods);
    }
    void DoubleClick(int x, int y, unsigned mods = kNoModifiers)
    {
        desktop.RunFor(kApartMs);
        desktop.DoubleClick(SX(x), SY(y), mods);
    }
    // A press at (x, y) apart from the last, a move to (x + dx, y + dy), the
    // release there.
    void Drag(int x, int y, int dx, int dy, unsigned mods = kNoModifiers);
    void Wheel(int x, int y, int notches, unsigned mods = kNoModifiers);
    // One timer period: the change scan and the paint of what changed.
    void Tick() { desktop.RunFor(IGraphicsWin::TimerPeriodMs(surface->FrameRate())); }
    // Paints the whole editor over the background colour now.
    void Redraw();
    uint32_t Pixel(int x, int y) const;
    // Pixels in [L, R) x [T, B) of the back buffer that differ from the background.
    int Inked(const IBounds& area) const;
    // The unit value the plug-in's parameter holds.
    double Unit(int32_t idx) const { return plug->GetParam(idx)->GetUnitValue(); }

    Desktop& desktop;
    std::unique_ptr<ControlPlug> plug;
    HWND host = nullptr;
    IGraphicsWin* surface = nullptr;  // owned by the plug-in
    HWND window = nullptr;
    std::vector<std::unique_ptr<ShapeGroup>> groups;
};
