#pragma once
// A control for the surface's tests: fills its draw area with its colour
// and records the events it receives as lines of text ("press 15,20 LS":
// the event, where, and the buttons and keys held as L R S C A).

#include "graphics/editor/IControl.h"
#include "graphics/editor/IGraphics.h"
#include "graphics/editor/ILinkedText.h"

#include <string>
#include <vector>

class TestControl : public IControl
{
public:
    TestControl(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx = -1, IArgb colour = {255, 200, 0, 0})
        : IControl(plug, box, paramIdx), colour(colour)
    {
    }

    void PointerPressed(int32_t x, int32_t y, const IPointerMods& mods) override;
    void PointerReleased(int32_t x, int32_t y, const IPointerMods& mods) override { Log("release", x, y, &mods); }
    void PointerDragged(int32_t x, int32_t y, int32_t dx, int32_t dy, const IPointerMods& mods) override;
    void PointerDoubleClicked(int32_t x, int32_t y, const IPointerMods& mods) override;
    void WheelTurned(int32_t x, int32_t y, const IPointerMods& mods, int32_t delta) override;
    bool KeyPressed(int32_t x, int32_t y, int32_t key) override;
    void PointerHovering(int32_t x, int32_t y, const IPointerMods&) override { Log("hover", x, y, nullptr); }
    void PointerLeft() override { events.push_back("left"); }
    void QuietPeriodHook() override { events.push_back("quiet"); }
    void EntryFinished(const char* text) override { events.push_back(std::string("entry ") + text); }
    void Paint(IGraphics* graphics) override
    {
        ++paints;
        const IBlend blend = Blend();
        graphics->FillBounds(colour, DrawArea(), &blend);
    }

    void SetRawValue(double v) { SetValue(v); }

    IArgb colour;
    bool handlesKeys = false;
    // The base's press too: a right press then opens value entry.
    bool baseOnPress = false;
    int32_t paints = 0;
    std::vector<std::string> events;

private:
    void Log(const char* what, int32_t x, int32_t y, const IPointerMods* mods, const std::string& extra = "");
};

// A linked text that keeps what it was given.
class TestText final : public ILinkedText
{
public:
    void SetTextIfChanged(const char* newText) override { text = newText; }
    std::string text;
};
