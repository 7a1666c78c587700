#include "TestControl.h"

TestControl::TestControl(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx, IArgb colour)
    : IControl(plug, box, paramIdx), colour(colour)
{
}

std::string ModsText(const IPointerMods& mods)
{
    std::string s;
    s += mods.left ? "L" : "";
    s += mods.right ? "R" : "";
    s += mods.shift ? "S" : "";
    s += mods.ctrl ? "C" : "";
    s += mods.alt ? "A" : "";
    return s.empty() ? "-" : s;
}

namespace {

std::string At(const char* name, int32_t x, int32_t y) { return std::string(name) + " " + std::to_string(x) + "," + std::to_string(y); }

}  // namespace

void TestControl::PointerPressed(int32_t x, int32_t y, const IPointerMods& mods)
{
    events.push_back(At("press", x, y) + " " + ModsText(mods));
    if (baseOnPress)
        IControl::PointerPressed(x, y, mods);
}

void TestControl::PointerReleased(int32_t x, int32_t y, const IPointerMods& mods)
{
    events.push_back(At("release", x, y) + " " + ModsText(mods));
}

void TestControl::PointerDragged(int32_t x, int32_t y, int32_t dx, int32_t dy, const IPointerMods& mods)
{
    events.push_back(At("drag", x, y) + " " + std::to_string(dx) + "," + std::to_string(dy) + " " + ModsText(mods));
}

void TestControl::PointerDoubleClicked(int32_t x, int32_t y, const IPointerMods& mods)
{
    events.push_back(At("double", x, y) + " " + ModsText(mods));
    IControl::PointerDoubleClicked(x, y, mods);
}

void TestControl::WheelTurned(int32_t x, int32_t y, const IPointerMods& mods, int32_t delta)
{
    events.push_back(At("wheel", x, y) + " " + std::to_string(delta) + " " + ModsText(mods));
}

bool TestControl::KeyPressed(int32_t x, int32_t y, int32_t key)
{
    events.push_back(At("key", x, y) + " " + std::to_string(key));
    return handlesKeys;
}

void TestControl::PointerHovering(int32_t x, int32_t y, const IPointerMods&) { events.push_back(At("hover", x, y)); }

void TestControl::PointerLeft() { events.push_back("left"); }

void TestControl::Paint(IGraphics* graphics)
{
    ++paints;
    const IBlend blend = Blend();
    graphics->FillBounds(colour, DrawArea(), &blend);
}

void TestControl::EntryFinished(const char* text) { events.push_back(std::string("entry ") + text); }
