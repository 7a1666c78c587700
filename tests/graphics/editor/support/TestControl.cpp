#include "TestControl.h"

void TestControl::Log(const char* what, int32_t x, int32_t y, const IPointerMods* mods, const std::string& extra)
{
    std::string line = std::string(what) + " " + std::to_string(x) + "," + std::to_string(y) + extra;
    if (mods)
    {
        std::string held;
        held += mods->left ? "L" : "";
        held += mods->right ? "R" : "";
        held += mods->shift ? "S" : "";
        held += mods->ctrl ? "C" : "";
        held += mods->alt ? "A" : "";
        line += " " + (held.empty() ? std::string("-") : held);
    }
    events.push_back(line);
}

void TestControl::PointerPressed(int32_t x, int32_t y, const IPointerMods& mods)
{
    Log("press", x, y, &mods);
    if (baseOnPress)
        IControl::PointerPressed(x, y, mods);
}

void TestControl::PointerDragged(int32_t x, int32_t y, int32_t dx, int32_t dy, const IPointerMods& mods)
{
    Log("drag", x, y, &mods, " " + std::to_string(dx) + "," + std::to_string(dy));
}

void TestControl::PointerDoubleClicked(int32_t x, int32_t y, const IPointerMods& mods)
{
    Log("double", x, y, &mods);
    IControl::PointerDoubleClicked(x, y, mods);
}

void TestControl::WheelTurned(int32_t x, int32_t y, const IPointerMods& mods, int32_t delta)
{
    Log("wheel", x, y, &mods, " " + std::to_string(delta));
}

bool TestControl::KeyPressed(int32_t x, int32_t y, int32_t key)
{
    Log("key", x, y, nullptr, " " + std::to_string(key));
    return handlesKeys;
}
