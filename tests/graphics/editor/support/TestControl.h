#pragma once
// A control for the surface's tests: fills its draw area with its colour
// and records every event it receives as a line of text.

#include "graphics/editor/IControl.h"
#include "graphics/editor/IGraphics.h"
#include "graphics/editor/ILinkedText.h"

#include <string>
#include <vector>

class TestControl : public IControl
{
public:
    TestControl(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx = -1, IArgb colour = {255, 200, 0, 0});

    void PointerPressed(int32_t x, int32_t y, const IPointerMods& mods) override;
    void PointerReleased(int32_t x, int32_t y, const IPointerMods& mods) override;
    void PointerDragged(int32_t x, int32_t y, int32_t dx, int32_t dy, const IPointerMods& mods) override;
    void PointerDoubleClicked(int32_t x, int32_t y, const IPointerMods& mods) override;
    void WheelTurned(int32_t x, int32_t y, const IPointerMods& mods, int32_t delta) override;
    bool KeyPressed(int32_t x, int32_t y, int32_t key) override;
    void PointerHovering(int32_t x, int32_t y, const IPointerMods& mods) override;
    void PointerLeft() override;
    void Paint(IGraphics* graphics) override;
    void EntryFinished(const char* text) override;
    void QuietPeriodHook() override { events.push_back("quiet"); }

    // Which protected parts the tests reach.
    using IControl::SetValueRange;
    void SetRawValue(double v) { value = v; }

    IArgb colour;
    bool handlesKeys = false;
    // Calls the base's PointerPressed too (right-press opens value entry).
    bool baseOnPress = false;
    int32_t paints = 0;
    std::vector<std::string> events;
};

// "name mods" for an event: the buttons and keys held as letters L R S C A.
std::string ModsText(const IPointerMods& mods);

// A linked text that remembers what it was given.
class TestText final : public ILinkedText
{
public:
    void SetTextIfChanged(const char* newText) override
    {
        if (text != newText)
        {
            text = newText;
            ++changes;
        }
    }
    std::string text;
    int32_t changes = 0;
};
